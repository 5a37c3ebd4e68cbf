// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/schedulelisting.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "events/eventlist.h"
#include "events/eventsummary.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"

using namespace zw;

namespace {

std::int64_t At(int year, int month, int day, int hour, int minute, int second = 0) {
  return CDateTime(year, month, day, hour, minute, second).Seconds();
}

struct NewEvent {
  std::string name;
  std::string location = "London";
  std::string time = "10:00:00";
  int frequency = kDaily;
  int preNotify = 0;
};

// London keeps GMT all year; New York has daylight time from the 2nd Sunday of March to the
// 1st Sunday of November, Paris none, so each case knows its offsets exactly.
class ScheduleListingTest : public ::testing::Test {
 protected:
  ScheduleListingTest() {
    AddPlace("London", 0, 0, false);
    AddPlace("Paris", 1, 0, false);
    AddPlace("New York", -5, 0, true);
    AddPlace("Bombay", 5, 30, false);
  }

  void AddPlace(const char* name, int hours, int minutes, bool dst) {
    auto location = std::make_unique<CLocation>();
    location->SetName(name);
    location->SetCountry("Country");
    location->SetOffset(hours);
    location->SetOffsetMinutes(minutes);
    if (dst) {
      location->SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
    }
    db.Insert(std::move(location));
  }

  CEvent& Add(const NewEvent& wanted) {
    auto alarm = std::make_unique<CEvent>();
    AlarmRecord& r = alarm->Fields();
    CEvent::SetText(r.name, wanted.name);
    CEvent::SetText(r.locationName, wanted.location);
    CEvent::SetText(r.locationCountry, "Country");
    CEvent::SetText(r.timeText, wanted.time);
    r.frequency = wanted.frequency;
    r.preNotifyMinutes = wanted.preNotify;
    CEvent& added = *alarm;
    alarms.Add(std::move(alarm));
    return added;
  }

  CZone Zone(const char* name) const {
    return db.At(static_cast<std::size_t>(db.Find(name, "Country")))->Zone();
  }

  std::vector<std::int64_t> Due() const {
    std::vector<std::int64_t> due;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
      due.push_back(listing.At(i).gmt);
    }
    return due;
  }
  std::vector<std::int64_t> Shown() const {
    std::vector<std::int64_t> shown;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
      shown.push_back(listing.At(i).shown);
    }
    return shown;
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
      texts.push_back(listing.Text(i, column, options));
    }
    return texts;
  }

  test::FakeClock clock{2026, 1, 5, 12, 0, 0};
  CLocationDB db;
  CEventList alarms{db};
  CScheduleListing listing;
  DisplayOptions options;
};

TEST_F(ScheduleListingTest, DailyEventListsOneRowPerDayAcrossAMonthEnd) {
  Add({"Stand-up"});
  listing.Fill(alarms, nullptr, 2026, 1, 30, 3);
  EXPECT_EQ(Due(), (std::vector<std::int64_t>{At(2026, 1, 30, 10, 0), At(2026, 1, 31, 10, 0),
                                              At(2026, 2, 1, 10, 0), At(2026, 2, 2, 10, 0)}));

  listing.Fill(alarms, nullptr, 2026, 12, 31, 1);
  EXPECT_EQ(Due(), (std::vector<std::int64_t>{At(2026, 12, 31, 10, 0), At(2027, 1, 1, 10, 0)}));
}

TEST_F(ScheduleListingTest, NumberOfFollowingDaysBoundsTheRange) {
  Add({"Stand-up"});
  listing.Fill(alarms, nullptr, 2026, 2, 1, 0);
  EXPECT_EQ(Due(), std::vector<std::int64_t>{At(2026, 2, 1, 10, 0)});

  listing.Fill(alarms, nullptr, 2026, 2, 1, 999);
  ASSERT_EQ(listing.Count(), 1000u);
  EXPECT_EQ(listing.At(999).gmt, At(2026, 2, 1, 10, 0) + 999 * 86400);
}

TEST_F(ScheduleListingTest, TodayStartsAtNowSoEarlierOccurrencesAreLeftOut) {
  Add({"Morning", "London", "09:00:00"});
  Add({"Noon", "London", "12:00:00"});
  Add({"Evening", "London", "18:00:00"});
  // Now is 12:00:00 exactly: a due instant equal to now is no longer to come.
  listing.Fill(alarms, nullptr, 2026, 1, 5, 0);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn), std::vector<std::string>{"Evening"});

  listing.Fill(alarms, nullptr, 2026, 1, 4, 1);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn), std::vector<std::string>{"Evening"});
}

TEST_F(ScheduleListingTest, BasisLocationSetsTheDayBoundsAndTheShownTimes) {
  // Paris 05:30 is 04:30 GMT, 23:30 of the day before in New York; Paris 09:00 is 03:00 there.
  Add({"Early", "Paris", "05:30:00"});
  Add({"Late", "Paris", "09:00:00"});
  const CZone basisNewYork = Zone("New York");
  listing.Fill(alarms, &basisNewYork, 2026, 1, 10, 0);
  EXPECT_EQ(Due(), (std::vector<std::int64_t>{At(2026, 1, 10, 8, 0), At(2026, 1, 11, 4, 30)}));
  EXPECT_EQ(Shown(), (std::vector<std::int64_t>{At(2026, 1, 10, 3, 0), At(2026, 1, 10, 23, 30)}));

  // The same day at Greenwich holds the other early occurrence.
  listing.Fill(alarms, nullptr, 2026, 1, 10, 0);
  EXPECT_EQ(Due(), (std::vector<std::int64_t>{At(2026, 1, 10, 4, 30), At(2026, 1, 10, 8, 0)}));
  EXPECT_EQ(Shown(), Due());
}

TEST_F(ScheduleListingTest, DaylightTimeCountsAtTheEventAndAtTheBasis) {
  Add({"Lunch", "New York", "12:00:00"});
  listing.Fill(alarms, nullptr, 2026, 7, 1, 0);
  EXPECT_EQ(Due(), std::vector<std::int64_t>{At(2026, 7, 1, 16, 0)});

  const CZone basisNewYork = Zone("New York");
  listing.Fill(alarms, &basisNewYork, 2026, 7, 1, 0);
  EXPECT_EQ(Shown(), std::vector<std::int64_t>{At(2026, 7, 1, 12, 0)});

  const CZone basisBombay = Zone("Bombay");
  listing.Fill(alarms, &basisBombay, 2026, 7, 1, 0);
  EXPECT_EQ(Shown(), std::vector<std::int64_t>{At(2026, 7, 1, 21, 30)});
}

TEST_F(ScheduleListingTest, EveryFrequencyListsItsOwnOccurrences) {
  CEvent& weekly = Add({"Weekly", "London", "08:00:00", kWeekly});
  weekly.Fields().weekday = 1;  // Sundays
  CEvent& monthly = Add({"Monthly", "London", "08:00:00", kMonthly});
  monthly.Fields().monthDay = 31;
  CEvent& lastDay = Add({"Last day", "London", "08:00:00", kMonthly});
  lastDay.Fields().lastDayOfMonth = 1;
  CEvent& annual = Add({"Annual", "London", "08:00:00", kAnnual});
  annual.Fields().annualMonth = 2;
  annual.Fields().annualDay = 29;
  CEvent& once = Add({"Once", "London", "08:00:00", kOneTime});
  CEvent::SetText(once.Fields().dateText, "03/15/2026");
  CEvent& past = Add({"Past", "London", "08:00:00", kOneTime});
  CEvent::SetText(past.Fields().dateText, "01/01/2026");

  // February 1 (a Sunday) to April 30, 2026.
  listing.Fill(alarms, nullptr, 2026, 2, 1, 88);
  listing.Sort(CScheduleListing::kNameColumn);
  std::vector<std::int64_t> expected;
  expected.push_back(At(2026, 3, 1, 8, 0));  // 2026 has no February 29th
  for (const int month : {2, 3, 4}) {
    expected.push_back(At(2026, month, CDateTime::DaysInMonth(2026, month), 8, 0));
  }
  expected.push_back(At(2026, 3, 31, 8, 0));  // February and April are skipped
  expected.push_back(At(2026, 3, 15, 8, 0));
  for (int day = 0; day < 13; ++day) {
    expected.push_back(At(2026, 2, 1 + 7 * day, 8, 0));
  }
  EXPECT_EQ(Due(), expected);
  EXPECT_EQ(Column(CScheduleListing::kFrequencyColumn).front(), "Annual");
  EXPECT_EQ(Column(CScheduleListing::kFrequencyColumn).back(), "Weekly");
}

TEST_F(ScheduleListingTest, PreNotifiedEventsAreListedAtTheirDueInstant) {
  Add({"Call", "London", "00:05:00", kDaily, 10});
  listing.Fill(alarms, nullptr, 2026, 2, 1, 0);
  EXPECT_EQ(Due(), std::vector<std::int64_t>{At(2026, 2, 1, 23, 55)});
  EXPECT_EQ(Column(CScheduleListing::kPreNotifyColumn), std::vector<std::string>{"10 min."});
}

TEST_F(ScheduleListingTest, EventWithoutKnownLocationIsLeftOut) {
  Add({"Nowhere", "Atlantis"});
  Add({"Here"});
  listing.Fill(alarms, nullptr, 2026, 2, 1, 1);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn), (std::vector<std::string>{"Here", "Here"}));
}

TEST_F(ScheduleListingTest, EachColumnSortsByItsOwnKeys) {
  Add({"beta", "Paris", "09:00:00", kDaily, 5});
  Add({"Alpha", "Paris", "11:00:00", kWeekly, 0}).Fields().weekday = 2;  // Mondays
  Add({"\xe9t\xe9", "London", "10:00:00", kDaily, 1});
  // Monday 2 and Tuesday 3 of February 2026.
  listing.Fill(alarms, nullptr, 2026, 2, 2, 1);
  const std::vector<std::string> byTime = {"beta", "\xe9t\xe9", "Alpha", "beta", "\xe9t\xe9"};
  EXPECT_EQ(Column(CScheduleListing::kNameColumn), byTime);

  // Names in byte order: capitals before small letters, accented letters last.
  listing.Sort(CScheduleListing::kNameColumn);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn),
            (std::vector<std::string>{"Alpha", "beta", "beta", "\xe9t\xe9", "\xe9t\xe9"}));
  EXPECT_LT(listing.At(1).gmt, listing.At(2).gmt);

  listing.Sort(CScheduleListing::kLocationColumn);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn),
            (std::vector<std::string>{"\xe9t\xe9", "\xe9t\xe9", "beta", "Alpha", "beta"}));

  listing.Sort(CScheduleListing::kFrequencyColumn);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn).back(), "Alpha");

  listing.Sort(CScheduleListing::kPreNotifyColumn);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn),
            (std::vector<std::string>{"Alpha", "\xe9t\xe9", "\xe9t\xe9", "beta", "beta"}));

  // The order handed back tells where each row came from.
  const std::vector<std::uint32_t> order = listing.Sort(CScheduleListing::kTimeColumn);
  EXPECT_EQ(Column(CScheduleListing::kNameColumn), byTime);
  EXPECT_EQ(order, (std::vector<std::uint32_t>{3, 1, 0, 4, 2}));
}

TEST_F(ScheduleListingTest, TimeColumnFollowsDateOrderAndClock) {
  Add({"Tea", "London", "16:05:09"});
  listing.Fill(alarms, nullptr, 2026, 2, 3, 0);
  EXPECT_EQ(Column(CScheduleListing::kTimeColumn),
            std::vector<std::string>{"02/03/2026 04:05:09 PM"});
  options.dateOrder = CDateTime::kYearMonthDay;
  options.hour24 = true;
  EXPECT_EQ(Column(CScheduleListing::kTimeColumn), std::vector<std::string>{"2026-02-03 16:05:09"});
  options.dateOrder = CDateTime::kDayMonthYear;
  EXPECT_EQ(Column(CScheduleListing::kTimeColumn), std::vector<std::string>{"03.02.2026 16:05:09"});
  EXPECT_EQ(Column(CScheduleListing::kPreNotifyColumn), std::vector<std::string>{""});
}

TEST_F(ScheduleListingTest, SummaryShowsTheEventTimeAtItsLocation) {
  CEvent& alarm = Add({"Board meeting", "New York", "09:30:00", kOneTime, 15});
  AlarmRecord& r = alarm.Fields();
  r.showMessage = 1;
  CEvent::SetText(r.messageText, "Bring the figures");
  r.runProgram = 1;
  CEvent::SetText(r.programCommand, "report --all");
  // Due at 09:15 New York daylight time, 13:15 GMT, on Wednesday July 1, 2026.
  EventSummary summary =
      EventSummary::Of(alarm, Zone("New York"), CDateTime(2026, 7, 1, 13, 15, 0), options);
  EXPECT_EQ(summary.when, "Wednesday, 07/01/2026  09:30:00 AM");
  EXPECT_EQ(summary.name, "Board meeting");
  EXPECT_EQ(summary.location, "New York, Country");
  EXPECT_EQ(summary.frequency, "One Time");
  EXPECT_EQ(summary.preNotify, "15 minutes");
  EXPECT_EQ(summary.action,
            "Display message box text: Bring the figures\n\nRun program: report --all");

  r.preNotifyMinutes = 1;
  r.showMessage = 0;
  r.runProgram = 0;
  r.playMedia = 1;
  CEvent::SetText(r.mediaFile, "gong.wav");
  r.frequency = kAnnual;
  options.hour24 = true;
  options.dateOrder = CDateTime::kDayMonthYear;
  summary = EventSummary::Of(alarm, Zone("New York"), CDateTime(2026, 7, 1, 13, 15, 0), options);
  EXPECT_EQ(summary.when, "Wednesday, 01.07.2026  09:16:00");
  EXPECT_EQ(summary.preNotify, "1 minute");
  EXPECT_EQ(summary.frequency, "Annual");
  EXPECT_EQ(summary.action, "Play multimedia file name: gong.wav\n\n");

  r.preNotifyMinutes = 0;
  summary = EventSummary::Of(alarm, Zone("New York"), CDateTime(2026, 7, 1, 13, 15, 0), options);
  EXPECT_EQ(summary.preNotify, "No");
  EXPECT_EQ(summary.when, "Wednesday, 01.07.2026  09:15:00");
}

}  // namespace
