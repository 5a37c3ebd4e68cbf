// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "timecore/posixtzrule.h"

namespace zw {

// One zone file of the tz database (the TZif format, versions 1 to 4): the offsets it lists
// with the instants they start at, and the rule its footer gives for every instant after the
// last of them. The file is untrusted: anything inconsistent makes Parse refuse it.
class CTzFile {
 public:
  // Far beyond the largest zone file, which stays under a hundred kilobytes.
  static constexpr std::size_t kMaxBytes = 1024 * 1024;

  static std::optional<CTzFile> Parse(std::span<const std::uint8_t> bytes);
  // nullopt when the file cannot be read or is no zone file.
  static std::optional<CTzFile> Read(const std::string& path);

  // The listed offset at an instant; the first listed one before any switch.
  ZoneState At(std::int64_t utc) const;
  // The first listed switch strictly after the instant; nullopt past the last.
  std::optional<std::int64_t> NextSwitch(std::int64_t utc) const;
  // The last listed switch, from which the footer's rule holds; the earliest instant when
  // the file lists none.
  std::int64_t TailFrom() const;
  const std::optional<CPosixTzRule>& Tail() const { return m_tail; }

 private:
  CTzFile() = default;

  std::vector<std::int64_t> m_times;  // ascending
  std::vector<std::uint8_t> m_types;  // the state each switch starts
  std::vector<ZoneState> m_states;    // never empty
  std::optional<CPosixTzRule> m_tail;
};

}  // namespace zw
