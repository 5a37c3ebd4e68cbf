// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/whentext.h"

#include <cstdio>

#include "timecore/datetimeentry.h"

namespace zw {

namespace {

constexpr std::size_t kDateLength = 10;  // YYYY-MM-DD

// Exactly `width` digits at `at`, or -1.
int Digits(std::string_view text, std::size_t at, std::size_t width) {
  if (at + width > text.size()) {
    return -1;
  }
  int value = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') {
      return -1;
    }
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool HasSeparator(std::string_view text, std::size_t at, char separator) {
  return at < text.size() && text[at] == separator;
}

struct Date {
  int year, month, day;
};

std::optional<Date> ReadDate(std::string_view text) {
  if (text.size() < kDateLength || !HasSeparator(text, 4, '-') || !HasSeparator(text, 7, '-')) {
    return std::nullopt;
  }
  const Date d{Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2)};
  if (d.year < CDateTimeEntry::kMinYear || d.year > CDateTimeEntry::kMaxYear || d.month < 1 ||
      d.month > 12 || d.day < 1 || d.day > CDateTime::DaysInMonth(d.year, d.month)) {
    return std::nullopt;
  }
  return d;
}

}  // namespace

std::optional<CDateTime> CWhenText::ParseDate(std::string_view text) {
  const std::optional<Date> d = ReadDate(text);
  if (!d || text.size() != kDateLength) {
    return std::nullopt;
  }
  return CDateTime(d->year, d->month, d->day, 0, 0, 0);
}

std::optional<CDateTime> CWhenText::ParseMoment(std::string_view text) {
  const std::optional<Date> d = ReadDate(text);
  if (!d || !(HasSeparator(text, kDateLength, ' ') || HasSeparator(text, kDateLength, 'T'))) {
    return std::nullopt;
  }
  const std::string_view time = text.substr(kDateLength + 1);
  constexpr std::size_t kShort = 5;  // HH:MM
  constexpr std::size_t kLong = 8;   // HH:MM:SS
  if ((time.size() != kShort && time.size() != kLong) || !HasSeparator(time, 2, ':')) {
    return std::nullopt;
  }
  const int hour = Digits(time, 0, 2);
  const int minute = Digits(time, 3, 2);
  const int second = time.size() == kLong && HasSeparator(time, 5, ':') ? Digits(time, 6, 2)
                     : time.size() == kShort                            ? 0
                                                                        : -1;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  return CDateTime(d->year, d->month, d->day, hour, minute, second);
}

std::string CWhenText::Iso(CDateTime time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.Year(), time.Month(),
                time.Day(), time.Hour(), time.Minute(), time.Second());
  return text;
}

}  // namespace zw
