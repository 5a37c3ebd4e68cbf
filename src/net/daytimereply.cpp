// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/daytimereply.h"

#include "timecore/datetime.h"

namespace zw {

namespace {

// A field starts at most this far in; the reply's date and time come early in its line.
constexpr std::size_t kLastSeparator = 59;
// A separator needs the two digits before it and the five characters from it.
constexpr std::size_t kFirstSeparator = 2;
constexpr std::size_t kPatternTail = 6;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The two-digit number at `at`, or -1.
int TwoDigits(std::string_view text, std::size_t at) {
  if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) {
    return -1;
  }
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// The fields around separators at i and i + 3: before i, after i, after i + 3.
bool Fields(std::string_view text, std::size_t i, char separator, int (&fields)[3]) {
  if (text[i] != separator || text[i + 3] != separator) {
    return false;
  }
  fields[0] = TwoDigits(text, i - 2);
  fields[1] = TwoDigits(text, i + 1);
  fields[2] = TwoDigits(text, i + 4);
  return fields[0] >= 0 && fields[1] >= 0 && fields[2] >= 0;
}

}  // namespace

CDaytimeReply::CDaytimeReply(std::string_view received) {
  std::size_t timeAt = 0;
  for (std::size_t i = kFirstSeparator; i <= kLastSeparator && i + kPatternTail <= received.size();
       ++i) {
    if (!m_date) {
      m_date = DateAt(received, i);
    }
    if (!m_time) {
      m_time = TimeAt(received, i);
      if (m_time) {
        timeAt = i;
      }
    }
    if (m_date && m_time) {
      break;
    }
  }
  if (!m_time) {
    return;
  }
  const std::size_t start = received.find_first_not_of("\r\n");
  const std::size_t end = received.find_first_of("\r\n", start);
  const std::size_t lineEnd = end == std::string_view::npos ? received.size() : end;
  // The time's first digit stands two before its separator, its last five after it.
  m_timeOnReplyLine = timeAt - 2 >= start && timeAt + kPatternTail <= lineEnd &&
                      IsReplyLine(received.substr(start, lineEnd - start));
}

bool CDaytimeReply::IsReplyLine(std::string_view line) {
  if (line.starts_with("HTTP/")) {
    return false;
  }
  // A status code: three digits and a blank or a hyphen.
  if (line.size() > 3 && IsDigit(line[0]) && IsDigit(line[1]) && IsDigit(line[2]) &&
      (line[3] == ' ' || line[3] == '-')) {
    return false;
  }
  // A header: a name of letters and hyphens, a colon and a blank.
  std::size_t name = 0;
  while (name < line.size() && ((line[name] >= 'A' && line[name] <= 'Z') ||
                                (line[name] >= 'a' && line[name] <= 'z') || line[name] == '-')) {
    ++name;
  }
  return !(name > 0 && line.substr(name).starts_with(": "));
}

std::optional<CDaytimeReply::Date> CDaytimeReply::DateAt(std::string_view text, std::size_t i) {
  int fields[3];
  if (!Fields(text, i, '-', fields)) {
    return std::nullopt;
  }
  const int year = (text[i - 2] <= '6' ? 2000 : 1900) + fields[0];
  const int month = fields[1];
  const int day = fields[2];
  if (month < 1 || month > 12 || day < 1 || day > CDateTime::DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return Date{year, month, day};
}

std::optional<CDaytimeReply::Time> CDaytimeReply::TimeAt(std::string_view text, std::size_t i) {
  int fields[3];
  if (!Fields(text, i, ':', fields)) {
    return std::nullopt;
  }
  if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) {
    return std::nullopt;
  }
  return Time{fields[0], fields[1], fields[2]};
}

}  // namespace zw
