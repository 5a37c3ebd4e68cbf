// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/translatable.h"
#include "timecore/zonerule.h"

namespace zw {

class CLocation;
class CLocationDB;
class CTzCatalog;

// What the location properties dialog edits, and the rules for taking it over.
struct LocationValues {
  static constexpr std::string_view kNameMissing = "A location name must be entered";
  static constexpr std::string_view kDuplicate =
      "A location already exists matching the new name and country entered.";
  // The zone files hold single-byte texts between double quotes, one line each: anything else
  // would make the next start refuse the file.
  static constexpr std::string_view kUnstorable = ZW_TR_NOOP(
      "Core",
      "Names and countries cannot contain double quotes, control characters or characters "
      "outside Latin-1.");
  static constexpr std::size_t kMaxText = 40;

  std::string name;     // Latin-1 bytes
  std::string country;  // Latin-1 bytes
  int offsetHours = 0;
  bool halfHour = false;
  bool dst = false;
  // Start ordinal, weekday, month, hour, then the same for the end; -1 before any is chosen.
  std::array<int, 8> rule = {-1, -1, -1, -1, -1, -1, -1, -1};
  // The tz database zone, empty for none, and whether the times come from it.
  std::string zone;
  bool followsZone = false;

  static LocationValues From(const CLocation& location);

  // Trailing blanks are no part of a name.
  void Trim();
  // The first objection to these values, or nothing: a missing name, another location (not
  // `self`) with the same name and country, or text the files cannot hold.
  std::optional<std::string_view> Check(const CLocationDB& db, const CLocation* self) const;

  // -30 or +30 with the half-hour box, by the side of GMT the hours lie on.
  int OffsetMinutes() const;
  // The rule to store: the combos' choice, with the usual rule standing in for choices never
  // made, enabled or not by the DST box.
  DstRule Rule() const;
  // Name, country, offset, rule and zone; the type is the caller's.
  void ApplyTo(CLocation& location, CTzCatalog& zones) const;
};

}  // namespace zw
