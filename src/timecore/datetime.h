// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "timecore/datespan.h"

namespace zw {

// Seconds since 1970-01-01 00:00:00 on a calendar with no zone attached: a GMT instant, a
// location's wall-clock time or a typed date, as the caller means it.
//
// The calendar makes every fourth year a leap year with no century rule; the representable
// range (1901-12-13 20:45:52 .. 2099-12-31 23:59:59) holds no year where that differs from
// the Gregorian rule, since 2000 is a leap year and 1900 and 2100 lie outside. Results
// outside that range saturate at its ends instead of running into 2100, so an alarm computed
// too far ahead stays in the far future rather than landing on a wrong date.
class CDateTime {
 public:
  // Date orders, also the codes of the settings' dateOrder field.
  enum DateOrder { kMonthDayYear = 0, kYearMonthDay = 1, kDayMonthYear = 2 };
  // Clock modes, also the codes of the settings' hour24 field.
  enum ClockMode { kTwelveHour = 0, kTwentyFourHour = 1 };

  // "Now": the clock source's GMT time plus the hour adjustment (see CNow).
  CDateTime();
  // No range test: a day past the month's end or an hour of 24 runs on into later days, and
  // a month outside 1..12 carries into neighbouring years.
  CDateTime(int year, int month, int day, int hour, int minute, int second);

  static CDateTime FromSeconds(std::int64_t seconds);

  // Copies take the instant only; the target's texts stay as they were until it is formatted
  // again, which is what callers holding a reference to a previous text rely on.
  CDateTime(const CDateTime& other) : m_seconds(other.m_seconds) {}
  CDateTime& operator=(const CDateTime& other) {
    m_seconds = other.m_seconds;
    return *this;
  }

  void SetNow();
  void Set(int year, int month, int day, int hour, int minute, int second);

  static constexpr std::int64_t kFirstSecond = -2147483648LL;  // 1901-12-13 20:45:52
  static constexpr std::int64_t kLastSecond = 4102444799LL;    // 2099-12-31 23:59:59

  std::int64_t Seconds() const { return m_seconds; }
  void SetSeconds(std::int64_t seconds) { m_seconds = Clamp(seconds); }
  // Keeps seconds within the range the calendar is exact for.
  static std::int64_t Clamp(std::int64_t seconds);

  int Year() const;
  int Month() const;
  int Day() const;
  int Hour() const;
  int Minute() const;
  int Second() const;
  // 1 = Sunday .. 7 = Saturday.
  int DayOfWeek() const;

  static bool IsLeapYear(int year);
  static int DaysInMonth(int year, int month);

  CDateTime& operator+=(CDateSpan span);
  CDateTime& operator-=(CDateSpan span);
  friend CDateTime operator+(CDateTime t, CDateSpan span) { return t += span; }
  friend CDateTime operator-(CDateTime t, CDateSpan span) { return t -= span; }
  friend CDateSpan operator-(const CDateTime& a, const CDateTime& b);

  friend bool operator==(const CDateTime& a, const CDateTime& b) {
    return a.m_seconds == b.m_seconds;
  }
  friend auto operator<=>(const CDateTime& a, const CDateTime& b) {
    return a.m_seconds <=> b.m_seconds;
  }

  // order: DateOrder; yearDigits: 2 or 4. An unknown order leaves the text unchanged.
  // The returned text lives in this value until its next date formatting.
  const std::string& FormatDate(int order, std::string_view separator, int yearDigits);
  // clockMode: ClockMode. An unknown mode leaves the text unchanged.
  const std::string& FormatTime(int clockMode, std::string_view separator, bool withSeconds);

  const std::string& DateText() const { return m_dateText; }
  const std::string& TimeText() const { return m_timeText; }

  // The shortened forms shown when "Leading Zeroes" is off: a "0" that begins a two-digit
  // date field is dropped (a four-digit year is kept whole) ...
  static std::string DisplayDate(std::string_view formattedDate);
  // ... and a "0" that begins the time becomes a space, so the time keeps its width.
  static std::string DisplayTime(std::string_view formattedTime);

  // The separator that goes with each date order: "/", "-" and ".".
  static std::string_view DateSeparator(int order);

 private:
  struct Fields {
    int year, month, day, hour, minute, second;
  };
  Fields Split() const;
  static std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day);

  std::int64_t m_seconds = 0;
  std::string m_dateText;
  std::string m_timeText;
};

}  // namespace zw
