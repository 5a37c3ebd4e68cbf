#include "events/eventschedule.h"

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

 private:
  // An occurrence that landed on the last representable second was clamped there from beyond
  // the range; it is not a real time, so it must not raise an alarm.
  std::optional<CDateTime> Later(const CDateTime& k, const CDateTime& ref) const {
    if (k <= ref || (k + m_preNotify).Seconds() == std::numeric_limits<std::int32_t>::max()) {
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
  m_next = NextOccurrence(reference);
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
