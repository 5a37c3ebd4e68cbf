// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventschedule.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "events/event.h"
#include "locations/locationdb.h"

namespace zw {

namespace {

constexpr int kMaxPreNotifyMinutes = 99;

struct TimeOfDay {
  int hour, minute, second;
};
struct Date {
  int year, month, day;
};

// Two decimal digits at `at`, or -1.
int TwoDigits(const std::string& text, std::size_t at) {
  if (at + 1 >= text.size()) {
    return -1;
  }
  const char a = text[at];
  const char b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') {
    return -1;
  }
  return (a - '0') * 10 + (b - '0');
}

// "HH:MM:SS" as the event dialogs store it; a damaged record gives nothing.
std::optional<TimeOfDay> ReadTime(const CEvent& alarm) {
  const std::string text = alarm.TimeText();
  const TimeOfDay t{TwoDigits(text, 0), TwoDigits(text, 3), TwoDigits(text, 6)};
  if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    return std::nullopt;
  }
  return t;
}

// "MM/DD/YYYY".
std::optional<Date> ReadDate(const CEvent& alarm) {
  const std::string text = alarm.DateText();
  const int hi = TwoDigits(text, 6);
  const int lo = TwoDigits(text, 8);
  const Date d{hi < 0 || lo < 0 ? -1 : hi * 100 + lo, TwoDigits(text, 0), TwoDigits(text, 3)};
  if (d.year < 0 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) {
    return std::nullopt;
  }
  return d;
}

constexpr std::int64_t kDaySeconds = 86400;
// The last day and month that begin inside the representable range.
constexpr std::int64_t kLastDay = CDateTime::kLastSecond / kDaySeconds;
constexpr int kLastMonth = 2099 * 12 + 11;  // December 2099, counted as year * 12 + month - 1

// Days since 1970-01-01 (negative before).
std::int64_t DayNumber(const CDateTime& t) {
  const std::int64_t s = t.Seconds();
  return (s >= 0 ? s : s - (kDaySeconds - 1)) / kDaySeconds;
}

std::int64_t DayNumber(int year, int month, int day) {
  return DayNumber(CDateTime(year, month, day, 0, 0, 0));
}

// 0 = Sunday; 1970-01-01 was a Thursday.
int SundayIndex(std::int64_t day) {
  return static_cast<int>(((day + 4) % 7 + 7) % 7);
}

// Days since the Monday that begins the day's week.
int SinceMonday(std::int64_t day) {
  return (SundayIndex(day) + 6) % 7;
}

bool HasWeekday(int weekdays, std::int64_t day) {
  return (weekdays & (1 << SundayIndex(day))) != 0;
}

// The day of a month that is the ordinal-th (or the last) of the chosen weekdays, if any.
std::optional<std::int64_t> NthOfMonth(int year, int month, int weekdays, int ordinal) {
  const std::int64_t first = DayNumber(year, month, 1);
  const int length = CDateTime::DaysInMonth(year, month);
  if (ordinal == EventExtras::kLastOrdinal) {
    for (std::int64_t day = first + length - 1; day >= first; --day) {
      if (HasWeekday(weekdays, day)) {
        return day;
      }
    }
    return std::nullopt;
  }
  int seen = 0;
  for (std::int64_t day = first; day < first + length; ++day) {
    if (HasWeekday(weekdays, day) && ++seen == ordinal) {
      return day;
    }
  }
  return std::nullopt;
}

// The richer repeats, as days: each gives the first day of an occurrence on or after a day.
// None of them reaches before its start day.
class DayRule {
 public:
  DayRule(const EventExtras& extras, std::int64_t start) : m_x(extras), m_start(start) {}

  bool IsValid() const {
    const bool interval = m_x.interval >= 1 && m_x.interval <= EventExtras::kMaxInterval;
    const bool weekdays = m_x.weekdays > 0 && m_x.weekdays <= EventExtras::kWeekdayBits;
    const bool ordinal = m_x.ordinal == EventExtras::kLastOrdinal ||
                         (m_x.ordinal >= 1 && m_x.ordinal <= EventExtras::kMaxOrdinal);
    switch (m_x.kind) {
      case RepeatKind::kEveryNDays:
        return interval;
      case RepeatKind::kEveryNWeeks:
        return interval && weekdays;
      case RepeatKind::kNthWeekday:
        return interval && weekdays && ordinal;
      default:
        return false;
    }
  }

  std::optional<std::int64_t> FirstFrom(std::int64_t from) const {
    from = std::max(from, m_start);
    switch (m_x.kind) {
      case RepeatKind::kEveryNDays:
        return Days(from);
      case RepeatKind::kEveryNWeeks:
        return Weeks(from);
      default:
        return Months(from);
    }
  }

 private:
  std::int64_t Days(std::int64_t from) const {
    const std::int64_t steps = (from - m_start + m_x.interval - 1) / m_x.interval;
    return m_start + steps * m_x.interval;
  }

  // Weeks run Monday to Sunday and are counted from the start day's week.
  std::optional<std::int64_t> Weeks(std::int64_t from) const {
    const std::int64_t firstMonday = m_start - SinceMonday(m_start);
    std::int64_t day = from;
    // At most six days to the end of a week, one jump, six more days.
    for (int i = 0; i < 16; ++i) {
      const std::int64_t week = (day - firstMonday) / 7;
      const std::int64_t behind = week % m_x.interval;
      if (behind != 0) {
        day = firstMonday + (week + m_x.interval - behind) * 7;
      } else if (HasWeekday(m_x.weekdays, day)) {
        return day;
      } else {
        ++day;
      }
    }
    return std::nullopt;
  }

  // Months are counted from the start day's month; a month without the wanted day (a fifth
  // Friday) is skipped, not moved.
  std::optional<std::int64_t> Months(std::int64_t from) const {
    const CDateTime startDate = CDateTime::FromSeconds(m_start * kDaySeconds);
    const CDateTime fromDate = CDateTime::FromSeconds(from * kDaySeconds);
    const int startMonth = startDate.Year() * 12 + startDate.Month() - 1;
    int month = fromDate.Year() * 12 + fromDate.Month() - 1;
    const int behind = (month - startMonth) % m_x.interval;
    if (behind != 0) {
      month += m_x.interval - behind;
    }
    for (; month <= kLastMonth; month += m_x.interval) {
      const auto day = NthOfMonth(month / 12, month % 12 + 1, m_x.weekdays, m_x.ordinal);
      if (day && *day >= from) {
        return day;
      }
    }
    return std::nullopt;
  }

  const EventExtras& m_x;
  std::int64_t m_start;
};

// Walks candidate occurrences of one event. Built values count days from the first of the
// month, so day 29 of February in a common year is March 1st, as users of an annual
// February 29th event expect.
class Recurrence {
 public:
  Recurrence(const AlarmRecord& r, TimeOfDay time)
      : m_r(r), m_time(time), m_preNotify(0, 0, r.preNotifyMinutes, 0) {}

  CDateTime Due(int year, int month, int day) const {
    return CDateTime(year, month, day, m_time.hour, m_time.minute, m_time.second) - m_preNotify;
  }

  std::optional<CDateTime> Daily(const CDateTime& ref) const {
    CDateTime k = Due(ref.Year(), ref.Month(), ref.Day());
    // The pre-notify span is under 100 minutes, so two days always reach past the reference;
    // the third is only for the saturated end of the range.
    for (int i = 0; i < 3 && k <= ref; ++i) {
      k += CDateSpan(1, 0, 0, 0);
    }
    return Later(k, ref);
  }

  std::optional<CDateTime> Weekly(const CDateTime& ref) const {
    if (m_r.weekday < 1 || m_r.weekday > 7) {
      return std::nullopt;
    }
    int delta = m_r.weekday - ref.DayOfWeek();
    if (delta < 0) {
      delta += 7;
    }
    CDateTime k = Due(ref.Year(), ref.Month(), ref.Day()) + CDateSpan(delta, 0, 0, 0);
    if (k <= ref) {
      k += CDateSpan(7, 0, 0, 0);
    }
    return Later(k, ref);
  }

  std::optional<CDateTime> Monthly(const CDateTime& ref) const {
    const bool last = m_r.lastDayOfMonth == 1;
    if (!last && (m_r.monthDay < 1 || m_r.monthDay > 31)) {
      return std::nullopt;
    }
    int year = ref.Year();
    int month = ref.Month();
    // A day of 29..31 skips the months too short for it, never two in a row, so three
    // months always suffice; thirteen covers anything a damaged record could ask.
    for (int i = 0; i < 13; ++i) {
      const int length = CDateTime::DaysInMonth(year, month);
      const int day = last ? length : m_r.monthDay;
      if (day <= length) {
        if (const auto k = Later(Due(year, month, day), ref)) {
          return k;
        }
      }
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
    return std::nullopt;
  }

  std::optional<CDateTime> Annual(const CDateTime& ref) const {
    if (m_r.annualMonth < 1 || m_r.annualMonth > 12 || m_r.annualDay < 1 || m_r.annualDay > 31) {
      return std::nullopt;
    }
    const int year = ref.Year();
    for (int i = 0; i < 3; ++i) {
      if (const auto k = Later(Due(year + i, m_r.annualMonth, m_r.annualDay), ref)) {
        return k;
      }
    }
    return std::nullopt;
  }

  std::optional<CDateTime> OneTime(const CDateTime& ref, const Date& date) const {
    return Later(Due(date.year, date.month, date.day), ref);
  }

  std::optional<CDateTime> ByDays(const CDateTime& ref, const DayRule& rule) const {
    std::int64_t from = DayNumber(ref);
    // An occurrence on the reference's day, or with pre-notify on the next, may be due
    // already; the third candidate is always later.
    for (int i = 0; i < 3; ++i) {
      const std::optional<std::int64_t> day = rule.FirstFrom(from);
      if (!day || *day > kLastDay) {
        return std::nullopt;
      }
      const CDateTime date = CDateTime::FromSeconds(*day * kDaySeconds);
      if (const auto k = Later(Due(date.Year(), date.Month(), date.Day()), ref)) {
        return k;
      }
      from = *day + 1;
    }
    return std::nullopt;
  }

 private:
  // An occurrence that landed on the last representable second was clamped there from beyond
  // the range; it is not a real time, so it must not raise an alarm.
  std::optional<CDateTime> Later(const CDateTime& k, const CDateTime& ref) const {
    if (k <= ref || (k + m_preNotify).Seconds() == CDateTime::kLastSecond) {
      return std::nullopt;
    }
    return k;
  }

  const AlarmRecord& m_r;
  TimeOfDay m_time;
  CDateSpan m_preNotify;
};

}  // namespace

CEventSchedule::CEventSchedule(CEvent* alarm, const CLocationDB& db) : m_alarm(alarm), m_db(db) {
  ResolveLocation();
  if (m_location != nullptr) {
    Reschedule();
  }
}

void CEventSchedule::ResolveLocation() {
  const int index = m_db.Find(m_alarm->LocationName(), m_alarm->LocationCountry());
  m_location = index < 0 ? nullptr : m_db.At(static_cast<std::size_t>(index));
}

void CEventSchedule::Reschedule() {
  ResolveLocation();
  if (m_location == nullptr) {
    m_next.reset();
    return;
  }
  Reschedule(m_location->Zone().ToLocal(CDateTime()));
}

void CEventSchedule::Reschedule(const CDateTime& reference) {
  m_next = m_alarm->IsOff() ? std::nullopt : NextOccurrence(reference);
}

void CEventSchedule::SetNext(int year, int month, int day, int hour, int minute, int second) {
  m_next = CDateTime(year, month, day, hour, minute, second);
}

std::optional<CDateTime> CEventSchedule::NextOccurrence(const CDateTime& reference) const {
  const AlarmRecord& r = m_alarm->Fields();
  const std::optional<TimeOfDay> time = ReadTime(*m_alarm);
  if (!time || r.preNotifyMinutes < 0 || r.preNotifyMinutes > kMaxPreNotifyMinutes) {
    return std::nullopt;
  }
  const Recurrence recurrence(r, *time);
  if (m_alarm->Repeat() != RepeatKind::kPlain) {
    const std::optional<Date> start = ReadDate(*m_alarm);
    const EventExtras extras = m_alarm->Extras();
    const DayRule rule(extras, start ? DayNumber(start->year, start->month, start->day) : 0);
    return start && rule.IsValid() ? recurrence.ByDays(reference, rule) : std::nullopt;
  }
  switch (r.frequency) {
    case kDaily:
      return recurrence.Daily(reference);
    case kWeekly:
      return recurrence.Weekly(reference);
    case kMonthly:
      return recurrence.Monthly(reference);
    case kAnnual:
      return recurrence.Annual(reference);
    case kOneTime: {
      const std::optional<Date> date = ReadDate(*m_alarm);
      return date ? recurrence.OneTime(reference, *date) : std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace zw
