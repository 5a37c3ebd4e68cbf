// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/posixtzrule.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zw {

namespace {

constexpr std::int32_t kHour = 3600;
constexpr std::int64_t kDay = 86400;
// The tz database allows switch times up to a week either side of midnight.
constexpr std::int32_t kMaxSwitchHours = 167;
constexpr std::int32_t kMaxOffsetHours = 24;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int YearOfDay(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  return static_cast<int>(yearOfEra + era * 400 + (mp >= 10 ? 1 : 0));
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - (a % b < 0 ? 1 : 0);
}

// 0 = Sunday.
int WeekdayOf(std::int64_t days) {
  const std::int64_t weekday = (days + 4) % 7;
  return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

}  // namespace

// A cursor over the rule text; every Read* returns false on anything unexpected.
class CPosixTzRule::Reader {
 public:
  explicit Reader(std::string_view text) : m_text(text) {}

  bool AtEnd() const { return m_at == m_text.size(); }
  bool Peek(char c) const { return !AtEnd() && m_text[m_at] == c; }
  bool Take(char c) {
    if (!Peek(c)) {
      return false;
    }
    ++m_at;
    return true;
  }
  bool PeeksOffset() const {
    return !AtEnd() && (m_text[m_at] == '+' || m_text[m_at] == '-' || IsDigit());
  }

  bool ReadName() {
    const std::size_t start = m_at;
    if (Take('<')) {
      while (!AtEnd() && !Peek('>')) {
        const char c = m_text[m_at++];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-') {
          return false;
        }
      }
      return Take('>') && m_at - start >= 5;
    }
    while (!AtEnd() && std::isalpha(static_cast<unsigned char>(m_text[m_at]))) {
      ++m_at;
    }
    return m_at - start >= 3;
  }

  // [+-]hh[:mm[:ss]] in seconds.
  bool ReadTime(std::int32_t maxHours, std::int32_t& seconds) {
    const bool negative = Take('-');
    if (!negative) {
      Take('+');
    }
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t secs = 0;
    if (!ReadNumber(3, maxHours, hours)) {
      return false;
    }
    if (Take(':') && (!ReadNumber(2, 59, minutes) || (Take(':') && !ReadNumber(2, 59, secs)))) {
      return false;
    }
    seconds = hours * kHour + minutes * 60 + secs;
    if (negative) {
      seconds = -seconds;
    }
    return true;
  }

  bool ReadSwitch(Switch& when) {
    bool read = false;
    if (Take('M')) {
      when.form = 'M';
      read = ReadNumber(2, 12, when.month) && when.month >= 1 && Take('.') &&
             ReadNumber(1, 5, when.week) && when.week >= 1 && Take('.') &&
             ReadNumber(1, 6, when.weekday);
    } else if (Take('J')) {
      when.form = 'J';
      read = ReadNumber(3, 365, when.day) && when.day >= 1;
    } else {
      when.form = 'N';
      read = ReadNumber(3, 365, when.day);
    }
    if (!read) {
      return false;
    }
    return !Take('/') || ReadTime(kMaxSwitchHours, when.time);
  }

 private:
  bool IsDigit() const { return std::isdigit(static_cast<unsigned char>(m_text[m_at])) != 0; }
  bool ReadNumber(std::size_t maxDigits, int maxValue, int& value) {
    const std::size_t start = m_at;
    value = 0;
    while (!AtEnd() && IsDigit() && m_at - start < maxDigits) {
      value = value * 10 + (m_text[m_at++] - '0');
    }
    return m_at > start && value <= maxValue;
  }

  std::string_view m_text;
  std::size_t m_at = 0;
};

std::optional<CPosixTzRule> CPosixTzRule::Parse(std::string_view text) {
  Reader in(text);
  CPosixTzRule rule;
  std::int32_t west = 0;
  if (!in.ReadName() || !in.ReadTime(kMaxOffsetHours, west)) {
    return std::nullopt;
  }
  rule.m_standard = -west;
  if (in.AtEnd()) {
    return rule;
  }
  if (!in.ReadName()) {
    return std::nullopt;
  }
  rule.m_daylight = rule.m_standard + kHour;
  if (in.PeeksOffset()) {
    if (!in.ReadTime(kMaxOffsetHours, west)) {
      return std::nullopt;
    }
    rule.m_daylight = -west;
  }
  // Without switch rules the daylight name would stand for a default the tz database never
  // uses; such a text is refused rather than guessed at.
  if (!in.Take(',') || !in.ReadSwitch(rule.m_start) || !in.Take(',') ||
      !in.ReadSwitch(rule.m_end) || !in.AtEnd()) {
    return std::nullopt;
  }
  rule.m_hasDst = true;
  return rule;
}

std::int64_t CPosixTzRule::DayOf(int year, const Switch& when) {
  const std::int64_t newYear = DaysFromCivil(year, 1, 1);
  if (when.form == 'J') {
    // Day 60 is March 1st whether or not the year is a leap year.
    const int leapDay = IsLeap(year) && when.day >= 60 ? 1 : 0;
    return newYear + when.day - 1 + leapDay;
  }
  if (when.form == 'N') {
    return newYear + when.day;
  }
  const std::int64_t first = DaysFromCivil(year, when.month, 1);
  int day = 1 + (when.weekday - WeekdayOf(first) + 7) % 7 + (when.week - 1) * 7;
  while (day > DaysIn(year, when.month)) {
    day -= 7;
  }
  return first + day - 1;
}

ZoneState CPosixTzRule::At(std::int64_t utcSeconds) const {
  if (!m_hasDst) {
    return ZoneState{m_standard, false};
  }
  // The switches of the years either side as well, since a switch time may carry a switch
  // into the neighbouring year.
  struct Event {
    std::int64_t at;
    bool dst;
  };
  std::array<Event, 6> events{};
  const int year = YearOfDay(FloorDiv(utcSeconds + m_standard, kDay));
  for (int i = 0; i < 3; ++i) {
    const int y = year - 1 + i;
    events[static_cast<std::size_t>(2 * i)] = {DayOf(y, m_start) * kDay + m_start.time - m_standard,
                                               true};
    events[static_cast<std::size_t>(2 * i + 1)] = {DayOf(y, m_end) * kDay + m_end.time - m_daylight,
                                                   false};
  }
  // At equal instants the end goes first, so a rule that is daylight all year stays so.
  std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.at != b.at ? a.at < b.at : !a.dst && b.dst;
  });
  bool dst = !events.front().dst;
  for (const Event& event : events) {
    if (event.at > utcSeconds) {
      break;
    }
    dst = event.dst;
  }
  return ZoneState{dst ? m_daylight : m_standard, dst};
}

std::optional<std::int64_t> CPosixTzRule::NextSwitch(std::int64_t utcSeconds) const {
  if (!m_hasDst) {
    return std::nullopt;
  }
  // A switch time may carry a switch into the neighbouring year, so the years either side
  // are candidates too; one of the four years always holds the next switch.
  const int year = YearOfDay(FloorDiv(utcSeconds + m_standard, kDay));
  std::optional<std::int64_t> next;
  for (int y = year - 1; y <= year + 2; ++y) {
    for (const std::int64_t at : {DayOf(y, m_start) * kDay + m_start.time - m_standard,
                                  DayOf(y, m_end) * kDay + m_end.time - m_daylight}) {
      if (at > utcSeconds && (!next || at < *next)) {
        next = at;
      }
    }
  }
  return next;
}

}  // namespace zw
