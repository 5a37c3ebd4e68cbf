// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <vector>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CLocation;

// "now" and "at": each location's date and time at one instant, with its offset from GMT
// and whether daylight saving is in force.
class CTimesCommand {
 public:
  static void Write(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                    const DisplayOptions& options, bool json, std::ostream& out);
  // The instant a wall-clock time of `location` stands for, the hours that daylight saving
  // skips or repeats resolved as the time comparison resolves them.
  static CDateTime FromWallClock(const CLocation& location, const CDateTime& local);
};

}  // namespace zw
