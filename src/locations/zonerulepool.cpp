// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/zonerulepool.h"

#include "locations/location.h"

namespace zw {

CZoneRulePool::Key CZoneRulePool::KeyOf(int offsetHours, int offsetMinutes, const DstRule& r) {
  return Key{offsetHours, offsetMinutes, r.enabled,    r.startOrdinal, r.startWeekday, r.startMonth,
             r.startHour, r.endOrdinal,  r.endWeekday, r.endMonth,     r.endHour};
}

void CZoneRulePool::Share(CLocation& place) {
  const CZoneRule& own = *place.m_rule;
  const auto [at, added] = m_rules.try_emplace(
      KeyOf(own.GetOffsetHours(), own.GetOffsetMinutes(), own.GetDstRule()), place.m_rule);
  if (!added) {
    place.m_rule = at->second;
  }
}

void CZoneRulePool::Give(CLocation& place, int offsetHours, int offsetMinutes,
                         const DstRule& rule) {
  const auto [at, added] = m_rules.try_emplace(KeyOf(offsetHours, offsetMinutes, rule));
  if (added) {
    at->second = std::make_shared<CZoneRule>();
    at->second->SetOffset(offsetHours);
    at->second->SetOffsetMinutes(offsetMinutes);
    at->second->SetDstRule(rule);
  }
  place.m_rule = at->second;
}

}  // namespace zw
