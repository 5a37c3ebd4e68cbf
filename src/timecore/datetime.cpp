// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/datetime.h"

#include <array>

#include "timecore/now.h"

namespace zw {

namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::int64_t kDaysPerCycle = 4 * 365 + 1;
// 1968 starts a four-year cycle with its leap year, and lies 731 days before 1970-01-01.
constexpr int kCycleBaseYear = 1968;
constexpr std::int64_t kDaysFromCycleBase = 731;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
  return a - FloorDiv(a, b) * b;
}

std::string TwoDigits(int value) {
  std::string s = std::to_string(value);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

CDateTime::CDateTime() {
  SetNow();
}

CDateTime::CDateTime(int year, int month, int day, int hour, int minute, int second) {
  Set(year, month, day, hour, minute, second);
}

CDateTime CDateTime::FromSeconds(std::int64_t seconds) {
  CDateTime t(1970, 1, 1, 0, 0, 0);
  t.m_seconds = Clamp(seconds);
  return t;
}

void CDateTime::SetNow() {
  m_seconds = Clamp(CNow::UtcSeconds());
}

std::int64_t CDateTime::Clamp(std::int64_t seconds) {
  return seconds < kFirstSecond ? kFirstSecond : seconds > kLastSecond ? kLastSecond : seconds;
}

bool CDateTime::IsLeapYear(int year) {
  return year % 4 == 0;
}

int CDateTime::DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) {
    return 0;
  }
  return month == 2 && IsLeapYear(year) ? 29 : kMonthLengths[month - 1];
}

std::int64_t CDateTime::DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year += FloorDiv(month - 1, 12);
  month = FloorMod(month - 1, 12) + 1;
  // Leap years strictly before `year`, counted from 1970 (negative before it).
  const std::int64_t leaps = FloorDiv(year - 1, 4) - FloorDiv(1969, 4);
  std::int64_t days = (year - 1970) * 365 + leaps;
  for (int m = 1; m < month; ++m) {
    days += DaysInMonth(static_cast<int>(FloorMod(year, 4) + 1972), m);
  }
  return days + day - 1;
}

void CDateTime::Set(int year, int month, int day, int hour, int minute, int second) {
  const std::int64_t days = DaysFromCivil(year, month, day);
  const std::int64_t seconds = days * CDateSpan::kSecondsPerDay +
                               std::int64_t{hour} * CDateSpan::kSecondsPerHour +
                               std::int64_t{minute} * CDateSpan::kSecondsPerMinute + second;
  m_seconds = Clamp(seconds);
}

CDateTime::Fields CDateTime::Split() const {
  const std::int64_t days = FloorDiv(m_seconds, CDateSpan::kSecondsPerDay);
  const std::int64_t secondOfDay = m_seconds - days * CDateSpan::kSecondsPerDay;

  const std::int64_t sinceBase = days + kDaysFromCycleBase;
  const std::int64_t cycle = FloorDiv(sinceBase, kDaysPerCycle);
  std::int64_t dayOfCycle = sinceBase - cycle * kDaysPerCycle;
  int yearInCycle = 0;
  if (dayOfCycle >= 366) {
    dayOfCycle -= 366;
    yearInCycle = 1 + static_cast<int>(dayOfCycle / 365);
    dayOfCycle %= 365;
  }
  Fields f{};
  f.year = kCycleBaseYear + static_cast<int>(cycle * 4) + yearInCycle;
  int dayOfYear = static_cast<int>(dayOfCycle);
  f.month = 1;
  while (dayOfYear >= DaysInMonth(f.year, f.month)) {
    dayOfYear -= DaysInMonth(f.year, f.month);
    ++f.month;
  }
  f.day = dayOfYear + 1;
  f.hour = static_cast<int>(secondOfDay / CDateSpan::kSecondsPerHour);
  f.minute = static_cast<int>(secondOfDay % CDateSpan::kSecondsPerHour / 60);
  f.second = static_cast<int>(secondOfDay % 60);
  return f;
}

int CDateTime::Year() const {
  const std::int64_t days = FloorDiv(m_seconds, CDateSpan::kSecondsPerDay);
  const std::int64_t sinceBase = days + kDaysFromCycleBase;
  const std::int64_t cycle = FloorDiv(sinceBase, kDaysPerCycle);
  const std::int64_t dayOfCycle = sinceBase - cycle * kDaysPerCycle;
  const int yearInCycle = dayOfCycle < 366 ? 0 : 1 + static_cast<int>((dayOfCycle - 366) / 365);
  return kCycleBaseYear + static_cast<int>(cycle * 4) + yearInCycle;
}

int CDateTime::Month() const {
  return Split().month;
}
int CDateTime::Day() const {
  return Split().day;
}

int CDateTime::Hour() const {
  return static_cast<int>(FloorMod(m_seconds, CDateSpan::kSecondsPerDay) /
                          CDateSpan::kSecondsPerHour);
}

int CDateTime::Minute() const {
  return static_cast<int>(FloorMod(m_seconds, CDateSpan::kSecondsPerHour) / 60);
}

int CDateTime::Second() const {
  return static_cast<int>(FloorMod(m_seconds, 60));
}

int CDateTime::DayOfWeek() const {
  // Day 0 (1970-01-01) was a Thursday, which is 5 when Sunday is 1.
  const std::int64_t d = FloorMod(FloorDiv(m_seconds, CDateSpan::kSecondsPerDay), 7);
  return static_cast<int>(d > 2 ? d - 2 : d + 5);
}

CDateTime& CDateTime::operator+=(CDateSpan span) {
  m_seconds = Clamp(m_seconds + span.TotalSeconds());
  return *this;
}

CDateTime& CDateTime::operator-=(CDateSpan span) {
  m_seconds = Clamp(m_seconds - span.TotalSeconds());
  return *this;
}

CDateSpan operator-(const CDateTime& a, const CDateTime& b) {
  return CDateSpan::FromSeconds(std::int64_t{a.m_seconds} - b.m_seconds);
}

const std::string& CDateTime::FormatDate(int order, std::string_view separator, int yearDigits) {
  if (order < kMonthDayYear || order > kDayMonthYear) {
    return m_dateText;
  }
  const Fields f = Split();
  std::string year = std::to_string(f.year);
  if (yearDigits == 2 && year.size() > 2) {
    year.erase(0, year.size() - 2);
  }
  const std::string month = TwoDigits(f.month);
  const std::string day = TwoDigits(f.day);
  const std::string sep(separator);
  switch (order) {
    case kMonthDayYear:
      m_dateText = month + sep + day + sep + year;
      break;
    case kYearMonthDay:
      m_dateText = year + sep + month + sep + day;
      break;
    default:
      m_dateText = day + sep + month + sep + year;
      break;
  }
  return m_dateText;
}

const std::string& CDateTime::FormatTime(int clockMode, std::string_view separator,
                                         bool withSeconds) {
  if (clockMode != kTwelveHour && clockMode != kTwentyFourHour) {
    return m_timeText;
  }
  int hour = Hour();
  std::string marker;
  if (clockMode == kTwelveHour) {
    marker = hour >= 12 ? " PM" : " AM";
    if (hour == 0) {
      hour = 12;
    } else if (hour > 12) {
      hour -= 12;
    }
  }
  const std::string sep(separator);
  m_timeText = TwoDigits(hour) + sep + TwoDigits(Minute());
  if (withSeconds) {
    m_timeText += sep + TwoDigits(Second());
  }
  m_timeText += marker;
  return m_timeText;
}

std::string CDateTime::DisplayDate(std::string_view formattedDate) {
  std::string out;
  out.reserve(formattedDate.size());
  std::size_t fieldStart = 0;
  while (fieldStart <= formattedDate.size()) {
    std::size_t fieldEnd = fieldStart;
    while (fieldEnd < formattedDate.size() && formattedDate[fieldEnd] >= '0' &&
           formattedDate[fieldEnd] <= '9') {
      ++fieldEnd;
    }
    std::string_view field = formattedDate.substr(fieldStart, fieldEnd - fieldStart);
    if (field.size() == 2 && field[0] == '0') {
      field.remove_prefix(1);
    }
    out += field;
    if (fieldEnd >= formattedDate.size()) {
      break;
    }
    out += formattedDate[fieldEnd];
    fieldStart = fieldEnd + 1;
  }
  return out;
}

std::string CDateTime::DisplayTime(std::string_view formattedTime) {
  std::string out(formattedTime);
  if (!out.empty() && out[0] == '0') {
    out[0] = ' ';
  }
  return out;
}

std::string_view CDateTime::DateSeparator(int order) {
  switch (order) {
    case kYearMonthDay:
      return "-";
    case kDayMonthYear:
      return ".";
    default:
      return "/";
  }
}

}  // namespace zw
