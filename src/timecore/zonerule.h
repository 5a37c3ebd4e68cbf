// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timecore/datetime.h"

namespace zw {

// A daylight-saving rule: DST starts on the start ordinal weekday of the start month at the
// start hour of local standard time and ends on the end ordinal weekday of the end month at
// the end hour of local daylight time. Field order is the order of every file and dialog.
struct DstRule {
  static constexpr int kLast = 4;  // ordinals 0..3 are "1st".."4th"

  int enabled = 0;
  int startOrdinal = 0;  // "1st"
  int startWeekday = 0;  // Sunday
  int startMonth = 3;    // April
  int startHour = 2;
  int endOrdinal = kLast;
  int endWeekday = 0;  // Sunday
  int endMonth = 9;    // October
  int endHour = 2;

  // Fields a rule can be computed from; files are untrusted, so IsDst treats anything else
  // as "no daylight saving" rather than looping or reading outside the calendar.
  bool IsComputable() const;

  friend bool operator==(const DstRule&, const DstRule&) = default;
};

// A location's zone: a standard offset east of GMT and an optional daylight-saving rule,
// with the two switch instants of one year cached.
class CZoneRule {
 public:
  CZoneRule();

  void SetOffset(int hours) { m_offsetHours = hours; }
  // 0, or the half hour: -30 goes with a zero or negative hour offset, +30 with a positive one.
  void SetOffsetMinutes(int minutes) { m_offsetMinutes = minutes; }
  int GetOffsetHours() const { return m_offsetHours; }
  int GetOffsetMinutes() const { return m_offsetMinutes; }
  CDateSpan StandardOffset() const { return CDateSpan(0, m_offsetHours, m_offsetMinutes, 0); }

  // Replaces all nine fields and forgets the cached instants.
  void SetDstRule(const DstRule& rule);
  const DstRule& GetDstRule() const { return m_rule; }

  // Whether local standard time `local` lies strictly inside the DST period of its year.
  bool IsDst(const CDateTime& local) const;

  // GMT to local wall-clock time. The DST test is made on local standard time, so on the
  // switch-on day 2:00:00 still shows as standard time and 2:00:01 as 3:00:01.
  CDateTime ToLocal(const CDateTime& gmt) const;
  // Wall-clock time to GMT for events and the schedule: the DST test is made on the
  // wall-clock time itself.
  CDateTime ToGmt(const CDateTime& local) const;
  // Wall-clock time to GMT for the time comparison, which is careful at the switches: a time
  // in the skipped hour counts as standard time, and so does the repeated hour.
  CDateTime ToGmtForComparison(const CDateTime& local) const;

  // The cached switch instants in local standard time; the end instant is one hour before
  // the end rule's wall-clock time. Both read 1971-01-01 01:00:00 until first computed.
  const CDateTime& CachedDstStart() const { return m_dstStart; }
  const CDateTime& CachedDstEnd() const { return m_dstEnd; }

  // The ordinal weekday of a month of `year` at hour:00:00; ordinal kLast is the month's last
  // such weekday. month 0 = January, weekday 0 = Sunday.
  static CDateTime Transition(int year, int ordinal, int weekday, int month, int hour);

 private:
  static constexpr int kNoYear = -1;

  void RefreshCache(int year) const;

  int m_offsetHours = 0;
  int m_offsetMinutes = 0;
  DstRule m_rule;
  // The cache is keyed by the year it was computed for rather than by the year of the
  // instants themselves: an end rule at 0:00 on January 1st lies in the year before, and the
  // initial 1971 instants must not pass for a computed 1971.
  mutable CDateTime m_dstStart;
  mutable CDateTime m_dstEnd;
  mutable int m_startYear = kNoYear;
  mutable int m_endYear = kNoYear;
};

}  // namespace zw
