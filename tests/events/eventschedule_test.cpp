// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventschedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "events/event.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"

using namespace zw;

namespace zw {

// Readable failures; found by argument-dependent lookup, also inside std::optional.
static void PrintTo(const CDateTime& t, std::ostream* os) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d (%lld s)", t.Year(), t.Month(),
                t.Day(), t.Hour(), t.Minute(), t.Second(), static_cast<long long>(t.Seconds()));
  *os << buf;
}

}  // namespace zw

namespace {

// The fields the engine reads; everything else keeps the value of a new record.
struct Event {
  int frequency = kDaily;
  std::string time = "10:00:00";
  int preNotify = 0;
  int weekday = 0;
  int monthDay = 1;
  int lastDay = 0;
  int annualMonth = 0;
  int annualDay = 1;
  std::string date{};
  EventExtras extras{};
};

CEvent MakeAlarm(const Event& e) {
  CEvent alarm;
  AlarmRecord& r = alarm.Fields();
  CEvent::SetText(r.timeText, e.time);
  r.frequency = e.frequency;
  r.preNotifyMinutes = e.preNotify;
  r.weekday = e.weekday;
  r.monthDay = e.monthDay;
  r.lastDayOfMonth = e.lastDay;
  r.annualMonth = e.annualMonth;
  r.annualDay = e.annualDay;
  CEvent::SetText(r.dateText, e.date);
  alarm.SetExtras(e.extras);
  return alarm;
}

// The engine needs no location; an empty database leaves the schedule without one.
std::optional<CDateTime> Next(const Event& e, const CDateTime& reference) {
  CEvent alarm = MakeAlarm(e);
  const CLocationDB db;
  const CEventSchedule schedule(&alarm, db);
  return schedule.NextOccurrence(reference);
}

CDateTime At(int y, int mo, int d, int h, int mi, int s) {
  return CDateTime(y, mo, d, h, mi, s);
}

struct Case {
  const char* what;
  Event event;
  CDateTime reference;
  std::optional<CDateTime> due;
};

void ExpectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Next(c.event, c.reference), c.due);
  }
}

const std::optional<CDateTime> kNone;

// ---------------------------------------------------------------------------------------------
// Worked cases, one group per frequency.

TEST(Recurrence, Daily) {
  const Event at10{.time = "10:00:00"};
  const Event at0005p10{.time = "00:05:00", .preNotify = 10};
  ExpectAll({
      {"later the same day", at10, At(1997, 6, 10, 9, 59, 59), At(1997, 6, 10, 10, 0, 0)},
      {"a due instant equal to the reference is not taken", at10, At(1997, 6, 10, 10, 0, 0),
       At(1997, 6, 11, 10, 0, 0)},
      {"today's pre-notified instant already passed",
       {.time = "10:00:00", .preNotify = 15},
       At(1997, 6, 10, 9, 50, 0),
       At(1997, 6, 11, 9, 45, 0)},
      {"tomorrow's early occurrence is due tonight", at0005p10, At(1997, 6, 10, 23, 50, 0),
       At(1997, 6, 10, 23, 55, 0)},
      {"tonight's pre-notified instant passed", at0005p10, At(1997, 6, 10, 23, 58, 0),
       At(1997, 6, 11, 23, 55, 0)},
      {"the longest pre-notify never yields an instant before the reference",
       {.time = "00:05:00", .preNotify = 99},
       At(1997, 6, 10, 23, 26, 0),
       At(1997, 6, 11, 22, 26, 0)},
      {"pre-notify reaches into the old year", at0005p10, At(1996, 12, 31, 23, 0, 0),
       At(1996, 12, 31, 23, 55, 0)},
  });
}

TEST(Recurrence, Weekly) {
  // 1997-01-05 is a Sunday.
  const Event sunday8{.frequency = kWeekly, .time = "08:00:00", .weekday = 1};
  // Saturday 00:30 is announced on Friday at 23:30.
  const Event saturday{.frequency = kWeekly, .time = "00:30:00", .preNotify = 60, .weekday = 7};
  ExpectAll({
      {"later the same Sunday", sunday8, At(1997, 1, 5, 7, 0, 0), At(1997, 1, 5, 8, 0, 0)},
      {"Sunday after the time", sunday8, At(1997, 1, 5, 9, 0, 0), At(1997, 1, 12, 8, 0, 0)},
      {"Sunday at the time", sunday8, At(1997, 1, 5, 8, 0, 0), At(1997, 1, 12, 8, 0, 0)},
      {"Monday: six days ahead", sunday8, At(1997, 1, 6, 8, 0, 0), At(1997, 1, 12, 8, 0, 0)},
      {"due the day before its weekday", saturday, At(1997, 1, 10, 23, 0, 0),
       At(1997, 1, 10, 23, 30, 0)},
      {"on its weekday but already announced", saturday, At(1997, 1, 11, 0, 10, 0),
       At(1997, 1, 17, 23, 30, 0)},
      {"across the year end",
       {.frequency = kWeekly, .time = "08:00:00", .weekday = 5},
       At(1997, 12, 31, 12, 0, 0),
       At(1998, 1, 1, 8, 0, 0)},
  });
}

TEST(Recurrence, Monthly) {
  const Event day31{.frequency = kMonthly, .time = "12:00:00", .monthDay = 31};
  const Event day30{.frequency = kMonthly, .time = "12:00:00", .monthDay = 30};
  const Event day29{.frequency = kMonthly, .time = "12:00:00", .monthDay = 29};
  const Event lastDay{.frequency = kMonthly, .time = "12:00:00", .monthDay = 0, .lastDay = 1};
  const Event first{.frequency = kMonthly, .time = "00:30:00", .preNotify = 60, .monthDay = 1};
  ExpectAll({
      {"day 31 skips April", day31, At(1997, 4, 10, 0, 0, 0), At(1997, 5, 31, 12, 0, 0)},
      {"day 31 skips February", day31, At(1997, 1, 31, 13, 0, 0), At(1997, 3, 31, 12, 0, 0)},
      {"day 31 across the year end", day31, At(1997, 12, 31, 12, 0, 0), At(1998, 1, 31, 12, 0, 0)},
      {"day 30 skips February", day30, At(1997, 2, 1, 0, 0, 0), At(1997, 3, 30, 12, 0, 0)},
      {"day 29 does not run over into March", day29, At(1997, 2, 1, 0, 0, 0),
       At(1997, 3, 29, 12, 0, 0)},
      {"day 29 in a leap February", day29, At(1996, 2, 1, 0, 0, 0), At(1996, 2, 29, 12, 0, 0)},
      {"last day, leap year", lastDay, At(1996, 2, 10, 0, 0, 0), At(1996, 2, 29, 12, 0, 0)},
      {"last day, common year", lastDay, At(1997, 2, 10, 0, 0, 0), At(1997, 2, 28, 12, 0, 0)},
      {"last day after the time", lastDay, At(1997, 4, 30, 12, 0, 1), At(1997, 5, 31, 12, 0, 0)},
      {"last day ignores monthDay",
       {.frequency = kMonthly, .monthDay = 99, .lastDay = 1},
       At(1997, 6, 1, 0, 0, 0),
       At(1997, 6, 30, 10, 0, 0)},
      {"first at 00:30 announced on the last of February", first, At(1997, 2, 15, 0, 0, 0),
       At(1997, 2, 28, 23, 30, 0)},
      {"... on February 29 in a leap year", first, At(1996, 2, 15, 0, 0, 0),
       At(1996, 2, 29, 23, 30, 0)},
      {"... on New Year's Eve, reference at that instant", first, At(1997, 12, 31, 23, 30, 0),
       At(1998, 1, 31, 23, 30, 0)},
  });
}

TEST(Recurrence, Annual) {
  const Event feb29{.frequency = kAnnual, .time = "12:00:00", .annualMonth = 2, .annualDay = 29};
  const Event newYear{
      .frequency = kAnnual, .time = "00:30:00", .preNotify = 60, .annualMonth = 1, .annualDay = 1};
  ExpectAll({
      {"February 29 in a leap year", feb29, At(1996, 1, 1, 0, 0, 0), At(1996, 2, 29, 12, 0, 0)},
      {"February 29 is March 1 in a common year", feb29, At(1996, 3, 1, 13, 0, 0),
       At(1997, 3, 1, 12, 0, 0)},
      {"... also from a reference on that day", feb29, At(1997, 3, 1, 11, 0, 0),
       At(1997, 3, 1, 12, 0, 0)},
      {"December 31 seconds after the time",
       {.frequency = kAnnual, .time = "23:59:00", .annualMonth = 12, .annualDay = 31},
       At(1996, 12, 31, 23, 59, 30),
       At(1997, 12, 31, 23, 59, 0)},
      {"April 31 runs over into May 1",
       {.frequency = kAnnual, .annualMonth = 4, .annualDay = 31},
       At(1997, 1, 1, 0, 0, 0),
       At(1997, 5, 1, 10, 0, 0)},
      {"New Year is announced in the old year", newYear, At(1997, 6, 1, 0, 0, 0),
       At(1997, 12, 31, 23, 30, 0)},
      {"... and once announced, a year later", newYear, At(1997, 12, 31, 23, 45, 0),
       At(1998, 12, 31, 23, 30, 0)},
  });
}

TEST(Recurrence, OneTime) {
  const Event july4{.frequency = kOneTime, .time = "10:00:00", .date = "07/04/1997"};
  const Event july4p30{
      .frequency = kOneTime, .time = "10:00:00", .preNotify = 30, .date = "07/04/1997"};
  ExpectAll({
      {"ahead", july4, At(1997, 7, 4, 9, 59, 59), At(1997, 7, 4, 10, 0, 0)},
      {"at the due instant", july4, At(1997, 7, 4, 10, 0, 0), kNone},
      {"past", july4, At(1998, 1, 1, 0, 0, 0), kNone},
      {"pre-notified, ahead", july4p30, At(1997, 7, 4, 9, 29, 59), At(1997, 7, 4, 9, 30, 0)},
      {"pre-notified, the due instant passed before the occurrence", july4p30,
       At(1997, 7, 4, 9, 30, 0), kNone},
      {"February 29 of a common year is March 1",
       {.frequency = kOneTime, .date = "02/29/1997"},
       At(1997, 1, 1, 0, 0, 0),
       At(1997, 3, 1, 10, 0, 0)},
  });
}

TEST(Recurrence, RicherRepeats) {
  // 2026-03-02 is a Monday.
  const EventExtras weekdays{
      .kind = RepeatKind::kEveryNWeeks, .interval = 1, .weekdays = EventExtras::kMondayToFriday};
  const Event everyWeekday{
      .frequency = kWeekly, .time = "09:00:00", .date = "03/04/2026", .extras = weekdays};
  const EventExtras lastWeekday{.kind = RepeatKind::kNthWeekday,
                                .interval = 1,
                                .weekdays = EventExtras::kMondayToFriday,
                                .ordinal = EventExtras::kLastOrdinal};
  const EventExtras fifthFriday{
      .kind = RepeatKind::kNthWeekday, .interval = 1, .weekdays = 1 << 5, .ordinal = 5};
  ExpectAll({
      {"every weekday: Friday to Monday", everyWeekday, At(2026, 3, 6, 9, 0, 0),
       At(2026, 3, 9, 9, 0, 0)},
      {"every weekday: nothing before the start day", everyWeekday, At(2026, 3, 2, 0, 0, 0),
       At(2026, 3, 4, 9, 0, 0)},
      {"every 3 days from the 1st: the 4th's alarm has just come, next the 7th's",
       {.time = "00:10:00",
        .preNotify = 20,
        .date = "03/01/2026",
        .extras = {.kind = RepeatKind::kEveryNDays, .interval = 3}},
       At(2026, 3, 3, 23, 55, 0),
       At(2026, 3, 6, 23, 50, 0)},
      {"last weekday of May 2026 is Friday the 29th",
       {.frequency = kMonthly, .date = "01/01/2026", .extras = lastWeekday},
       At(2026, 5, 1, 0, 0, 0),
       At(2026, 5, 29, 10, 0, 0)},
      {"a fifth Friday skips the months without one",
       {.frequency = kMonthly, .date = "01/01/2026", .extras = fifthFriday},
       At(2026, 2, 1, 0, 0, 0),
       At(2026, 5, 29, 10, 0, 0)},
      {"an earlier version changed the frequency: the record's own repeat wins",
       {.frequency = kAnnual, .annualMonth = 7, .date = "01/01/2026", .extras = fifthFriday},
       At(2026, 2, 1, 0, 0, 0),
       At(2026, 7, 1, 10, 0, 0)},
  });
}

// ---------------------------------------------------------------------------------------------
// Brute force: every due instant of random events over two years, found by walking the
// calendar day by day with arithmetic of its own, against the engine.

// Every fourth year: all the representable range needs.
bool Leap(int year) {
  return year % 4 == 0;
}

int MonthLength(int year, int month) {
  static constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && Leap(year) ? 29 : kLengths[static_cast<std::size_t>(month - 1)];
}

std::int64_t DaysBeforeYear(int year) {
  std::int64_t days = 0;
  for (int y = 1970; y < year; ++y) {
    days += Leap(y) ? 366 : 365;
  }
  for (int y = year; y < 1970; ++y) {
    days -= Leap(y) ? 366 : 365;
  }
  return days;
}

// 1 = Sunday; 1970-01-01 was a Thursday.
int WeekdayOf(std::int64_t day) {
  return static_cast<int>(((day + 4) % 7 + 7) % 7) + 1;
}

struct Ymd {
  int y, m, d;
  bool operator==(const Ymd&) const = default;
};

// A day past its month's end counts on into the next month, as built wall-clock times do.
Ymd CountOn(int y, int m, int d) {
  while (d > MonthLength(y, m)) {
    d -= MonthLength(y, m);
    if (++m > 12) {
      m = 1;
      ++y;
    }
  }
  return {y, m, d};
}

struct Sample {
  Event event;
  int hour, minute, second;
  Ymd once;  // the one-time date as typed
  int firstYear;
};

int Uniform(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

template <std::size_t N>
int OneOf(std::mt19937& rng, const std::array<int, N>& values) {
  return values[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(N) - 1))];
}

// Sweep parameters past the five frequencies stand for the richer repeats.
constexpr int kFirstKindParam = kOneTime + 1;

RepeatKind KindOf(int param) {
  return param < kFirstKindParam ? RepeatKind::kPlain
                                 : static_cast<RepeatKind>(param - kFirstKindParam + 1);
}

// A start date a year either side of the walk's first day, so that some start inside it; days
// up to 31 count on into the next month, as the engine reads them.
void DrawRepeat(std::mt19937& rng, RepeatKind kind, Sample& s) {
  EventExtras& x = s.event.extras;
  x.kind = kind;
  s.event.frequency = EventExtras::BaseFrequency(kind);
  s.once = {s.firstYear + Uniform(rng, -1, 1), Uniform(rng, 1, 12), Uniform(rng, 1, 31)};
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", s.once.m, s.once.d, s.once.y);
  s.event.date = text;
  x.weekdays = Uniform(rng, 0, 2) == 0 ? EventExtras::kMondayToFriday : Uniform(rng, 1, 127);
  switch (kind) {
    case RepeatKind::kEveryNDays:
      x.interval = Uniform(rng, 0, 1) == 0 ? Uniform(rng, 1, 3) : Uniform(rng, 1, 90);
      break;
    case RepeatKind::kEveryNWeeks:
      x.interval = Uniform(rng, 1, 6);
      break;
    default:
      x.interval = Uniform(rng, 1, 4);
      x.ordinal = Uniform(rng, 0, 2) == 0 ? EventExtras::kLastOrdinal : Uniform(rng, 1, 5);
      // One weekday is the common case: "the first Monday".
      if (Uniform(rng, 0, 1) == 0) {
        x.weekdays = 1 << Uniform(rng, 0, 6);
      }
  }
}

Sample Draw(std::mt19937& rng, int param) {
  const int frequency = param;
  Sample s{};
  s.firstYear = Uniform(rng, 1903, 2034);
  // Times near midnight let the pre-notify span cross into the day before.
  s.hour = Uniform(rng, 0, 1) == 0 ? OneOf(rng, std::array{0, 1, 23}) : Uniform(rng, 0, 23);
  s.minute = Uniform(rng, 0, 59);
  s.second = Uniform(rng, 0, 59);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", s.hour, s.minute, s.second);
  s.event.time = text;
  s.event.frequency = frequency;
  s.event.preNotify = Uniform(rng, 0, 3) == 0 ? 0 : Uniform(rng, 0, 99);
  if (KindOf(param) != RepeatKind::kPlain) {
    DrawRepeat(rng, KindOf(param), s);
    return s;
  }
  switch (frequency) {
    case kWeekly:
      s.event.weekday = Uniform(rng, 1, 7);
      break;
    case kMonthly:
      switch (Uniform(rng, 0, 3)) {
        case 0:
          s.event.monthDay = 0;
          s.event.lastDay = 1;
          break;
        case 1:
          s.event.monthDay = OneOf(rng, std::array{1, 28, 29, 30, 31});
          break;
        default:
          s.event.monthDay = Uniform(rng, 1, 31);
      }
      break;
    case kAnnual:
      switch (Uniform(rng, 0, 3)) {
        case 0:
          s.event.annualMonth = 2;
          s.event.annualDay = 29;
          break;
        case 1:
          s.event.annualMonth = OneOf(rng, std::array{4, 6, 9, 11});
          s.event.annualDay = 31;
          break;
        default:
          s.event.annualMonth = Uniform(rng, 1, 12);
          s.event.annualDay = Uniform(rng, 1, 31);
      }
      break;
    case kOneTime:
      s.once = {s.firstYear + Uniform(rng, 0, 1), Uniform(rng, 1, 12), Uniform(rng, 1, 31)};
      std::snprintf(text, sizeof text, "%02d/%02d/%04d", s.once.m, s.once.d, s.once.y);
      s.event.date = text;
      break;
    default:
      break;
  }
  return s;
}

std::int64_t DayIndex(const Ymd& date) {
  std::int64_t day = DaysBeforeYear(date.y) + date.d - 1;
  for (int m = 1; m < date.m; ++m) {
    day += MonthLength(date.y, m);
  }
  return day;
}

bool Chosen(int weekdays, int weekday) {
  return (weekdays >> (weekday - 1) & 1) != 0;
}

// Whether the day is the wanted one of its month: counted among the chosen weekdays of the
// month from its first day, or the last of them.
bool IsNthOfMonth(const EventExtras& x, const Ymd& date, int weekday) {
  if (!Chosen(x.weekdays, weekday)) {
    return false;
  }
  const std::int64_t first = DayIndex({date.y, date.m, 1});
  int before = 0;
  int after = 0;
  for (int d = 1; d <= MonthLength(date.y, date.m); ++d) {
    if (d != date.d && Chosen(x.weekdays, WeekdayOf(first + d - 1))) {
      ++(d < date.d ? before : after);
    }
  }
  return x.ordinal == EventExtras::kLastOrdinal ? after == 0 : before + 1 == x.ordinal;
}

bool RepeatOccursOn(const Sample& s, const Ymd& date, std::int64_t day, int weekday) {
  const EventExtras& x = s.event.extras;
  const Ymd start = CountOn(s.once.y, s.once.m, s.once.d);
  const std::int64_t startDay = DayIndex(start);
  if (day < startDay) {
    return false;
  }
  switch (x.kind) {
    case RepeatKind::kEveryNDays:
      return (day - startDay) % x.interval == 0;
    case RepeatKind::kEveryNWeeks: {
      // Monday-based weekday of the start: Sunday is the seventh day of its week.
      const std::int64_t monday = startDay - (WeekdayOf(startDay) + 5) % 7;
      return ((day - monday) / 7) % x.interval == 0 && Chosen(x.weekdays, weekday);
    }
    default: {
      const int months = (date.y - start.y) * 12 + date.m - start.m;
      return months % x.interval == 0 && IsNthOfMonth(x, date, weekday);
    }
  }
}

bool OccursOn(const Sample& s, const Ymd& date, std::int64_t day, int weekday) {
  const Event& e = s.event;
  if (e.extras.kind != RepeatKind::kPlain) {
    return RepeatOccursOn(s, date, day, weekday);
  }
  switch (e.frequency) {
    case kDaily:
      return true;
    case kWeekly:
      return weekday == e.weekday;
    case kMonthly:
      return date.d == (e.lastDay == 1 ? MonthLength(date.y, date.m) : e.monthDay);
    case kAnnual:
      return CountOn(date.y, e.annualMonth, e.annualDay) == date;
    case kOneTime:
      return CountOn(s.once.y, s.once.m, s.once.d) == date;
    default:
      return false;
  }
}

// Due instants, in seconds, of the occurrences on the days of [firstYear, firstYear + years).
std::vector<std::int64_t> DueInstants(const Sample& s, int years) {
  std::vector<std::int64_t> dues;
  std::int64_t day = DaysBeforeYear(s.firstYear);
  const std::int64_t timeOfDue =
      s.hour * 3600 + s.minute * 60 + s.second - std::int64_t{s.event.preNotify} * 60;
  for (int y = s.firstYear; y < s.firstYear + years; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= MonthLength(y, m); ++d, ++day) {
        if (OccursOn(s, {y, m, d}, day, WeekdayOf(day))) {
          dues.push_back(day * 86400 + timeOfDue);
        }
      }
    }
  }
  return dues;
}

std::string Describe(const Sample& s) {
  const Event& e = s.event;
  return "frequency " + std::to_string(e.frequency) + " time " + e.time + " pre-notify " +
         std::to_string(e.preNotify) + " weekday " + std::to_string(e.weekday) + " monthDay " +
         std::to_string(e.monthDay) + " last " + std::to_string(e.lastDay) + " annual " +
         std::to_string(e.annualMonth) + "/" + std::to_string(e.annualDay) + " date '" + e.date +
         "' kind " + std::to_string(static_cast<int>(e.extras.kind)) + " interval " +
         std::to_string(e.extras.interval) + " weekdays " + std::to_string(e.extras.weekdays) +
         " ordinal " + std::to_string(e.extras.ordinal) + " from year " +
         std::to_string(s.firstYear);
}

CDateTime FromSeconds(std::int64_t seconds) {
  return CDateTime::FromSeconds(seconds);
}

class RecurrenceBruteForce : public ::testing::TestWithParam<int> {};

TEST_P(RecurrenceBruteForce, MatchesCalendarWalk) {
  constexpr int kEvents = 30;
  constexpr int kRandomRefs = 200;
  constexpr int kYears = 2;
  constexpr std::int64_t kDay = 86400;
  const int param = GetParam();
  std::mt19937 rng(20260 + static_cast<unsigned>(param));

  for (int n = 0; n < kEvents && !HasFailure(); ++n) {
    const Sample sample = Draw(rng, param);
    SCOPED_TRACE(Describe(sample));
    const std::vector<std::int64_t> dues = DueInstants(sample, kYears);
    const std::int64_t start = DaysBeforeYear(sample.firstYear) * kDay;
    // Any due instant up to here has its occurrence inside the walk, so the list is complete.
    const std::int64_t complete = DaysBeforeYear(sample.firstYear + kYears) * kDay - 100 * 60;
    // From references up to here the next due instant, even a year ahead, is within `complete`.
    const std::int64_t lastRef = start + 360 * kDay;

    CEvent alarm = MakeAlarm(sample.event);
    const CLocationDB db;
    const CEventSchedule schedule(&alarm, db);

    const auto check = [&](std::int64_t ref) {
      const std::optional<CDateTime> got = schedule.NextOccurrence(FromSeconds(ref));
      const auto it = std::upper_bound(dues.begin(), dues.end(), ref);
      if (it == dues.end()) {
        // A one-time event runs out inside the walk; a rare repeat (the fifth Friday of every
        // fourth month) may next come beyond it.
        if (param == kOneTime) {
          EXPECT_EQ(got, kNone) << "reference " << testing::PrintToString(FromSeconds(ref));
        } else {
          ASSERT_NE(param, kDaily);
          EXPECT_TRUE(got && got->Seconds() > complete)
              << "reference " << testing::PrintToString(FromSeconds(ref));
        }
        return;
      }
      ASSERT_LE(*it, complete);
      EXPECT_EQ(got, FromSeconds(*it)) << "reference " << testing::PrintToString(FromSeconds(ref));
    };

    std::vector<std::int64_t> refs;
    for (int i = 0; i < kRandomRefs; ++i) {
      refs.push_back(std::uniform_int_distribution<std::int64_t>(start, lastRef)(rng));
    }
    for (const std::int64_t due : dues) {
      if (due > start && due <= lastRef) {
        refs.push_back(due);
        refs.push_back(due - 1);
      }
    }
    for (const std::int64_t ref : refs) {
      check(ref);
      if (HasFailure()) {
        break;
      }
    }

    // Chaining from each result, as the schedule browser does, lists each due instant once.
    std::vector<std::int64_t> chained;
    std::optional<CDateTime> next = schedule.NextOccurrence(FromSeconds(start));
    while (next && next->Seconds() <= complete && chained.size() <= dues.size()) {
      chained.push_back(next->Seconds());
      next = schedule.NextOccurrence(*next);
    }
    std::vector<std::int64_t> expected;
    std::copy_if(dues.begin(), dues.end(), std::back_inserter(expected),
                 [&](std::int64_t due) { return due > start && due <= complete; });
    EXPECT_EQ(chained, expected);
  }
}

std::string FrequencyName(const ::testing::TestParamInfo<int>& info) {
  static constexpr std::array<const char*, 8> kNames = {
      "Daily", "Weekly", "Monthly", "Annual", "OneTime", "EveryNDays", "EveryNWeeks", "NthWeekday"};
  return kNames[static_cast<std::size_t>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Frequencies, RecurrenceBruteForce,
                         ::testing::Range(0, kFirstKindParam + 3), FrequencyName);

// ---------------------------------------------------------------------------------------------
// Scheduling against the location's clock.

class RescheduleTest : public ::testing::Test {
 protected:
  RescheduleTest() {
    // A namesake that sorts first, on another offset: only name and country together match.
    Add("Paris", "Arkansas", -6);
    m_paris = Add("Paris", "France", 1);
    DstRule summer;  // first Sunday of April to last Sunday of October
    summer.enabled = 1;
    m_paris->SetDstRule(summer);
  }

  CLocation* Add(const std::string& name, const std::string& country, int offset) {
    auto location = std::make_unique<CLocation>();
    location->SetName(name);
    location->SetCountry(country);
    location->SetOffset(offset);
    CLocation* raw = location.get();
    m_db.Insert(std::move(location));
    return raw;
  }

  static CEvent ParisAlarm(Event e) {
    CEvent alarm = MakeAlarm(e);
    CEvent::SetText(alarm.Fields().locationName, "Paris");
    CEvent::SetText(alarm.Fields().locationCountry, "France");
    return alarm;
  }

  // 14:00:00 in Paris: one hour of offset and one of summer time.
  test::FakeClock m_clock{1997, 7, 1, 12, 0, 0};
  CLocationDB m_db;
  CLocation* m_paris = nullptr;
};

TEST_F(RescheduleTest, ConstructionSchedulesFromTheLocationsWallClock) {
  // The reference is exactly 14:00:00 local: the same time is not taken, a second later is.
  CEvent atNow = ParisAlarm({.time = "14:00:00"});
  const CEventSchedule now(&atNow, m_db);
  EXPECT_EQ(now.Location(), m_paris);
  EXPECT_EQ(now.Next(), At(1997, 7, 2, 14, 0, 0));
  EXPECT_FALSE(now.IsLate());

  CEvent atLater = ParisAlarm({.time = "14:00:01"});
  const CEventSchedule later(&atLater, m_db);
  EXPECT_EQ(later.Next(), At(1997, 7, 1, 14, 0, 1));
}

TEST_F(RescheduleTest, ConstructionWithoutLocationHasNoNext) {
  CEvent wrongCase = ParisAlarm({});
  CEvent::SetText(wrongCase.Fields().locationName, "paris");
  const CEventSchedule schedule(&wrongCase, m_db);
  EXPECT_EQ(schedule.Location(), nullptr);
  EXPECT_EQ(schedule.Next(), kNone);
}

TEST_F(RescheduleTest, RescheduleReadsTheClockAgain) {
  CEvent alarm = ParisAlarm({.time = "14:30:00"});
  CEventSchedule schedule(&alarm, m_db);
  EXPECT_EQ(schedule.Next(), At(1997, 7, 1, 14, 30, 0));

  m_clock.Advance(3600);  // 15:00 local
  schedule.Reschedule();
  EXPECT_EQ(schedule.Next(), At(1997, 7, 2, 14, 30, 0));

  // In winter Paris is one hour ahead of GMT only: 13:30 GMT is 14:30 local.
  m_clock.Set(At(1997, 11, 3, 13, 30, 0).Seconds());
  schedule.Reschedule();
  EXPECT_EQ(schedule.Next(), At(1997, 11, 4, 14, 30, 0));
  m_clock.Advance(-1);
  schedule.Reschedule();
  EXPECT_EQ(schedule.Next(), At(1997, 11, 3, 14, 30, 0));
}

TEST_F(RescheduleTest, RescheduleFindsTheLocationAgain) {
  CEvent alarm = ParisAlarm({});
  CEventSchedule schedule(&alarm, m_db);
  ASSERT_TRUE(schedule.Next().has_value());

  std::unique_ptr<CLocation> removed =
      m_db.RemoveAt(static_cast<std::size_t>(m_db.IndexOf(m_paris)), false);
  schedule.Reschedule();
  EXPECT_EQ(schedule.Location(), nullptr);
  EXPECT_EQ(schedule.Next(), kNone);

  m_db.Insert(std::move(removed));
  schedule.Reschedule();
  EXPECT_EQ(schedule.Location(), m_paris);
  EXPECT_EQ(schedule.Next(), At(1997, 7, 2, 10, 0, 0));
}

TEST_F(RescheduleTest, RescheduleWithReferenceKeepsTheLocation) {
  CEvent alarm = ParisAlarm({});
  CEventSchedule schedule(&alarm, m_db);
  // Kept alive so that the schedule's pointer stays valid while the database no longer has it.
  const std::unique_ptr<CLocation> removed =
      m_db.RemoveAt(static_cast<std::size_t>(m_db.IndexOf(m_paris)), false);

  schedule.Reschedule(At(2001, 1, 1, 11, 0, 0));
  EXPECT_EQ(schedule.Location(), m_paris);
  EXPECT_EQ(schedule.Next(), At(2001, 1, 2, 10, 0, 0));

  alarm.Fields().frequency = kOneTime;
  CEvent::SetText(alarm.Fields().dateText, "01/01/2001");
  schedule.Reschedule(At(2001, 1, 1, 11, 0, 0));
  EXPECT_EQ(schedule.Next(), kNone);
}

TEST_F(RescheduleTest, SetNextTakesTheGivenFields) {
  CEvent alarm = ParisAlarm({});
  CEventSchedule schedule(&alarm, m_db);
  // A saved instant in the past is kept as it is: it is what makes a missed alarm late.
  schedule.SetNext(1990, 5, 6, 7, 8, 9);
  EXPECT_EQ(schedule.Next(), At(1990, 5, 6, 7, 8, 9));
  // Fields past their range count on, as every built wall-clock time does.
  schedule.SetNext(1997, 2, 29, 24, 0, 0);
  EXPECT_EQ(schedule.Next(), At(1997, 3, 2, 0, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// Records from disk are untrusted.

TEST(UntrustedRecord, FieldsOutOfRangeHaveNoOccurrence) {
  const CDateTime ref = At(1997, 6, 10, 12, 0, 0);
  // The bounds themselves are valid, so the rejections below are exactly the damaged fields.
  const std::vector<Case> valid = {
      {"midnight", {.time = "00:00:00"}, ref, At(1997, 6, 11, 0, 0, 0)},
      {"last second", {.time = "23:59:59"}, ref, At(1997, 6, 10, 23, 59, 59)},
      {"pre-notify 99", {.time = "23:59:59", .preNotify = 99}, ref, At(1997, 6, 10, 22, 20, 59)},
      {"Saturday", {.frequency = kWeekly, .weekday = 7}, ref, At(1997, 6, 14, 10, 0, 0)},
      {"monthDay 31", {.frequency = kMonthly, .monthDay = 31}, ref, At(1997, 7, 31, 10, 0, 0)},
      {"December 31",
       {.frequency = kAnnual, .annualMonth = 12, .annualDay = 31},
       ref,
       At(1997, 12, 31, 10, 0, 0)},
      {"one-time", {.frequency = kOneTime, .date = "12/31/1997"}, ref, At(1997, 12, 31, 10, 0, 0)},
  };
  ExpectAll(valid);

  const std::vector<Case> damaged = {
      {"time never set up", {.time = ""}, ref, kNone},
      {"hour 24", {.time = "24:00:00"}, ref, kNone},
      {"minute 60", {.time = "23:60:00"}, ref, kNone},
      {"second 60", {.time = "23:59:60"}, ref, kNone},
      {"one-digit hour", {.time = "9:00:00"}, ref, kNone},
      {"no seconds", {.time = "10:00"}, ref, kNone},
      {"letter in the hour", {.time = "1O:00:00"}, ref, kNone},
      {"signed hour", {.time = "-1:00:00"}, ref, kNone},
      {"blank-padded hour", {.time = " 9:00:00"}, ref, kNone},
      {"pre-notify -1", {.preNotify = -1}, ref, kNone},
      {"pre-notify 100", {.preNotify = 100}, ref, kNone},
      // Every other field would do for any frequency.
      {"frequency -1",
       {.frequency = -1, .weekday = 1, .annualMonth = 1, .date = "12/31/1997"},
       ref,
       kNone},
      {"frequency 5",
       {.frequency = 5, .weekday = 1, .annualMonth = 1, .date = "12/31/1997"},
       ref,
       kNone},
      {"weekday not set", {.frequency = kWeekly, .weekday = 0}, ref, kNone},
      {"weekday 8", {.frequency = kWeekly, .weekday = 8}, ref, kNone},
      {"weekday -1", {.frequency = kWeekly, .weekday = -1}, ref, kNone},
      {"monthDay 0 without last day", {.frequency = kMonthly, .monthDay = 0}, ref, kNone},
      {"monthDay 32", {.frequency = kMonthly, .monthDay = 32}, ref, kNone},
      {"monthDay -1", {.frequency = kMonthly, .monthDay = -1}, ref, kNone},
      {"annual month not set", {.frequency = kAnnual, .annualMonth = 0}, ref, kNone},
      {"annual month 13", {.frequency = kAnnual, .annualMonth = 13}, ref, kNone},
      {"annual day 0", {.frequency = kAnnual, .annualMonth = 1, .annualDay = 0}, ref, kNone},
      {"annual day 32", {.frequency = kAnnual, .annualMonth = 1, .annualDay = 32}, ref, kNone},
      {"date never set up", {.frequency = kOneTime, .date = ""}, ref, kNone},
      {"month 13", {.frequency = kOneTime, .date = "13/01/1997"}, ref, kNone},
      {"month 0", {.frequency = kOneTime, .date = "00/10/1997"}, ref, kNone},
      {"day 0", {.frequency = kOneTime, .date = "07/00/1997"}, ref, kNone},
      {"day 32", {.frequency = kOneTime, .date = "07/32/1997"}, ref, kNone},
      {"one-digit month and day", {.frequency = kOneTime, .date = "7/4/1997"}, ref, kNone},
      {"two-digit year", {.frequency = kOneTime, .date = "07/04/97"}, ref, kNone},
      {"letter in the year", {.frequency = kOneTime, .date = "07/04/19x7"}, ref, kNone},
  };
  ExpectAll(damaged);
}

TEST(UntrustedRecord, RicherRepeatsOutOfRangeHaveNoOccurrence) {
  const CDateTime ref = At(2026, 6, 10, 12, 0, 0);
  const auto nth = [](int interval, int weekdays, int ordinal) {
    return Event{.frequency = kMonthly,
                 .date = "01/01/2026",
                 .extras = {.kind = RepeatKind::kNthWeekday,
                            .interval = interval,
                            .weekdays = weekdays,
                            .ordinal = ordinal}};
  };
  ExpectAll({
      {"valid at the bounds: the fifth of all days", nth(255, 127, 5), At(2025, 12, 1, 0, 0, 0),
       At(2026, 1, 5, 10, 0, 0)},
      {"... and 255 months on", nth(255, 127, 5), ref, At(2047, 4, 5, 10, 0, 0)},
      {"interval 0", nth(0, 127, 1), ref, kNone},
      {"no weekday", nth(1, 0, 1), ref, kNone},
      {"ordinal 0", nth(1, 127, 0), ref, kNone},
      {"ordinal 6", nth(1, 127, 6), ref, kNone},
      {"no start date",
       {.date = "", .extras = {.kind = RepeatKind::kEveryNDays, .interval = 2}},
       ref,
       kNone},
      {"weeks without a weekday",
       {.frequency = kWeekly,
        .date = "01/01/2026",
        .extras = {.kind = RepeatKind::kEveryNWeeks, .interval = 1}},
       ref,
       kNone},
  });
}

TEST(UntrustedRecord, TextsWithoutTerminatorStayInTheirFields) {
  // Every byte non-zero: a read looking for a terminator would run off the end of the object,
  // which the address sanitizer reports. Frequency and pre-notify are garbage as well.
  auto alarm = std::make_unique<CEvent>();
  std::vector<std::uint8_t> bytes(CEvent::kRecordSize, '1');
  std::memcpy(bytes.data() + offsetof(AlarmRecord, timeText), "10:00:00:", 9);
  std::memcpy(bytes.data() + offsetof(AlarmRecord, dateText), "07/04/1997/", 11);
  alarm->FromBytes(bytes.data());
  const CLocationDB db;
  const CEventSchedule schedule(alarm.get(), db);
  EXPECT_EQ(schedule.NextOccurrence(At(1997, 6, 10, 12, 0, 0)), kNone);

  // With usable numbers the texts are read by their positions; the byte in place of the
  // terminator changes nothing.
  alarm->Fields().frequency = kOneTime;
  alarm->Fields().preNotifyMinutes = 0;
  EXPECT_EQ(schedule.NextOccurrence(At(1997, 6, 10, 12, 0, 0)), At(1997, 7, 4, 10, 0, 0));
}

TEST(UntrustedRecord, EndOfTheRangeEndsTheSearch) {
  // 2099-12-31 23:59:59: every later instant saturates to this one, so nothing is later.
  const CDateTime end = CDateTime::FromSeconds(CDateTime::kLastSecond);
  const std::vector<Case> cases = {
      {"daily", {.time = "23:59:59"}, end, kNone},
      {"daily, pre-notified", {.time = "23:00:00", .preNotify = 99}, end, kNone},
      {"weekly", {.frequency = kWeekly, .weekday = 3}, end, kNone},
      {"monthly", {.frequency = kMonthly, .monthDay = 31}, end, kNone},
      {"monthly, last day", {.frequency = kMonthly, .monthDay = 0, .lastDay = 1}, end, kNone},
      {"annual", {.frequency = kAnnual, .annualMonth = 2, .annualDay = 29}, end, kNone},
      {"one-time at the end",
       {.frequency = kOneTime, .time = "23:59:59", .date = "12/31/2099"},
       end,
       kNone},
      {"one-time past the end", {.frequency = kOneTime, .date = "12/31/9999"}, end, kNone},
      // Clamped from beyond the range, these are no real times: no alarm may fire for them.
      {"daily, next one beyond the end", {.time = "04:00:00"}, At(2099, 12, 31, 5, 0, 0), kNone},
      {"one-time far in the future",
       {.frequency = kOneTime, .date = "12/31/9999"},
       At(2026, 12, 8, 12, 0, 0),
       kNone},
      {"daily, just before the end",
       {.time = "02:00:00"},
       At(2099, 12, 30, 3, 0, 0),
       At(2099, 12, 31, 2, 0, 0)},
  };
  ExpectAll(cases);
}

}  // namespace
