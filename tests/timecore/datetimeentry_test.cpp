// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "printers.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "timecore/datetime.h"
#include "timecore/datetimeentry.h"

using namespace zw;
using zw::test::FakeClock;
using zw::test::RecordingSink;

namespace {

constexpr int kMdy = CDateTime::kMonthDayYear;
constexpr int kYmd = CDateTime::kYearMonthDay;
constexpr int kDmy = CDateTime::kDayMonthYear;
constexpr int k12 = CDateTime::kTwelveHour;
constexpr int k24 = CDateTime::kTwentyFourHour;

// The warnings, word for word as the user reads them.
const char* const kMonthMsg = "Invalid month entered. Must be between 1 and 12.";
const char* const kYearMsg = "Invalid year entered. The year must be between 1970 and 2099.";
const char* const kDayMsg = "Invalid day entered.";
const char* const kDateFormatMsg[3] = {
    "Invalid date entered. Must be in MM/DD/YY or MM/DD/YYYY format.",
    "Invalid date entered. Must be in YY-MM-DD or YYYY-MM-DD format.",
    "Invalid date entered. Must be in DD.MM.YY or DD.MM.YYYY format.",
};
const char* const kTime24Msg =
    "Invalid time entered. Must be in HH:MM:SS (24-hour) format.  Minutes and seconds are "
    "optional.";
const char* const kTime12Msg =
    "Invalid time entered. Must be in HH:MM:SS AM/PM (12-hour) format.  Minutes and seconds are "
    "optional.";
const char* const kHour24Msg = "Invalid hour entered. Must be between 0 and 23.";
const char* const kHour12Msg = "Invalid hour entered. Must be between 1 and 12.";
const char* const kMinutesMsg = "Invalid minutes entered. Must be between 0 and 59.";
const char* const kSecondsMsg = "Invalid seconds entered. Must be between 0 and 59.";

// "Now" for every entry: the value and fields an entry starts with.
constexpr int kNowYear = 2026, kNowMonth = 12, kNowDay = 8;
constexpr int kNowHour = 10, kNowMinute = 11, kNowSecond = 12;

class EntryTest : public testing::Test {
 protected:
  FakeClock clock{kNowYear, kNowMonth, kNowDay, kNowHour, kNowMinute, kNowSecond};
  RecordingSink sink;

  // Text, fields and value must all be as they were before a rejected entry.
  void ExpectUnchanged(const CDateTimeEntry& entry, const CDateTime& before) {
    EXPECT_EQ(entry.Value(), before);
    EXPECT_EQ(entry.Year(), before.Year());
    EXPECT_EQ(entry.Month(), before.Month());
    EXPECT_EQ(entry.Day(), before.Day());
    EXPECT_EQ(entry.Hour(), before.Hour());
    EXPECT_EQ(entry.Minute(), before.Minute());
    EXPECT_EQ(entry.Second(), before.Second());
  }

  void ExpectOneWarning(const std::string& text) {
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].kind, RecordingSink::Kind::kWarn);
    EXPECT_EQ(sink.Messages()[0].text, text);
  }
};

TEST_F(EntryTest, StartsAtNow) {
  const CDateTimeEntry entry(sink, kMdy, k12);
  EXPECT_EQ(entry.Value(),
            CDateTime(kNowYear, kNowMonth, kNowDay, kNowHour, kNowMinute, kNowSecond));
  EXPECT_EQ(entry.Year(), kNowYear);
  EXPECT_EQ(entry.Month(), kNowMonth);
  EXPECT_EQ(entry.Day(), kNowDay);
  EXPECT_EQ(entry.Hour(), kNowHour);
  EXPECT_EQ(entry.Minute(), kNowMinute);
  EXPECT_EQ(entry.Second(), kNowSecond);
  EXPECT_TRUE(sink.Messages().empty());
}

// ---------------------------------------------------------------------------------------------
// Dates

struct DateCase {
  int format;
  const char* text;
  // Accepted: the canonical text and the date read; rejected: the warning.
  const char* canonical;
  int year, month, day;
  const char* message;
};

void PrintTo(const DateCase& c, std::ostream* os) {
  *os << "format " << c.format << " \"" << c.text << "\"";
}

DateCase Accept(int format, const char* text, const char* canonical, int year, int month, int day) {
  return {format, text, canonical, year, month, day, nullptr};
}

DateCase Reject(int format, const char* text, const char* message) {
  return {format, text, nullptr, 0, 0, 0, message};
}

class DateEntryTest : public EntryTest, public testing::WithParamInterface<DateCase> {};

TEST_P(DateEntryTest, Parse) {
  const DateCase& c = GetParam();
  CDateTimeEntry entry(sink, c.format, k24);
  const CDateTime before = entry.Value();
  std::string text = c.text;
  const bool accepted = entry.ParseDate(text);
  if (c.canonical != nullptr) {
    EXPECT_TRUE(accepted);
    EXPECT_EQ(text, c.canonical);
    EXPECT_EQ(entry.Year(), c.year);
    EXPECT_EQ(entry.Month(), c.month);
    EXPECT_EQ(entry.Day(), c.day);
    EXPECT_EQ(entry.Value(), CDateTime(c.year, c.month, c.day, kNowHour, kNowMinute, kNowSecond));
    EXPECT_TRUE(sink.Messages().empty()) << sink.LastText();
  } else {
    EXPECT_FALSE(accepted);
    EXPECT_EQ(text, c.text);
    ExpectUnchanged(entry, before);
    ExpectOneWarning(c.message);
  }
}

const DateCase kDateCases[] = {
    // Month/day/year.
    Accept(kMdy, "2/29/96", "02/29/1996", 1996, 2, 29),
    Accept(kMdy, "5/7/97", "05/07/1997", 1997, 5, 7),
    Accept(kMdy, "1/1/70", "01/01/1970", 1970, 1, 1),
    Accept(kMdy, "12/31/37", "12/31/2037", 2037, 12, 31),
    Accept(kMdy, "2/29/2096", "02/29/2096", 2096, 2, 29),
    Accept(kMdy, "1/1/00", "01/01/2000", 2000, 1, 1),
    Accept(kMdy, "1/1/0", "01/01/2000", 2000, 1, 1),
    Accept(kMdy, "3/4/5", "03/04/2005", 2005, 3, 4),
    Accept(kMdy, "12/31/2037", "12/31/2037", 2037, 12, 31),
    Accept(kMdy, "01/01/1970", "01/01/1970", 1970, 1, 1),
    Accept(kMdy, "1a2/0x5/97", "12/05/1997", 1997, 12, 5),
    Accept(kMdy, " 7 / 4 / 99 ", "07/04/1999", 1999, 7, 4),
    Accept(kMdy, "4/30/26", "04/30/2026", 2026, 4, 30),
    Accept(kMdy, "1/1/19/70", "01/01/1970", 1970, 1, 1),
    Reject(kMdy, "2/29/97", kDayMsg),
    Reject(kMdy, "2/30/96", kDayMsg),
    Reject(kMdy, "4/31/97", kDayMsg),
    Reject(kMdy, "1/0/97", kDayMsg),
    Reject(kMdy, "1/32/97", kDayMsg),
    Reject(kMdy, "13/1/97", kMonthMsg),
    Reject(kMdy, "0/1/97", kMonthMsg),
    Reject(kMdy, "13/99/2099", kMonthMsg),
    Reject(kMdy, "2/30/2100", kYearMsg),
    Reject(kMdy, "1/1/197", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1/1/19700", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1/1/", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1/1", kDateFormatMsg[kMdy]),
    Reject(kMdy, "/1/97", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1//97", kDateFormatMsg[kMdy]),
    Reject(kMdy, "123/1/97", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1/123/97", kDateFormatMsg[kMdy]),
    Reject(kMdy, "050797", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1-1-97", kDateFormatMsg[kMdy]),
    Reject(kMdy, "", kDateFormatMsg[kMdy]),
    Reject(kMdy, "1/1/1969", kYearMsg),
    Reject(kMdy, "1/1/2100", kYearMsg),
    // Year-month-day.
    Accept(kYmd, "96-2-29", "1996-02-29", 1996, 2, 29),
    Accept(kYmd, "97-5-7", "1997-05-07", 1997, 5, 7),
    Accept(kYmd, "70-1-1", "1970-01-01", 1970, 1, 1),
    Accept(kYmd, "2037-12-31", "2037-12-31", 2037, 12, 31),
    Accept(kYmd, "1a997-0x5-1b2", "1997-05-12", 1997, 5, 12),
    Accept(kYmd, "0-1-1", "2000-01-01", 2000, 1, 1),
    Reject(kYmd, "97-2-29", kDayMsg),
    Reject(kYmd, "1997-4-31", kDayMsg),
    Reject(kYmd, "97-13-1", kMonthMsg),
    Reject(kYmd, "97-0-1", kMonthMsg),
    Reject(kYmd, "2100-13-1", kYearMsg),
    Reject(kYmd, "1969-13-1", kYearMsg),
    Reject(kYmd, "197-1-1", kDateFormatMsg[kYmd]),
    Reject(kYmd, "97-123-1", kDateFormatMsg[kYmd]),
    Reject(kYmd, "97-1-123", kDateFormatMsg[kYmd]),
    Reject(kYmd, "97-1-", kDateFormatMsg[kYmd]),
    Reject(kYmd, "1/1/97", kYearMsg),
    Reject(kYmd, "", kDateFormatMsg[kYmd]),
    // Day.month.year.
    Accept(kDmy, "29.2.96", "29.02.1996", 1996, 2, 29),
    Accept(kDmy, "7.5.97", "07.05.1997", 1997, 5, 7),
    Accept(kDmy, "1.1.70", "01.01.1970", 1970, 1, 1),
    Accept(kDmy, "31.12.2037", "31.12.2037", 2037, 12, 31),
    Accept(kDmy, "1a2.0x5.97", "12.05.1997", 1997, 5, 12),
    Reject(kDmy, "29.2.97", kDayMsg),
    Reject(kDmy, "31.4.97", kDayMsg),
    Reject(kDmy, "0.1.97", kDayMsg),
    Reject(kDmy, "32.13.97", kMonthMsg),
    Reject(kDmy, "1.13.97", kMonthMsg),
    Reject(kDmy, "32.12.2100", kYearMsg),
    Reject(kDmy, "1.1.197", kDateFormatMsg[kDmy]),
    Reject(kDmy, "123.1.97", kDateFormatMsg[kDmy]),
    Reject(kDmy, ".1.97", kDateFormatMsg[kDmy]),
    Reject(kDmy, "1/1/97", kDateFormatMsg[kDmy]),
    Reject(kDmy, "", kDateFormatMsg[kDmy]),
};

INSTANTIATE_TEST_SUITE_P(Cases, DateEntryTest, testing::ValuesIn(kDateCases));

// Text for a date in the given format, with the year as typed.
std::string DateText(int format, const std::string& y, int month, int day) {
  const std::string m = std::to_string(month);
  const std::string d = std::to_string(day);
  switch (format) {
    case kMdy:
      return m + "/" + d + "/" + y;
    case kYmd:
      return y + "-" + m + "-" + d;
    default:
      return d + "." + m + "." + y;
  }
}

std::string DateText(int format, int year, int month, int day) {
  return DateText(format, std::to_string(year), month, day);
}

TEST_F(EntryTest, TwoDigitYearsInEveryFormat) {
  for (int format : {kMdy, kYmd, kDmy}) {
    for (int yy = 0; yy <= 99; ++yy) {
      CDateTimeEntry entry(sink, format, k24);
      sink.Clear();
      const std::string year = std::to_string(yy);
      std::string text = DateText(format, yy < 10 ? "0" + year : year, 6, 15);
      const std::string typed = text;
      // Every two-digit year names one in range: 00..69 this century, 70..99 the last.
      ASSERT_TRUE(entry.ParseDate(text)) << typed;
      EXPECT_EQ(entry.Year(), yy < 70 ? 2000 + yy : 1900 + yy) << typed;
      EXPECT_TRUE(sink.Messages().empty()) << typed;
    }
  }
}

TEST_F(EntryTest, FourDigitYearsAtTheEndsOfTheRange) {
  for (int format : {kMdy, kYmd, kDmy}) {
    for (int year : {1969, 1970, 2099, 2100, 1000, 9999}) {
      CDateTimeEntry entry(sink, format, k24);
      sink.Clear();
      std::string text = DateText(format, year, 1, 1);
      const bool valid = year >= 1970 && year <= 2099;
      EXPECT_EQ(entry.ParseDate(text), valid) << text;
      EXPECT_EQ(sink.Messages().size(), valid ? 0u : 1u) << text;
      EXPECT_EQ(entry.Year(), valid ? year : kNowYear) << text;
    }
  }
}

// Which days exist, against the standard library's calendar.
TEST_F(EntryTest, EveryMonthAcceptsExactlyItsOwnDays) {
  for (int format : {kMdy, kYmd, kDmy}) {
    for (int year : {1970, 1996, 1997, 2000, 2037, 2096, 2099}) {
      for (int month = 1; month <= 12; ++month) {
        for (int day = 0; day <= 32; ++day) {
          CDateTimeEntry entry(sink, format, k24);
          sink.Clear();
          std::string text = DateText(format, year, month, day);
          const std::chrono::year_month_day ymd{std::chrono::year{year},
                                                std::chrono::month{static_cast<unsigned>(month)},
                                                std::chrono::day{static_cast<unsigned>(day)}};
          const bool exists = day >= 1 && ymd.ok();
          ASSERT_EQ(entry.ParseDate(text), exists) << text;
          if (!exists) {
            ASSERT_EQ(sink.LastText(), kDayMsg) << text;
          } else {
            ASSERT_EQ(entry.Value(), CDateTime(year, month, day, kNowHour, kNowMinute, kNowSecond))
                << text;
          }
        }
      }
    }
  }
}

TEST_F(EntryTest, UnknownDateFormatAcceptsNothingAndFormatsNothing) {
  CDateTimeEntry entry(sink, 3, k24);
  std::string text = "5/7/97";
  EXPECT_FALSE(entry.ParseDate(text));
  EXPECT_EQ(text, "5/7/97");
  EXPECT_EQ(entry.Year(), kNowYear);
  EXPECT_EQ(entry.FormatDate(), "");
}

// ---------------------------------------------------------------------------------------------
// Times

struct TimeCase {
  int clockType;
  const char* text;
  const char* canonical;
  int hour, minute, second;
  const char* message;
};

void PrintTo(const TimeCase& c, std::ostream* os) {
  *os << (c.clockType == k12 ? "12-hour" : "24-hour") << " \"" << c.text << "\"";
}

TimeCase Accept24(const char* text, const char* canonical, int hour, int minute, int second) {
  return {k24, text, canonical, hour, minute, second, nullptr};
}

TimeCase Accept12(const char* text, const char* canonical, int hour, int minute, int second) {
  return {k12, text, canonical, hour, minute, second, nullptr};
}

TimeCase Reject24(const char* text, const char* message) {
  return {k24, text, nullptr, 0, 0, 0, message};
}

TimeCase Reject12(const char* text, const char* message) {
  return {k12, text, nullptr, 0, 0, 0, message};
}

class TimeEntryTest : public EntryTest, public testing::WithParamInterface<TimeCase> {};

TEST_P(TimeEntryTest, Parse) {
  const TimeCase& c = GetParam();
  for (int dateFormat : {kMdy, kYmd, kDmy}) {
    SCOPED_TRACE(dateFormat);
    sink.Clear();
    CDateTimeEntry entry(sink, dateFormat, c.clockType);
    const CDateTime before = entry.Value();
    const bool amBefore = entry.IsAm();
    std::string text = c.text;
    const bool accepted = entry.ParseTime(text);
    if (c.canonical != nullptr) {
      EXPECT_TRUE(accepted);
      EXPECT_EQ(text, c.canonical);
      EXPECT_EQ(entry.Hour(), c.hour);
      EXPECT_EQ(entry.Minute(), c.minute);
      EXPECT_EQ(entry.Second(), c.second);
      EXPECT_EQ(entry.Value(), CDateTime(kNowYear, kNowMonth, kNowDay, c.hour, c.minute, c.second));
      if (c.clockType == k12) {
        EXPECT_EQ(entry.IsAm(), c.hour < 12);
      }
      EXPECT_TRUE(sink.Messages().empty()) << sink.LastText();
    } else {
      EXPECT_FALSE(accepted);
      EXPECT_EQ(text, c.text);
      ExpectUnchanged(entry, before);
      EXPECT_EQ(entry.IsAm(), amBefore);
      ExpectOneWarning(c.message);
    }
  }
}

const TimeCase kTimeCases[] = {
    // 24-hour clock.
    Accept24("9", "09:00:00", 9, 0, 0),
    Accept24("9:5", "09:05:00", 9, 5, 0),
    Accept24("0", "00:00:00", 0, 0, 0),
    Accept24("00:00", "00:00:00", 0, 0, 0),
    Accept24("23:59:59", "23:59:59", 23, 59, 59),
    Accept24("9:30:5", "09:30:05", 9, 30, 5),
    Accept24("9:30:", "09:30:00", 9, 30, 0),
    Accept24("9:", "09:00:00", 9, 0, 0),
    Accept24(" 9:30", "09:30:00", 9, 30, 0),
    Accept24("19.15", "19:15:00", 19, 15, 0),
    Accept24("9:30 pm", "09:30:00", 9, 30, 0),
    Accept24("x9:3y0:4z5", "09:30:45", 9, 30, 45),
    Reject24("24:00", kHour24Msg),
    Reject24("24", kHour24Msg),
    Reject24("99:00:00", kHour24Msg),
    Reject24("0930", kTime24Msg),
    Reject24("123:00", kTime24Msg),
    Reject24("", kTime24Msg),
    Reject24(":30", kTime24Msg),
    Reject24("noon", kTime24Msg),
    Reject24("9:60", kMinutesMsg),
    Reject24("9:99:00", kMinutesMsg),
    Reject24("9:123", kTime24Msg),
    Reject24("9:30:60", kSecondsMsg),
    Reject24("9:30:123", kTime24Msg),
    Reject24("24:60:60", kHour24Msg),
    Reject24("23:60:60", kMinutesMsg),
    // 12-hour clock.
    Accept12("12:30 am", "12:30:00 AM", 0, 30, 0),
    Accept12("12 pm", "12:00:00 PM", 12, 0, 0),
    Accept12("7:15 p", "07:15:00 PM", 19, 15, 0),
    Accept12("7:15 a", "07:15:00 AM", 7, 15, 0),
    Accept12("12:00:00 AM", "12:00:00 AM", 0, 0, 0),
    Accept12("12:59:59 PM", "12:59:59 PM", 12, 59, 59),
    Accept12("11:59:59 PM", "11:59:59 PM", 23, 59, 59),
    Accept12("1 A", "01:00:00 AM", 1, 0, 0),
    Accept12("7:15:30pm", "07:15:30 PM", 19, 15, 30),
    Accept12("7 P", "07:00:00 PM", 19, 0, 0),
    Accept12("7:15 pa", "07:15:00 AM", 7, 15, 0),
    Reject12("7:15", kTime12Msg),
    Reject12("13:00", kTime12Msg),
    Reject12("", kTime12Msg),
    Reject12("0:30 am", kHour12Msg),
    Reject12("00 pm", kHour12Msg),
    Reject12("13 pm", kHour12Msg),
    Reject12("0930 am", kTime12Msg),
    Reject12("am", kTime12Msg),
    Reject12("9:60 am", kMinutesMsg),
    Reject12("9:30:60 pm", kSecondsMsg),
    Reject12("9:123 am", kTime12Msg),
    Reject12("9:30:123 am", kTime12Msg),
};

INSTANTIATE_TEST_SUITE_P(Cases, TimeEntryTest, testing::ValuesIn(kTimeCases));

TEST_F(EntryTest, EveryHourOfTheTwelveHourClock) {
  for (int hour = 1; hour <= 12; ++hour) {
    for (const char* marker : {"am", "PM"}) {
      CDateTimeEntry entry(sink, kMdy, k12);
      std::string text = std::to_string(hour) + ":05 " + marker;
      ASSERT_TRUE(entry.ParseTime(text)) << text;
      const bool pm = marker[0] == 'P';
      const int expected = hour % 12 + (pm ? 12 : 0);
      EXPECT_EQ(entry.Hour(), expected) << text;
      EXPECT_EQ(entry.IsAm(), !pm) << text;
      CDateTime shown = entry.Value();
      EXPECT_EQ(text, shown.FormatTime(k12, ":", true));
    }
  }
  EXPECT_TRUE(sink.Messages().empty());
}

TEST_F(EntryTest, RejectedTwelveHourTimeKeepsTheMarker) {
  CDateTimeEntry entry(sink, kMdy, k12);
  std::string pm = "7 pm";
  ASSERT_TRUE(entry.ParseTime(pm));
  EXPECT_FALSE(entry.IsAm());
  std::string bad = "13 am";
  EXPECT_FALSE(entry.ParseTime(bad));
  EXPECT_FALSE(entry.IsAm());
  std::string twentyFour = "09:00";
  ASSERT_TRUE(entry.ParseTime(twentyFour, k24));
  EXPECT_FALSE(entry.IsAm());
}

// Stored event times are read on the 24-hour clock and then shown in the user's clock type.
TEST_F(EntryTest, ParsingWithAnExplicitClockType) {
  CDateTimeEntry entry(sink, kMdy, k12);
  std::string text = "19:30:00";
  ASSERT_TRUE(entry.ParseTime(text, k24));
  EXPECT_EQ(text, "19:30:00");
  EXPECT_EQ(entry.Hour(), 19);
  EXPECT_EQ(entry.FormatTime(), "07:30:00 PM");
  EXPECT_EQ(entry.FormatTime(k24), "19:30:00");

  // The 24-hour clock skips the marker like any other letter.
  std::string twelve = "7:30 pm";
  ASSERT_TRUE(entry.ParseTime(twelve, k24));
  EXPECT_EQ(twelve, "07:30:00");
  EXPECT_EQ(entry.Hour(), 7);

  std::string missingMarker = "19:30";
  EXPECT_FALSE(entry.ParseTime(missingMarker, k12));
  EXPECT_EQ(sink.LastText(), kTime12Msg);
  EXPECT_EQ(entry.Hour(), 7);
}

// ---------------------------------------------------------------------------------------------
// Date and time together

TEST_F(EntryTest, DateAndTimeFieldsAreParsedIndependently) {
  for (int format : {kMdy, kYmd, kDmy}) {
    SCOPED_TRACE(format);
    CDateTimeEntry entry(sink, format, k12);
    std::string time = "7:15:30 pm";
    ASSERT_TRUE(entry.ParseTime(time));
    EXPECT_EQ(entry.Value(), CDateTime(kNowYear, kNowMonth, kNowDay, 19, 15, 30));

    std::string date = DateText(format, 97, 5, 7);
    ASSERT_TRUE(entry.ParseDate(date));
    EXPECT_EQ(entry.Value(), CDateTime(1997, 5, 7, 19, 15, 30));

    std::string badDate = DateText(format, 97, 2, 30);
    EXPECT_FALSE(entry.ParseDate(badDate));
    std::string badTime = "13:00 pm";
    EXPECT_FALSE(entry.ParseTime(badTime));
    EXPECT_EQ(entry.Value(), CDateTime(1997, 5, 7, 19, 15, 30));

    std::string morning = "8 am";
    ASSERT_TRUE(entry.ParseTime(morning));
    EXPECT_EQ(entry.Value(), CDateTime(1997, 5, 7, 8, 0, 0));
    EXPECT_EQ(entry.Year(), 1997);
    EXPECT_EQ(entry.Month(), 5);
    EXPECT_EQ(entry.Day(), 7);
    sink.Clear();
  }
}

TEST_F(EntryTest, LastSecondOfTheLastAcceptedYear) {
  CDateTimeEntry entry(sink, kYmd, k24);
  std::string date = "2037-12-31";
  std::string time = "23:59:59";
  ASSERT_TRUE(entry.ParseDate(date));
  ASSERT_TRUE(entry.ParseTime(time));
  EXPECT_EQ(Iso(entry.Value()), "2037-12-31 23:59:59");
}

TEST_F(EntryTest, FormatsInTheEntrysOrderAndClock) {
  struct Case {
    int format, clockType;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {kMdy, k12, "05/07/1997", "07:15:30 PM"},
      {kYmd, k12, "1997-05-07", "07:15:30 PM"},
      {kDmy, k24, "07.05.1997", "19:15:30"},
  };
  for (const Case& c : cases) {
    CDateTimeEntry entry(sink, c.format, c.clockType);
    entry.SetValue(CDateTime(1997, 5, 7, 19, 15, 30));
    EXPECT_EQ(entry.FormatDate(), c.date);
    EXPECT_EQ(entry.FormatTime(), c.time);
  }

  CDateTimeEntry midnight(sink, kMdy, k12);
  midnight.SetValue(CDateTime(2005, 1, 2, 0, 0, 0));
  EXPECT_EQ(midnight.Day(), 2);
  EXPECT_EQ(midnight.Hour(), 0);
  EXPECT_EQ(midnight.FormatDate(), "01/02/2005");
  EXPECT_EQ(midnight.FormatTime(), "12:00:00 AM");
  EXPECT_EQ(midnight.FormatTime(k24), "00:00:00");
  EXPECT_TRUE(sink.Messages().empty());
}

}  // namespace
