// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

#include "locations/meetinggrid.h"

namespace zw {

// The meeting planner's working hours per place, kept as "place=HH:MM-HH:MM" lines in a
// small text file of their own; places without a line work the default 09:00 to 17:00.
class CWorkingHoursFile {
 public:
  static constexpr const char* kFileName = "planner.conf";
  // Larger files are not ours: they are neither read nor replaced.
  static constexpr std::size_t kMaxBytes = 64 * 1024;
  using Hours = std::map<std::string, WorkingHours>;

  // $XDG_CONFIG_HOME/zonewright/planner.conf
  static std::string DefaultPath();

  explicit CWorkingHoursFile(std::string path) : m_path(std::move(path)) {}

  // Lines that do not read as a place and a non-empty span of one day are skipped. A file
  // that exists but cannot be read is remembered, so Save never replaces it.
  Hours Load();
  // Writes the whole file anew through a temporary file; false when it could not be
  // written or must not be replaced.
  bool Save(const Hours& hours);

 private:
  std::string m_path;
  bool m_unreadable = false;
};

}  // namespace zw
