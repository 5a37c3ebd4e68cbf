// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CJsonWriter;
class CLocation;
class CTableWriter;

// Locations shown at one instant each: the lines of "now", "at" and "compare".
class CLocalTimes {
 public:
  struct Entry {
    const CLocation* location = nullptr;
    CDateTime gmt;
    CDateTime local;
    std::string date;
    std::string time;
    int offsetMinutes = 0;  // daylight saving included
    bool dst = false;
  };

  explicit CLocalTimes(const DisplayOptions& options) : m_options(options) {}

  // Converts the location to `gmt` and keeps the result.
  const Entry& Add(const CLocation& location, const CDateTime& gmt);

  // Place, date, time, offset and "DST" while daylight saving is in force.
  void AddRows(CTableWriter& table) const;
  void WriteArray(CJsonWriter& json) const;
  static void WriteObject(CJsonWriter& json, const Entry& entry);

 private:
  DisplayOptions m_options;
  std::vector<Entry> m_entries;
};

}  // namespace zw
