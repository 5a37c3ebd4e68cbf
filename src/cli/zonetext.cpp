// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/zonetext.h"

#include <cstdlib>

#include "cli/jsonwriter.h"
#include "locations/location.h"

namespace zw {

namespace {

constexpr std::string_view kOrdinals[] = {"1st", "2nd", "3rd", "4th", "last"};
constexpr std::string_view kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
constexpr std::string_view kMonths[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
constexpr int kMinutesPerHour = 60;
// Daylight saving lasts less than a year: a year back by months always reaches standard time.
constexpr int kMonthsToSearch = 12;
const CDateSpan kAboutAMonth(30, 0, 0, 0);

std::string TwoDigits(int value) {
  std::string text(value < 10 ? 1 : 0, '0');
  text.append(std::to_string(value));
  return text;
}

}  // namespace

std::string CZoneText::Offset(int minutesEast) {
  const int magnitude = std::abs(minutesEast);
  std::string text = "GMT";
  text.push_back(minutesEast < 0 ? '-' : '+');
  text.append(std::to_string(magnitude / kMinutesPerHour));
  text.push_back(':');
  text.append(TwoDigits(magnitude % kMinutesPerHour));
  return text;
}

int CZoneText::OffsetMinutes(const CDateTime& local, const CDateTime& gmt) {
  return (local - gmt).TotalSeconds() / CDateSpan::kSecondsPerMinute;
}

int CZoneText::StandardOffsetMinutes(const CLocation& location, const CDateTime& gmt) {
  const CZone zone = location.Zone();
  if (zone.Tz() == nullptr) {
    return location.GetOffsetHours() * kMinutesPerHour + location.GetOffsetMinutes();
  }
  CDateTime t = gmt;
  ZoneState state = zone.At(t);
  for (int i = 0; i < kMonthsToSearch && state.dst; ++i) {
    t -= kAboutAMonth;
    state = zone.At(t);
  }
  return state.offsetSeconds / CDateSpan::kSecondsPerMinute;
}

void CZoneText::WriteZone(CJsonWriter& json, const CLocation& location) {
  json.Key("zone");
  if (location.TzZone() == nullptr) {
    json.Null();
  } else {
    json.String(location.TzZone()->Name());
  }
  json.BoolField("follows_zone", location.Zone().Tz() != nullptr);
}

std::string_view CZoneText::TypeName(int type) {
  switch (type) {
    case CLocation::kCity:
      return "City";
    case CLocation::kAreaCode:
      return "Area Code";
    case CLocation::kCustom:
      return "Custom";
    default:
      return {};
  }
}

std::string CZoneText::Switch(int ordinal, int weekday, int month, int hour,
                              const DisplayOptions& options) {
  DisplayOptions hourOnly = options;
  hourOnly.showSeconds = false;
  hourOnly.leadingZeros = true;
  std::string text = "the ";
  text.append(kOrdinals[ordinal]).append(" ").append(kWeekdays[weekday]);
  text.append(" of ").append(kMonths[month]).append(" at ");
  text.append(CLocation::TimeTextOf(CDateTime(1970, 1, 1, hour, 0, 0), hourOnly));
  return text;
}

std::string CZoneText::Rule(const DstRule& rule, const DisplayOptions& options) {
  if (rule.enabled == 0 || !rule.IsComputable()) {
    return {};
  }
  std::string text(kDst);
  text.append(" from ");
  text.append(
      Switch(rule.startOrdinal, rule.startWeekday, rule.startMonth, rule.startHour, options));
  text.append(" to ");
  text.append(Switch(rule.endOrdinal, rule.endWeekday, rule.endMonth, rule.endHour, options));
  return text;
}

}  // namespace zw
