// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "timecore/datetime.h"

namespace zw {

class CLocation;

// "plan": the meeting planner's grid for a date, one line per location, and the hours of
// the first location's day that fall in everyone's working hours (09:00 to 17:00).
class CPlanCommand {
 public:
  static void Write(const std::vector<CLocation*>& locations, const CDateTime& date, bool json,
                    std::ostream& out);
};

}  // namespace zw
