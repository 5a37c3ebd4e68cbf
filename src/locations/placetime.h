// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CLocation;

// A place's time at one instant and its date and time texts. The clock and the dialogs keep
// these for the lines they show, so a place itself stays small whatever the database's size.
struct PlaceTime {
  CDateTime local;
  CDateTime gmt;
  std::string date;
  std::string time;

  // The clock's texts of the place at gmtNow; a part the display mode leaves out gets an
  // empty text.
  static PlaceTime Current(const CLocation& place, const CDateTime& gmtNow,
                           const DisplayOptions& options);
  // Conversions for dialogs that show a place's time at another moment; both texts are always
  // formatted, from the local time.
  static PlaceTime FromGmt(const CLocation& place, const CDateTime& gmt,
                           const DisplayOptions& options);
  // Wall-clock time to GMT by the events' rule for the switch hours.
  static PlaceTime FromLocal(const CLocation& place, const CDateTime& local,
                             const DisplayOptions& options);
  // Wall-clock time to GMT by the comparison's careful rule for the switch hours.
  static PlaceTime FromLocalForComparison(const CLocation& place, const CDateTime& local,
                                          const DisplayOptions& options);

 private:
  static PlaceTime Formatted(const CDateTime& local, const CDateTime& gmt,
                             const DisplayOptions& options);
};

}  // namespace zw
