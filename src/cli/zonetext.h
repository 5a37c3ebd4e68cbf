// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"
#include "timecore/zonerule.h"

namespace zw {

class CJsonWriter;
class CLocation;

// The words zw uses for a location's kind and zone.
class CZoneText {
 public:
  static constexpr std::string_view kDst = "DST";

  // "GMT+9:00", "GMT-3:30", "GMT+0:00".
  static std::string Offset(int minutesEast);
  // How far a local time is ahead of the GMT instant it shows, daylight saving included.
  static int OffsetMinutes(const CDateTime& local, const CDateTime& gmt);
  // The standard offset in force at `gmt`: the stored rule's, or the tz zone's when the
  // place follows one.
  static int StandardOffsetMinutes(const CLocation& location, const CDateTime& gmt);
  // "zone": the place's tz database zone or null, and "follows_zone": whether its times come
  // from that zone.
  static void WriteZone(CJsonWriter& json, const CLocation& location);
  // "City", "Area Code", "Custom"; empty for a kind the files do not know.
  static std::string_view TypeName(int type);
  // "DST from the 2nd Sunday of March at 02:00 AM to the 1st Sunday of November at 02:00 AM",
  // the hours in the user's clock; empty without daylight saving.
  static std::string Rule(const DstRule& rule, const DisplayOptions& options);

 private:
  static std::string Switch(int ordinal, int weekday, int month, int hour,
                            const DisplayOptions& options);
};

}  // namespace zw
