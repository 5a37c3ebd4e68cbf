// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timecore/datetime.h"
#include "timecore/posixtzrule.h"
#include "timecore/tzzone.h"
#include "timecore/zonerule.h"

namespace zw {

// The zone a place's times are computed with: the tz database zone it follows when the system
// has it, else its stored rule. A view: it refers to both and must not outlive them.
class CZone {
 public:
  // `tz` may be nullptr or a zone the system lacks; either way the rule serves.
  explicit CZone(const CZoneRule& rule, const CTzZone* tz = nullptr)
      : m_rule(&rule), m_tz(tz != nullptr && tz->IsAvailable() ? tz : nullptr) {}

  // The tz database zone in use, or nullptr when the stored rule serves.
  const CTzZone* Tz() const { return m_tz; }
  const CZoneRule& Rule() const { return *m_rule; }

  // The offset in force at a GMT instant, daylight saving included.
  ZoneState At(const CDateTime& gmt) const;

  CDateTime ToLocal(const CDateTime& gmt) const;
  // Wall-clock time to GMT for events and the schedule: a time that occurs twice is the
  // later one, a skipped time is read with the offset after the switch.
  CDateTime ToGmt(const CDateTime& local) const;
  // Wall-clock time to GMT for the time comparison: a skipped or repeated time counts as
  // standard time.
  CDateTime ToGmtForComparison(const CDateTime& local) const;

 private:
  const CZoneRule* m_rule;
  const CTzZone* m_tz;
};

}  // namespace zw
