// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/zonerule.h"

namespace zw {

namespace {

const CDateSpan kOneHour(0, 1, 0, 0);
const CDateSpan kOneDay(1, 0, 0, 0);
// With a leap year every fourth year, the calendar repeats itself, weekdays included, every 28
// years.
constexpr int kCalendarCycleYears = 28;
const CDateSpan kCalendarCycle(kCalendarCycleYears * 365 + 7, 0, 0, 0);
// The range of CDateTime begins in December 1901 and ends with 2099.
constexpr int kFirstWholeYear = 1902;
constexpr int kLastWholeYear = 2099;

bool InRange(int value, int lo, int hi) {
  return value >= lo && value <= hi;
}

}  // namespace

bool DstRule::IsComputable() const {
  return InRange(startOrdinal, 0, kLast) && InRange(startWeekday, 0, 6) &&
         InRange(startMonth, 0, 11) && InRange(startHour, 0, 23) && InRange(endOrdinal, 0, kLast) &&
         InRange(endWeekday, 0, 6) && InRange(endMonth, 0, 11) && InRange(endHour, 0, 23);
}

CZoneRule::CZoneRule() : m_dstStart(1971, 1, 1, 1, 0, 0), m_dstEnd(1971, 1, 1, 1, 0, 0) {}

void CZoneRule::SetDstRule(const DstRule& rule) {
  m_rule = rule;
  m_dstStart.Set(1971, 1, 1, 1, 0, 0);
  m_dstEnd.Set(1971, 1, 1, 1, 0, 0);
  m_startYear = kNoYear;
  m_endYear = kNoYear;
}

CDateTime CZoneRule::Transition(int year, int ordinal, int weekday, int month, int hour) {
  const int wanted = weekday + 1;
  if (ordinal == DstRule::kLast) {
    // Counting back from the month's own last day rather than from the next month's first
    // keeps December of the range's last year clear of the saturated end.
    CDateTime t(year, month + 1, CDateTime::DaysInMonth(year, month + 1), hour, 0, 0);
    for (int i = 0; i < 7 && t.DayOfWeek() != wanted; ++i) {
      t -= kOneDay;
    }
    return t;
  }
  CDateTime t(year, month + 1, 1, hour, 0, 0);
  const int first = t.DayOfWeek();
  int days = ordinal * 7 + wanted - first;
  if (first > wanted) {
    days += 7;
  }
  return t + CDateSpan(days, 0, 0, 0);
}

void CZoneRule::RefreshCache(int year) const {
  if (m_startYear != year) {
    m_dstStart = Transition(year, m_rule.startOrdinal, m_rule.startWeekday, m_rule.startMonth,
                            m_rule.startHour);
    m_startYear = year;
  }
  if (m_endYear != year) {
    m_dstEnd =
        Transition(year, m_rule.endOrdinal, m_rule.endWeekday, m_rule.endMonth, m_rule.endHour) -
        kOneHour;
    m_endYear = year;
  }
}

bool CZoneRule::IsDst(const CDateTime& local) const {
  if (m_rule.enabled == 0 || !m_rule.IsComputable()) {
    return false;
  }
  // The switch instants of the two partial years at the ends of the range lie outside it and
  // would saturate into the wrong order; the same date one calendar cycle inwards has them all.
  CDateTime t = local;
  int year = t.Year();
  if (year > kLastWholeYear) {
    t -= kCalendarCycle;
    year -= kCalendarCycleYears;
  } else if (year < kFirstWholeYear) {
    t += kCalendarCycle;
    year += kCalendarCycleYears;
  }
  RefreshCache(year);
  if (m_dstStart < m_dstEnd) {
    return m_dstStart < t && t < m_dstEnd;
  }
  // Southern pattern: the period wraps the new year.
  return m_dstStart < t || t < m_dstEnd;
}

CDateTime CZoneRule::ToLocal(const CDateTime& gmt) const {
  CDateTime local = gmt + StandardOffset();
  if (IsDst(local)) {
    local += kOneHour;
  }
  return local;
}

CDateTime CZoneRule::ToGmt(const CDateTime& local) const {
  CDateTime gmt = local - StandardOffset();
  if (IsDst(local)) {
    gmt -= kOneHour;
  }
  return gmt;
}

CDateTime CZoneRule::ToGmtForComparison(const CDateTime& local) const {
  CDateTime t = local;
  if (IsDst(t)) {
    t -= kOneHour;
    if (!IsDst(t)) {
      t += kOneHour;
    }
  }
  return t - StandardOffset();
}

}  // namespace zw
