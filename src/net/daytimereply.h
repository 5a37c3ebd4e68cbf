// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace zw {

// The date and the time of day found in a Daytime server's reply: a date written
// "YY-MM-DD" and a time "HH:MM:SS" (UTC), wherever they stand near the start of the text.
class CDaytimeReply {
 public:
  struct Date {
    int year;  // four digits: 00-69 are 2000-2069, 70-99 are 1970-1999
    int month;
    int day;
  };
  struct Time {
    int hour;
    int minute;
    int second;
  };

  // Only the bytes received are looked at. A pattern whose fields are not digits or not a
  // real date or time does not count, and the search goes on past it.
  explicit CDaytimeReply(std::string_view received);

  const std::optional<Date>& FoundDate() const { return m_date; }
  const std::optional<Time>& FoundTime() const { return m_time; }
  // Whether the time was found on the reply's first non-empty line, and that line reads as
  // a Daytime reply rather than another protocol's status or header line ("HTTP/1.1 400",
  // "220 ...", "Date: ..."). A time without a date counts only then.
  bool TimeOnReplyLine() const { return m_timeOnReplyLine; }

 private:
  static bool IsReplyLine(std::string_view line);

  static std::optional<Date> DateAt(std::string_view text, std::size_t i);
  static std::optional<Time> TimeAt(std::string_view text, std::size_t i);

  std::optional<Date> m_date;
  std::optional<Time> m_time;
  bool m_timeOnReplyLine = false;
};

}  // namespace zw
