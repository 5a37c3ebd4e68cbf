// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// The places a whole- or half-hour offset brings to mind, for the offset field of the
// location properties, and the half-hour box that goes with each whole hour.
class CZoneNames {
 public:
  static constexpr int kMinOffset = -11;
  static constexpr int kMaxOffset = 12;
  static constexpr int kEntries = 48;  // every half hour from -11:00 to +12:30

  // Entry i stands for -11 hours plus i half hours; empty when no places are listed.
  static std::string_view Entry(int index);
  // The entry of a whole-hour offset.
  static int EntryOf(int hours) { return 2 * hours + 22; }
  static std::string_view NamesOf(int hours, bool halfHour);

  // The half-hour box's label for a whole-hour offset ("- 30min" westward, "+ 30min"
  // eastward), or nothing when the box is hidden because that half hour lists no places.
  static std::optional<std::string_view> HalfHourLabel(int hours);

  // Wraps the offset spinner: above 12 is -11, below -11 is 12.
  static int Wrap(int hours);

  // The 24 hour choices of a daylight-saving rule, in 12- or 24-hour form.
  static std::vector<std::string> HourEntries(bool hour24);
};

}  // namespace zw
