#include "locations/location.h"

namespace zw {

CLocation::CLocation() : m_currentTime(Zone().ToLocal(CDateTime())) {}

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

void CLocation::UpdateCurrentTime(const CDateTime& gmtNow, const DisplayOptions& options) {
  m_currentTime = Zone().ToLocal(gmtNow);
  m_dateText = options.ShowsDate() ? DateTextOf(m_currentTime, options) : std::string();
  m_timeText = options.ShowsTime() ? TimeTextOf(m_currentTime, options) : std::string();
}

const std::string& CLocation::CurrentDateText(const DisplayOptions& options) {
  UpdateCurrentTime(CDateTime(), options);
  return m_dateText;
}

const std::string& CLocation::CurrentTimeText(const DisplayOptions& options) {
  UpdateCurrentTime(CDateTime(), options);
  return m_timeText;
}

void CLocation::FormatConverted(const DisplayOptions& options) {
  m_convertedDate = DateTextOf(m_convertedLocal, options);
  m_convertedTime = TimeTextOf(m_convertedLocal, options);
}

void CLocation::ConvertFromGmt(const CDateTime& gmt, const DisplayOptions& options) {
  m_convertedGmt = gmt;
  m_convertedLocal = Zone().ToLocal(gmt);
  FormatConverted(options);
}

void CLocation::ConvertToGmt(const CDateTime& local, const DisplayOptions& options) {
  m_convertedLocal = local;
  m_convertedGmt = Zone().ToGmt(local);
  FormatConverted(options);
}

void CLocation::ConvertToGmtForComparison(const CDateTime& local, const DisplayOptions& options) {
  m_convertedLocal = local;
  m_convertedGmt = Zone().ToGmtForComparison(local);
  FormatConverted(options);
}

}  // namespace zw
