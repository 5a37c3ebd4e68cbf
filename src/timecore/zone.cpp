// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/zone.h"

namespace zw {

ZoneState CZone::At(const CDateTime& gmt) const {
  if (m_tz != nullptr) {
    return m_tz->At(gmt);
  }
  const std::int32_t offset = (m_rule->ToLocal(gmt) - gmt).TotalSeconds();
  return ZoneState{offset, offset != m_rule->StandardOffset().TotalSeconds()};
}

CDateTime CZone::ToLocal(const CDateTime& gmt) const {
  return m_tz != nullptr ? m_tz->ToLocal(gmt) : m_rule->ToLocal(gmt);
}

CDateTime CZone::ToGmt(const CDateTime& local) const {
  return m_tz != nullptr ? m_tz->ToGmt(local, CTzZone::Pick::kLater) : m_rule->ToGmt(local);
}

CDateTime CZone::ToGmtForComparison(const CDateTime& local) const {
  return m_tz != nullptr ? m_tz->ToGmt(local, CTzZone::Pick::kStandard)
                         : m_rule->ToGmtForComparison(local);
}

}  // namespace zw
