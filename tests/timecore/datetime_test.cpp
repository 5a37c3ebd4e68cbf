// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <string>

#include "printers.h"
#include "timecore/datespan.h"
#include "timecore/datetime.h"

using namespace zw;

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kTop = CDateTime::kLastSecond;
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();

const CDateSpan kOneSecond(0, 0, 0, 1);
const CDateSpan kOneDay(1, 0, 0, 0);

// ---------------------------------------------------------------------------------------------
// Fields and seconds

TEST(DateTimeFields, EpochIsZeroSecondsOnAThursday) {
  const CDateTime epoch(1970, 1, 1, 0, 0, 0);
  EXPECT_EQ(epoch.Seconds(), 0);
  EXPECT_EQ(epoch.DayOfWeek(), 5);
  EXPECT_EQ(Iso(CDateTime::FromSeconds(0)), "1970-01-01 00:00:00");
}

TEST(DateTimeFields, LeapDayOf2000ExistsAndMarchFollows) {
  const CDateTime leapDay(2000, 2, 29, 12, 0, 0);
  EXPECT_EQ(Iso(leapDay), "2000-02-29 12:00:00");
  EXPECT_EQ(Iso(leapDay + kOneDay), "2000-03-01 12:00:00");
  EXPECT_EQ(CDateTime(2000, 3, 1, 0, 0, 0) - CDateTime(2000, 2, 28, 0, 0, 0),
            CDateSpan(2, 0, 0, 0));
  EXPECT_EQ(CDateTime(1997, 3, 1, 0, 0, 0) - CDateTime(1997, 2, 28, 0, 0, 0), kOneDay);
}

TEST(DateTimeFields, LastSecondOfAYearRollsIntoTheNext) {
  EXPECT_EQ(Iso(CDateTime(1996, 12, 31, 23, 59, 59) + kOneSecond), "1997-01-01 00:00:00");
  EXPECT_EQ(Iso(CDateTime(2037, 12, 31, 23, 59, 59) + kOneSecond), "2038-01-01 00:00:00");
  EXPECT_EQ(Iso(CDateTime(2098, 12, 31, 23, 59, 59) + kOneSecond), "2099-01-01 00:00:00");
}

TEST(DateTimeFields, LeapYearsAreEveryFourthYear) {
  EXPECT_TRUE(CDateTime::IsLeapYear(1972));
  EXPECT_TRUE(CDateTime::IsLeapYear(1996));
  EXPECT_TRUE(CDateTime::IsLeapYear(2000));
  EXPECT_FALSE(CDateTime::IsLeapYear(1970));
  EXPECT_FALSE(CDateTime::IsLeapYear(1997));
  EXPECT_FALSE(CDateTime::IsLeapYear(2037));

  EXPECT_EQ(CDateTime::DaysInMonth(1996, 2), 29);
  EXPECT_EQ(CDateTime::DaysInMonth(1997, 2), 28);
  EXPECT_EQ(CDateTime::DaysInMonth(1997, 4), 30);
  EXPECT_EQ(CDateTime::DaysInMonth(1997, 12), 31);
  EXPECT_EQ(CDateTime::DaysInMonth(1997, 0), 0);
  EXPECT_EQ(CDateTime::DaysInMonth(1997, 13), 0);
}

// Fields are not range-checked: anything past the end of its unit runs on into the next one.
TEST(DateTimeFields, OutOfRangeFieldsRunOn) {
  struct Case {
    CDateTime given;
    const char* expected;
  };
  const Case cases[] = {
      {CDateTime(1997, 4, 31, 10, 20, 30), "1997-05-01 10:20:30"},
      {CDateTime(1997, 2, 29, 0, 0, 0), "1997-03-01 00:00:00"},
      {CDateTime(1997, 1, 32, 0, 0, 0), "1997-02-01 00:00:00"},
      {CDateTime(1997, 12, 32, 0, 0, 0), "1998-01-01 00:00:00"},
      {CDateTime(1997, 3, 0, 0, 0, 0), "1997-02-28 00:00:00"},
      {CDateTime(1996, 3, 0, 0, 0, 0), "1996-02-29 00:00:00"},
      {CDateTime(1997, 5, 7, 24, 0, 0), "1997-05-08 00:00:00"},
      {CDateTime(1997, 5, 7, 0, 60, 0), "1997-05-07 01:00:00"},
      {CDateTime(1997, 5, 7, 0, 0, 86400), "1997-05-08 00:00:00"},
      {CDateTime(1997, 5, 7, -1, 0, 0), "1997-05-06 23:00:00"},
      {CDateTime(1997, 13, 1, 0, 0, 0), "1998-01-01 00:00:00"},
      {CDateTime(1997, 25, 1, 0, 0, 0), "1999-01-01 00:00:00"},
      {CDateTime(1997, 0, 15, 0, 0, 0), "1996-12-15 00:00:00"},
      {CDateTime(1997, -11, 1, 0, 0, 0), "1996-01-01 00:00:00"},
      {CDateTime(1997, 14, 29, 0, 0, 0), "1998-03-01 00:00:00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Iso(c.given), c.expected);
  }
  EXPECT_EQ(CDateTime(1997, 4, 31, 1, 2, 3), CDateTime(1997, 5, 1, 1, 2, 3));
}

TEST(DateTimeFields, SecondsBefore1970SplitIntoEarlierDates) {
  EXPECT_EQ(Iso(CDateTime::FromSeconds(-1)), "1969-12-31 23:59:59");
  EXPECT_EQ(CDateTime::FromSeconds(-1).DayOfWeek(), 4);
  EXPECT_EQ(CDateTime(1969, 12, 31, 23, 59, 59).Seconds(), -1);
  EXPECT_EQ(Iso(CDateTime::FromSeconds(-86400)), "1969-12-31 00:00:00");
  EXPECT_EQ(Iso(CDateTime::FromSeconds(-86401)), "1969-12-30 23:59:59");
  EXPECT_EQ(Iso(CDateTime(1968, 2, 29, 6, 0, 0)), "1968-02-29 06:00:00");
  EXPECT_LT(CDateTime::FromSeconds(-1), CDateTime::FromSeconds(0));
}

TEST(DateTimeFields, RangeEndsSplitIntoTheirDates) {
  const CDateTime top = CDateTime::FromSeconds(kTop);
  EXPECT_EQ(Iso(top), "2099-12-31 23:59:59");
  EXPECT_EQ(top.DayOfWeek(), 5);
  EXPECT_EQ(CDateTime(2099, 12, 31, 23, 59, 59).Seconds(), kTop);

  const CDateTime bottom = CDateTime::FromSeconds(kMin);
  EXPECT_EQ(Iso(bottom), "1901-12-13 20:45:52");
  EXPECT_EQ(bottom.DayOfWeek(), 6);
  EXPECT_EQ(CDateTime(1901, 12, 13, 20, 45, 52).Seconds(), kMin);
}

// Every day of the range the program works in, and the years before 1970 the value can still
// hold, checked against the standard library's civil calendar (which agrees with the
// four-year rule throughout, 2000 being a leap year in both).
TEST(DateTimeFields, EveryDayRoundTripsThroughSeconds) {
  using namespace std::chrono;
  const sys_days first = year{1902} / January / 1;
  const sys_days last = year{2099} / December / 31;

  std::int64_t previousSeconds = 0;
  int previousDayOfWeek = 0;
  int count = 0;
  for (sys_days d = first; d <= last; d += days{1}, ++count) {
    const year_month_day ymd{d};
    const int y = static_cast<int>(ymd.year());
    const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
    const int dd = static_cast<int>(static_cast<unsigned>(ymd.day()));
    const std::int64_t expectedSeconds = std::int64_t{d.time_since_epoch().count()} * 86400;
    const int expectedDayOfWeek = static_cast<int>(weekday{d}.c_encoding()) + 1;

    const CDateTime midnight(y, m, dd, 0, 0, 0);
    ASSERT_EQ(midnight.Seconds(), expectedSeconds) << y << "-" << m << "-" << dd;
    ASSERT_EQ(midnight.Year(), y) << expectedSeconds;
    ASSERT_EQ(midnight.Month(), m) << expectedSeconds;
    ASSERT_EQ(midnight.Day(), dd) << expectedSeconds;
    ASSERT_EQ(midnight.Hour(), 0) << expectedSeconds;
    ASSERT_EQ(midnight.DayOfWeek(), expectedDayOfWeek) << y << "-" << m << "-" << dd;

    const CDateTime lastSecond = CDateTime::FromSeconds(expectedSeconds + 86399);
    ASSERT_EQ(lastSecond.Year(), y) << expectedSeconds;
    ASSERT_EQ(lastSecond.Month(), m) << expectedSeconds;
    ASSERT_EQ(lastSecond.Day(), dd) << expectedSeconds;
    ASSERT_EQ(lastSecond.Hour(), 23);
    ASSERT_EQ(lastSecond.Minute(), 59);
    ASSERT_EQ(lastSecond.Second(), 59);
    ASSERT_EQ(lastSecond.DayOfWeek(), expectedDayOfWeek);
    ASSERT_EQ(CDateTime(y, m, dd, 23, 59, 59), lastSecond);

    if (d != first) {
      ASSERT_EQ(midnight.Seconds() - previousSeconds, 86400) << y << "-" << m << "-" << dd;
      ASSERT_EQ(midnight.DayOfWeek(), previousDayOfWeek % 7 + 1) << y << "-" << m << "-" << dd;
    }
    previousSeconds = midnight.Seconds();
    previousDayOfWeek = midnight.DayOfWeek();
  }
  EXPECT_EQ(count, (last - first).count() + 1);
}

TEST(DateTimeFields, DayOfWeekOfKnownDates) {
  struct Case {
    int year, month, day;
    int dayOfWeek;  // 1 = Sunday
  };
  const Case cases[] = {
      {1970, 1, 1, 5},   {1969, 12, 31, 4}, {1996, 12, 31, 3}, {1997, 4, 1, 3},
      {1997, 10, 26, 1}, {2000, 1, 1, 7},   {2000, 2, 29, 3},  {2000, 12, 31, 1},
      {2024, 2, 29, 5},  {2026, 12, 8, 3},  {2037, 12, 31, 5}, {2099, 12, 31, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CDateTime(c.year, c.month, c.day, 23, 59, 59).DayOfWeek(), c.dayOfWeek)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

// ---------------------------------------------------------------------------------------------
// Arithmetic at the ends of the range

TEST(DateTimeArithmetic, AddingPastTheTopStaysAtTheTop) {
  CDateTime t = CDateTime::FromSeconds(kTop);
  t += kOneSecond;
  EXPECT_EQ(t.Seconds(), kTop);
  EXPECT_EQ((CDateTime::FromSeconds(kTop - 10) + CDateSpan(0, 0, 0, 20)).Seconds(), kTop);
  EXPECT_EQ((CDateTime::FromSeconds(kTop) - CDateSpan(0, 0, 0, -1)).Seconds(), kTop);
  EXPECT_EQ((CDateTime(2099, 12, 31, 0, 0, 0) + CDateSpan(365, 0, 0, 0)).Seconds(), kTop);
}

TEST(DateTimeArithmetic, SubtractingPastTheBottomStaysAtTheBottom) {
  CDateTime t = CDateTime::FromSeconds(kMin);
  t -= kOneSecond;
  EXPECT_EQ(t.Seconds(), kMin);
  EXPECT_EQ((CDateTime::FromSeconds(kMin) + CDateSpan(0, 0, 0, -1)).Seconds(), kMin);
  EXPECT_EQ((CDateTime::FromSeconds(0) - CDateSpan::FromSeconds(kMax) - kOneDay).Seconds(), kMin);
}

TEST(DateTimeArithmetic, DifferenceOfFarApartValuesSaturates) {
  const CDateTime top = CDateTime::FromSeconds(kTop);
  const CDateTime bottom = CDateTime::FromSeconds(kMin);
  EXPECT_EQ((top - bottom).TotalSeconds(), kMax);
  EXPECT_EQ((bottom - top).TotalSeconds(), kMin);
  EXPECT_EQ((top - CDateTime::FromSeconds(-1)).TotalSeconds(), kMax);
  EXPECT_EQ((bottom - CDateTime::FromSeconds(1)).TotalSeconds(), kMin);
  EXPECT_EQ((CDateTime(1997, 5, 7, 0, 0, 0) - CDateTime(1997, 5, 8, 0, 1, 30)).TotalSeconds(),
            -86490);
}

TEST(DateTimeArithmetic, FieldsBeyondTheRangeSaturate) {
  EXPECT_EQ(CDateTime(2100, 1, 1, 0, 0, 0).Seconds(), kTop);
  EXPECT_EQ(CDateTime(1901, 12, 13, 20, 45, 51).Seconds(), kMin);
  EXPECT_EQ(CDateTime(1800, 1, 1, 0, 0, 0).Seconds(), kMin);
  constexpr int kBig = std::numeric_limits<int>::max();
  constexpr int kSmall = std::numeric_limits<int>::min();
  EXPECT_EQ(CDateTime(kBig, kBig, kBig, kBig, kBig, kBig).Seconds(), kTop);
  EXPECT_EQ(CDateTime(kSmall, kSmall, kSmall, kSmall, kSmall, kSmall).Seconds(), kMin);
  EXPECT_EQ(CDateTime::FromSeconds(kMax64).Seconds(), kTop);
  EXPECT_EQ(CDateTime::FromSeconds(kMin64).Seconds(), kMin);
  EXPECT_EQ(CDateTime::FromSeconds(kTop + 1).Seconds(), kTop);
}

// ---------------------------------------------------------------------------------------------
// Spans

TEST(DateSpan, PartsOfPositiveAndNegativeSpans) {
  struct Case {
    CDateSpan span;
    std::int32_t total;
    int days, hours, minutes, seconds;
  };
  const Case cases[] = {
      {CDateSpan(0, 0, 0, -90), -90, 0, 0, -1, -30},
      {CDateSpan(1, 2, 3, 4), 93784, 1, 2, 3, 4},
      {CDateSpan(-1, -2, -3, -4), -93784, -1, -2, -3, -4},
      {CDateSpan(1, -1, 0, 0), 82800, 0, 23, 0, 0},
      {CDateSpan(0, 0, 0, -86401), -86401, -1, 0, 0, -1},
      {CDateSpan(0, 25, 61, 61), 93721, 1, 2, 2, 1},
      {CDateSpan(0, 0, -1, 30), -30, 0, 0, 0, -30},
      {CDateSpan::FromSeconds(kMin), kMin, -24855, -3, -14, -8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.total);
    EXPECT_EQ(c.span.TotalSeconds(), c.total);
    EXPECT_EQ(c.span.Days(), c.days);
    EXPECT_EQ(c.span.Hours(), c.hours);
    EXPECT_EQ(c.span.Minutes(), c.minutes);
    EXPECT_EQ(c.span.Seconds(), c.seconds);
  }
}

TEST(DateSpan, HugeComponentsSaturate) {
  EXPECT_EQ(CDateSpan(24855, 3, 14, 7).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan(24855, 3, 14, 8).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan(-24855, -3, -14, -8).TotalSeconds(), kMin);
  EXPECT_EQ(CDateSpan(-24856, 0, 0, 0).TotalSeconds(), kMin);
  EXPECT_EQ(CDateSpan(kMax64, 0, 0, 0).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan(kMin64, 0, 0, 0).TotalSeconds(), kMin);
  EXPECT_EQ(CDateSpan(0, kMax64, 0, 0).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan(0, 0, kMin64, 0).TotalSeconds(), kMin);
  EXPECT_EQ(CDateSpan(0, 0, 0, std::int64_t{kMax} + 1).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan(kMax64, kMax64, kMax64, kMax64).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan(kMin64, kMin64, kMin64, kMin64).TotalSeconds(), kMin);
  // A huge positive day count outweighs a huge negative hour count.
  EXPECT_EQ(CDateSpan(kMax64, kMin64, 0, 0).TotalSeconds(), kMax);
  EXPECT_EQ(CDateSpan::FromSeconds(kMin64).TotalSeconds(), kMin);
}

// ---------------------------------------------------------------------------------------------
// Text forms

struct DateFormatCase {
  int order;
  const char* separator;
  int yearDigits;
  const char* expected;
};

TEST(DateTimeFormat, DateInEveryOrderWithTwoAndFourDigitYears) {
  CDateTime t(1997, 5, 7, 13, 4, 5);
  const DateFormatCase cases[] = {
      {CDateTime::kMonthDayYear, "/", 2, "05/07/97"},
      {CDateTime::kMonthDayYear, "/", 4, "05/07/1997"},
      {CDateTime::kYearMonthDay, "-", 2, "97-05-07"},
      {CDateTime::kYearMonthDay, "-", 4, "1997-05-07"},
      {CDateTime::kDayMonthYear, ".", 2, "07.05.97"},
      {CDateTime::kDayMonthYear, ".", 4, "07.05.1997"},
  };
  for (const DateFormatCase& c : cases) {
    EXPECT_EQ(CDateTime::DateSeparator(c.order), c.separator);
    const std::string& text = t.FormatDate(c.order, c.separator, c.yearDigits);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(&text, &t.DateText());
    EXPECT_EQ(text.size(), c.yearDigits == 2 ? 8u : 10u);
  }
}

TEST(DateTimeFormat, TwoDigitYearsKeepTheirLeadingZero) {
  EXPECT_EQ(CDateTime(2005, 12, 25, 0, 0, 0).FormatDate(0, "/", 2), "12/25/05");
  EXPECT_EQ(CDateTime(2000, 1, 1, 0, 0, 0).FormatDate(1, "-", 2), "00-01-01");
  EXPECT_EQ(CDateTime(2037, 12, 31, 0, 0, 0).FormatDate(2, ".", 2), "31.12.37");
  EXPECT_EQ(CDateTime(1969, 12, 31, 23, 59, 59).FormatDate(0, "/", 4), "12/31/1969");
}

TEST(DateTimeFormat, UnknownDateOrderLeavesTheTextAsItWas) {
  CDateTime t(1997, 5, 7, 0, 0, 0);
  EXPECT_EQ(t.FormatDate(3, "/", 4), "");
  t.FormatDate(0, "/", 2);
  EXPECT_EQ(t.FormatDate(3, "/", 4), "05/07/97");
  EXPECT_EQ(t.FormatDate(-1, "-", 4), "05/07/97");
  EXPECT_EQ(t.DateText(), "05/07/97");
}

TEST(DateTimeFormat, TimeInAllFourForms) {
  struct Case {
    int hour, minute, second;
    const char* twelveWithSeconds;
    const char* twentyFourWithSeconds;
    const char* twelve;
    const char* twentyFour;
  };
  const Case cases[] = {
      {0, 0, 0, "12:00:00 AM", "00:00:00", "12:00 AM", "00:00"},
      {0, 59, 59, "12:59:59 AM", "00:59:59", "12:59 AM", "00:59"},
      {9, 5, 7, "09:05:07 AM", "09:05:07", "09:05 AM", "09:05"},
      {11, 59, 59, "11:59:59 AM", "11:59:59", "11:59 AM", "11:59"},
      {12, 0, 0, "12:00:00 PM", "12:00:00", "12:00 PM", "12:00"},
      {13, 0, 0, "01:00:00 PM", "13:00:00", "01:00 PM", "13:00"},
      {23, 59, 59, "11:59:59 PM", "23:59:59", "11:59 PM", "23:59"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.twentyFourWithSeconds);
    CDateTime t(1997, 5, 7, c.hour, c.minute, c.second);
    EXPECT_EQ(t.FormatTime(CDateTime::kTwelveHour, ":", true), c.twelveWithSeconds);
    EXPECT_EQ(t.FormatTime(CDateTime::kTwentyFourHour, ":", true), c.twentyFourWithSeconds);
    EXPECT_EQ(t.FormatTime(CDateTime::kTwelveHour, ":", false), c.twelve);
    const std::string& last = t.FormatTime(CDateTime::kTwentyFourHour, ":", false);
    EXPECT_EQ(last, c.twentyFour);
    EXPECT_EQ(&last, &t.TimeText());
  }
  EXPECT_EQ(CDateTime::FromSeconds(-1).FormatTime(0, ":", true), "11:59:59 PM");
}

TEST(DateTimeFormat, UnknownClockModeLeavesTheTextAsItWas) {
  CDateTime t(1997, 5, 7, 13, 0, 0);
  EXPECT_EQ(t.FormatTime(2, ":", true), "");
  t.FormatTime(CDateTime::kTwelveHour, ":", false);
  EXPECT_EQ(t.FormatTime(2, ":", true), "01:00 PM");
  EXPECT_EQ(t.FormatTime(-1, ":", true), "01:00 PM");
  EXPECT_EQ(t.TimeText(), "01:00 PM");
}

TEST(DateTimeFormat, DisplayDateDropsLeadingZerosOfTwoDigitFields) {
  struct Case {
    const char* formatted;
    const char* shown;
  };
  const Case cases[] = {
      {"05/07/97", "5/7/97"},       {"1997-10-07", "1997-10-7"},
      {"07.05.1997", "7.5.1997"},   {"12/25/05", "12/25/5"},
      {"10/10/2010", "10/10/2010"}, {"2005-01-01", "2005-1-1"},
      {"97-05-07", "97-5-7"},       {"01/01/00", "1/1/0"},
      {"31.12.2037", "31.12.2037"}, {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CDateTime::DisplayDate(c.formatted), c.shown) << c.formatted;
  }
}

TEST(DateTimeFormat, DisplayTimeBlanksALeadingZero) {
  EXPECT_EQ(CDateTime::DisplayTime("09:05 AM"), " 9:05 AM");
  EXPECT_EQ(CDateTime::DisplayTime("01:00:00 PM"), " 1:00:00 PM");
  EXPECT_EQ(CDateTime::DisplayTime("00:30"), " 0:30");
  EXPECT_EQ(CDateTime::DisplayTime("12:00 AM"), "12:00 AM");
  EXPECT_EQ(CDateTime::DisplayTime("23:00:00"), "23:00:00");
  EXPECT_EQ(CDateTime::DisplayTime(""), "");

  CDateTime oneInTheAfternoon(2005, 3, 4, 13, 0, 0);
  EXPECT_EQ(CDateTime::DisplayTime(oneInTheAfternoon.FormatTime(0, ":", false)), " 1:00 PM");
  EXPECT_EQ(CDateTime::DisplayDate(oneInTheAfternoon.FormatDate(0, "/", 2)), "3/4/5");
}

// ---------------------------------------------------------------------------------------------
// Copies

TEST(DateTimeCopy, AssignmentTakesTheInstantButKeepsTheTargetsTexts) {
  CDateTime source(1997, 5, 7, 9, 5, 0);
  source.FormatDate(0, "/", 2);
  source.FormatTime(1, ":", false);

  CDateTime target(2000, 1, 1, 23, 0, 0);
  const std::string& targetDate = target.FormatDate(2, ".", 4);
  const std::string& targetTime = target.FormatTime(0, ":", true);

  target = source;
  EXPECT_EQ(target, source);
  EXPECT_EQ(targetDate, "01.01.2000");
  EXPECT_EQ(targetTime, "11:00:00 PM");
  EXPECT_EQ(target.DateText(), "01.01.2000");
  EXPECT_EQ(target.TimeText(), "11:00:00 PM");

  target.FormatDate(2, ".", 4);
  EXPECT_EQ(targetDate, "07.05.1997");
}

TEST(DateTimeCopy, CopyConstructionStartsWithoutTexts) {
  CDateTime source(1997, 5, 7, 9, 5, 0);
  source.FormatDate(0, "/", 2);
  source.FormatTime(1, ":", false);

  const CDateTime copy(source);
  EXPECT_EQ(copy, source);
  EXPECT_EQ(copy.DateText(), "");
  EXPECT_EQ(copy.TimeText(), "");
  EXPECT_EQ(source.DateText(), "05/07/97");
}

}  // namespace
