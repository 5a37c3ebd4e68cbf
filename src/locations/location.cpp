#include "locations/location.h"

namespace zw {

void CLocation::SetDstRule(int enabled, int startOrdinal, int startWeekday, int startMonth,
                           int startHour, int endOrdinal, int endWeekday, int endMonth,
                           int endHour) {
  m_zone.SetDstRule(DstRule{enabled, startOrdinal, startWeekday, startMonth, startHour, endOrdinal,
                            endWeekday, endMonth, endHour});
}

std::string CLocation::DateTextOf(CDateTime local, const DisplayOptions& options) {
  const std::string& text =
      local.FormatDate(options.dateOrder, CDateTime::DateSeparator(options.dateOrder),
                       options.fourDigitYears ? 4 : 2);
  return options.leadingZeros ? text : CDateTime::DisplayDate(text);
}

std::string CLocation::TimeTextOf(CDateTime local, const DisplayOptions& options) {
  const int mode = options.hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour;
  const std::string& text = local.FormatTime(mode, ":", options.showSeconds);
  return options.leadingZeros ? text : CDateTime::DisplayTime(text);
}

}  // namespace zw
