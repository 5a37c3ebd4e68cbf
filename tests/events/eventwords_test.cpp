// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventwords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "events/event.h"
#include "events/eventschedule.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"

using namespace zw;

namespace {

CEvent Make(int frequency, const char* time, EventExtras extras = {}) {
  CEvent alarm;
  AlarmRecord& r = alarm.Fields();
  r.frequency = frequency;
  CEvent::SetText(r.timeText, time);
  CEvent::SetText(r.locationName, "Tokyo");
  CEvent::SetText(r.dateText, "07/04/2026");
  r.weekday = 2;
  r.monthDay = 15;
  r.annualMonth = 2;
  r.annualDay = 29;
  alarm.SetExtras(extras);
  return alarm;
}

TEST(EventWords, EveryRepeatReadsAsASentence) {
  using X = EventExtras;
  const auto nth = [](int weekdays, int ordinal, int interval) {
    return X{.kind = RepeatKind::kNthWeekday,
             .interval = interval,
             .weekdays = weekdays,
             .ordinal = ordinal};
  };
  const auto weeks = [](int weekdays, int interval) {
    return X{.kind = RepeatKind::kEveryNWeeks, .interval = interval, .weekdays = weekdays};
  };
  struct Case {
    CEvent alarm;
    const char* words;
  };
  CEvent lastDay = Make(kMonthly, "18:30:00");
  lastDay.Fields().lastDayOfMonth = 1;
  const Case cases[] = {
      {Make(kDaily, "09:00:00"), "Every day at 09:00, Tokyo"},
      {Make(kWeekly, "09:00:30"), "Every Monday at 09:00:30, Tokyo"},
      {Make(kMonthly, "18:30:00"), "On day 15 of every month at 18:30, Tokyo"},
      {lastDay, "On the last day of every month at 18:30, Tokyo"},
      {Make(kAnnual, "00:00:00"), "Every year on February 29 at 00:00, Tokyo"},
      {Make(kOneTime, "23:59:00"), "Once on 2026-07-04 at 23:59, Tokyo"},
      {Make(kDaily, "09:00:00", {.kind = RepeatKind::kEveryNDays, .interval = 3}),
       "Every 3 days at 09:00, Tokyo"},
      {Make(kWeekly, "09:00:00", weeks(X::kMondayToFriday, 1)), "Every weekday at 09:00, Tokyo"},
      {Make(kWeekly, "09:00:00", weeks(0x41, 1)), "Every weekend day at 09:00, Tokyo"},
      {Make(kWeekly, "09:00:00", weeks(0x12, 2)),
       "Every 2 weeks on Monday and Thursday at 09:00, Tokyo"},
      {Make(kWeekly, "09:00:00", weeks(0x2B, 1)),
       "Every Monday, Wednesday, Friday and Sunday at 09:00, Tokyo"},
      {Make(kWeekly, "09:00:00", weeks(X::kMondayToFriday, 2)),
       "Every 2 weeks on weekdays at 09:00, Tokyo"},
      {Make(kMonthly, "09:00:00", nth(0x02, 1, 1)),
       "On the first Monday of every month at 09:00, Tokyo"},
      {Make(kMonthly, "09:00:00", nth(X::kMondayToFriday, X::kLastOrdinal, 3)),
       "On the last weekday of every 3 months at 09:00, Tokyo"},
      // An earlier version set another frequency: its own repeat is what comes.
      {Make(kAnnual, "09:00:00", nth(0x02, 1, 1)), "Every year on February 29 at 09:00, Tokyo"},
      {Make(kMonthly, "09:00:00", nth(0, 1, 1)), "Never at 09:00, Tokyo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepeatWords(c.alarm, true), c.words);
  }
  EXPECT_EQ(RepeatWords(Make(kDaily, "00:05:00"), false), "Every day at 12:05 AM, Tokyo");
  EXPECT_EQ(RepeatWords(Make(kDaily, "13:00:00"), false), "Every day at 1:00 PM, Tokyo");
}

TEST(EventWords, NextTimeInThePlaceAndInTheComputersZone) {
  test::FakeClock clock{2026, 12, 8, 0, 0, 0};  // 09:00 in Tokyo
  CLocationDB db;
  auto tokyo = std::make_unique<CLocation>();
  tokyo->SetName("Tokyo");
  tokyo->SetCountry("Japan");
  tokyo->SetOffset(9);
  db.Insert(std::move(tokyo));
  CEvent alarm = Make(kDaily, "10:00:00");
  CEvent::SetText(alarm.Fields().locationCountry, "Japan");
  alarm.Fields().preNotifyMinutes = 15;
  CEventSchedule schedule(&alarm, db);
  // The computer keeps New York time, 14 hours behind in December.
  const ComputerZone newYork = [](const CDateTime& gmt) { return gmt - CDateSpan(0, 5, 0, 0); };
  const std::optional<NextTimes> next = NextTimesOf(schedule, newYork);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->place, CDateTime(2026, 12, 8, 10, 0, 0));
  EXPECT_EQ(next->gmt, CDateTime(2026, 12, 8, 1, 0, 0));
  EXPECT_EQ(next->computer, CDateTime(2026, 12, 7, 20, 0, 0));

  alarm.SetOff(true);
  schedule.Reschedule();
  EXPECT_FALSE(NextTimesOf(schedule, newYork));

  // The C library's zone, set for this process only.
  ::setenv("TZ", "America/New_York", 1);
  ::tzset();
  EXPECT_EQ(ComputerLocalTime(CDateTime(2026, 7, 1, 12, 0, 0)), CDateTime(2026, 7, 1, 8, 0, 0));
  EXPECT_EQ(ComputerLocalTime(CDateTime(2026, 12, 1, 12, 0, 0)), CDateTime(2026, 12, 1, 7, 0, 0));
}

}  // namespace
