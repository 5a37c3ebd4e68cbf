// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"
#include "timecore/tzzone.h"
#include "timecore/zone.h"
#include "timecore/zonerule.h"

namespace zw {

// One place whose time the program can show: a city, an area code or a custom location, with
// its zone rule. Its times and their texts belong to whoever shows them (see PlaceTime). The
// rule may be shared with other places that have an equal one; editing it gives the place its
// own copy first, so a copy of a place is still a value.
class CLocation {
 public:
  enum Type { kCity = 1, kAreaCode = 2, kCustom = 9 };

  // Empty name and country, GMT without daylight saving.
  CLocation();

  const std::string& Name() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }
  const std::string& Country() const { return m_country; }
  void SetCountry(std::string country) { m_country = std::move(country); }
  int GetType() const { return m_type; }
  void SetType(int type) { m_type = type; }

  void SetOffset(int hours);
  void SetOffsetMinutes(int minutes);
  int GetOffsetHours() const { return m_rule->GetOffsetHours(); }
  int GetOffsetMinutes() const { return m_rule->GetOffsetMinutes(); }
  void SetDstRule(const DstRule& rule);
  void SetDstRule(int enabled, int startOrdinal, int startWeekday, int startMonth, int startHour,
                  int endOrdinal, int endWeekday, int endMonth, int endHour);
  const DstRule& GetDstRule() const { return m_rule->GetDstRule(); }
  // The rule stored in the zone file, whether or not it is in use.
  const CZoneRule& StoredRule() const { return *m_rule; }
  bool IsDst(const CDateTime& local) const { return m_rule->IsDst(local); }

  // The place's tz database zone, or nullptr; it belongs to a CTzCatalog that outlives the
  // place.
  const CTzZone* TzZone() const { return m_tz; }
  void SetTzZone(const CTzZone* zone) { m_tz = zone; }
  // Whether the times come from the tz zone (when the system has it) rather than the rule.
  bool FollowsTz() const { return m_followsTz; }
  void SetFollowsTz(bool follows) { m_followsTz = follows; }
  // What every time of the place is computed with.
  CZone Zone() const { return CZone(*m_rule, m_followsTz ? m_tz : nullptr); }

  // Date and time texts of a local time under the display options.
  static std::string DateTextOf(CDateTime local, const DisplayOptions& options);
  static std::string TimeTextOf(CDateTime local, const DisplayOptions& options);

 private:
  friend class CZoneRulePool;

  // The rule, unshared first when another place or a pool holds it too.
  CZoneRule& OwnRule();

  std::string m_name;
  std::string m_country;
  // Never null; changed only through OwnRule, so no holder sees another's edit.
  std::shared_ptr<CZoneRule> m_rule;
  const CTzZone* m_tz = nullptr;
  std::int32_t m_type = kCity;
  bool m_followsTz = false;
};

}  // namespace zw
