// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/location.h"

namespace zw {

namespace {

// Every new place starts on this one rule, so making a place allocates no rule.
const std::shared_ptr<CZoneRule>& DefaultRule() {
  static const std::shared_ptr<CZoneRule> rule = std::make_shared<CZoneRule>();
  return rule;
}

}  // namespace

CLocation::CLocation() : m_rule(DefaultRule()) {}

CZoneRule& CLocation::OwnRule() {
  if (m_rule.use_count() != 1) {
    m_rule = std::make_shared<CZoneRule>(*m_rule);
  }
  return *m_rule;
}

void CLocation::SetOffset(int hours) {
  if (hours != GetOffsetHours()) {
    OwnRule().SetOffset(hours);
  }
}

void CLocation::SetOffsetMinutes(int minutes) {
  if (minutes != GetOffsetMinutes()) {
    OwnRule().SetOffsetMinutes(minutes);
  }
}

void CLocation::SetDstRule(const DstRule& rule) {
  // Setting the same rule still forgets the cached instants, as the rule itself does.
  OwnRule().SetDstRule(rule);
}

void CLocation::SetDstRule(int enabled, int startOrdinal, int startWeekday, int startMonth,
                           int startHour, int endOrdinal, int endWeekday, int endMonth,
                           int endHour) {
  SetDstRule(DstRule{enabled, startOrdinal, startWeekday, startMonth, startHour, endOrdinal,
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
