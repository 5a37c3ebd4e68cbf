#include "locations/zonerulepool.h"

#include "locations/location.h"

namespace zw {

CZoneRulePool::Key CZoneRulePool::KeyOf(const CZoneRule& rule) {
  const DstRule& r = rule.GetDstRule();
  return Key{rule.GetOffsetHours(),
             rule.GetOffsetMinutes(),
             r.enabled,
             r.startOrdinal,
             r.startWeekday,
             r.startMonth,
             r.startHour,
             r.endOrdinal,
             r.endWeekday,
             r.endMonth,
             r.endHour};
}

void CZoneRulePool::Share(CLocation& place) {
  const auto [at, added] = m_rules.try_emplace(KeyOf(*place.m_rule), place.m_rule);
  if (!added) {
    place.m_rule = at->second;
  }
}

}  // namespace zw
