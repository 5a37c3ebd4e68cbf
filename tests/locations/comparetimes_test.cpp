// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/comparetimes.h"

#include <gtest/gtest.h>

#include "support/fakeclock.h"

using namespace zw;

namespace {

CLocation Make(const char* name, const char* country, int hours = 0, int minutes = 0) {
  CLocation loc;
  loc.SetName(name);
  loc.SetCountry(country);
  loc.SetOffset(hours);
  loc.SetOffsetMinutes(minutes);
  return loc;
}

const CDateTime kNoon(2026, 12, 8, 12, 0, 0);

struct SentenceCase {
  int leftAheadSeconds;  // left local time minus right local time
  const char* distance;
};

class Sentence : public testing::TestWithParam<SentenceCase> {};

TEST_P(Sentence, WordsTheDistanceBetweenTheLocalTimes) {
  CLocation left = Make("Bombay", "India");
  CLocation right = Make("London", "England");
  // Only the converted local times count, however they were reached.
  const PlaceTime leftTime = PlaceTime::FromLocal(
      left, kNoon + CDateSpan(0, 0, 0, GetParam().leftAheadSeconds), DisplayOptions{});
  const PlaceTime rightTime = PlaceTime::FromLocal(right, kNoon, DisplayOptions{});
  EXPECT_EQ(CCompareTimes::Sentence(left, leftTime.local, right, rightTime.local),
            std::string("Bombay in India") + GetParam().distance + "London in England");
}

constexpr int kMinute = 60;
constexpr int kHour = 3600;
constexpr int kDay = 86400;

INSTANTIATE_TEST_SUITE_P(
    Distances, Sentence,
    testing::Values(SentenceCase{0, " has the same time as "},
                    SentenceCase{6 * kHour, " is 6 hours later than "},
                    SentenceCase{-6 * kHour, " is 6 hours earlier than "},
                    SentenceCase{5 * kHour + 30 * kMinute, " is 5 hours 30 minutes later than "},
                    SentenceCase{-5 * kHour - 30 * kMinute, " is 5 hours 30 minutes earlier than "},
                    SentenceCase{kHour, " is 1 hour later than "},
                    SentenceCase{-30 * kMinute, " is 30 minutes earlier than "},
                    SentenceCase{kMinute, " is 1 minute later than "},
                    SentenceCase{-kHour - kMinute, " is 1 hour 1 minute earlier than "},
                    SentenceCase{2 * kHour + kMinute, " is 2 hours 1 minute later than "},
                    // Whole days are not shown, not even when nothing else is left.
                    SentenceCase{kDay, " is later than "}, SentenceCase{-kDay, " is earlier than "},
                    SentenceCase{kDay + 90 * kMinute, " is 1 hour 30 minutes later than "},
                    SentenceCase{-kDay - 30 * kMinute, " is 30 minutes earlier than "},
                    SentenceCase{30, " is later than "}));

TEST(CompareSentence, CountryIsLeftOutWhenEmpty) {
  struct Case {
    const char* leftCountry;
    const char* rightCountry;
    const char* expected;
  };
  const Case cases[] = {
      {"", "England", "Gibraltar is 1 hour later than London in England"},
      {"Spain", "", "Gibraltar in Spain is 1 hour later than London"},
      {"", "", "Gibraltar is 1 hour later than London"},
  };
  for (const Case& c : cases) {
    CLocation left = Make("Gibraltar", c.leftCountry, 1);
    CLocation right = Make("London", c.rightCountry);
    EXPECT_EQ(CCompareTimes::Sentence(left, PlaceTime::FromGmt(left, kNoon, {}).local, right,
                                      PlaceTime::FromGmt(right, kNoon, {}).local),
              c.expected);
  }
}

TEST(CompareSentence, SameLocationOnBothSidesIsEmptyButATwinIsCompared) {
  CLocation paris = Make("Paris", "France", 1);
  CLocation twin = Make("Paris", "France", 1);
  const CDateTime noon = PlaceTime::FromGmt(paris, kNoon, DisplayOptions{}).local;
  EXPECT_EQ(CCompareTimes::Sentence(paris, noon, paris, noon), "");
  EXPECT_EQ(CCompareTimes::Sentence(paris, noon, twin, noon),
            "Paris in France has the same time as Paris in France");
}

TEST(CompareTimes, NothingIsShownWithoutATimeOrWithoutBothLocations) {
  test::FakeClock clock(2026, 12, 8, 15, 0, 0);
  CLocation left = Make("Paris", "France", 1);
  CLocation right = Make("New York", "United States", -5);
  CCompareTimes compare;
  EXPECT_EQ(compare.Show(&left, &right, DisplayOptions{}), CCompareTimes::Texts{});
  EXPECT_FALSE(compare.Convert(left, DisplayOptions{}));

  compare.TakeNow();
  EXPECT_EQ(compare.Show(nullptr, &right, DisplayOptions{}), CCompareTimes::Texts{});
  EXPECT_EQ(compare.Show(&left, nullptr, DisplayOptions{}), CCompareTimes::Texts{});
  // Both parts are shown whatever the clock shows.
  DisplayOptions timeOnly;
  timeOnly.displayMode = DisplayOptions::kTimeOnly;
  EXPECT_EQ(compare.Show(&left, &right, timeOnly).left, "12/08/2026  04:00:00 PM");

  compare.Drop();
  EXPECT_EQ(compare.Show(&left, &right, DisplayOptions{}), CCompareTimes::Texts{});
}

struct SwitchCase {
  int month, day, hour, minute;  // entered wall-clock time in 1997
  int gmtHour, gmtMinute;        // the GMT instant it is taken for, that day
};

class ComparisonOnSwitchDay : public testing::TestWithParam<SwitchCase> {};

// GMT-5 with daylight saving from the 1st Sunday of April (April 6, 1997) to the last Sunday
// of October (October 26, 1997), both at 2:00.
TEST_P(ComparisonOnSwitchDay, ResolvesTheWallClockTime) {
  const SwitchCase& c = GetParam();
  CLocation loc = Make("New York", "United States", -5);
  loc.SetDstRule(1, 0, 0, 3, 2, DstRule::kLast, 0, 9, 2);
  const CDateTime entered(1997, c.month, c.day, c.hour, c.minute, 0);
  const PlaceTime time = PlaceTime::FromLocalForComparison(loc, entered, DisplayOptions{});
  EXPECT_EQ(time.gmt, CDateTime(1997, c.month, c.day, c.gmtHour, c.gmtMinute, 0));
  EXPECT_EQ(time.local, entered);
}

// The skipped hour is read as standard time, where the events' conversion would move it an
// hour earlier; of the repeated hour the second, standard-time pass is taken.
INSTANTIATE_TEST_SUITE_P(
    SkippedAndRepeatedHours, ComparisonOnSwitchDay,
    testing::Values(SwitchCase{4, 6, 1, 30, 6, 30}, SwitchCase{4, 6, 2, 0, 7, 0},
                    SwitchCase{4, 6, 2, 30, 7, 30}, SwitchCase{4, 6, 3, 30, 7, 30},
                    SwitchCase{10, 26, 0, 30, 4, 30}, SwitchCase{10, 26, 1, 0, 6, 0},
                    SwitchCase{10, 26, 1, 30, 6, 30}, SwitchCase{10, 26, 2, 30, 7, 30}));

}  // namespace
