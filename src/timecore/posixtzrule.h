// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zw {

// The offset in force at an instant: seconds east of GMT, and whether it is daylight time.
struct ZoneState {
  std::int32_t offsetSeconds = 0;
  bool dst = false;
  friend bool operator==(const ZoneState&, const ZoneState&) = default;
};

// The rule a tz database file ends with, which holds for every instant after the file's last
// listed switch: the POSIX TZ form with the tz database's extensions, such as
// "EST5EDT,M3.2.0,M11.1.0", "<+0545>-5:45" or "<-02>2<-01>,M3.5.0/-1,M10.5.0/0" (switch
// times from -167 to +167 hours).
class CPosixTzRule {
 public:
  // nullopt for any text outside that form, which the file reader treats as "no rule".
  static std::optional<CPosixTzRule> Parse(std::string_view text);

  ZoneState At(std::int64_t utcSeconds) const;
  // The first switch of the rule strictly after the instant, whether or not it changes the
  // offset; nullopt for a rule without daylight time.
  std::optional<std::int64_t> NextSwitch(std::int64_t utcSeconds) const;

 private:
  // Mm.w.d (w 5 = last), Jn (1..365, February 29th never counted) or n (0..365).
  struct Switch {
    char form = 'M';
    int month = 0;
    int week = 0;
    int weekday = 0;
    int day = 0;
    std::int32_t time = 2 * 3600;  // local time of day, may lie outside 0..24 h
  };
  class Reader;

  // Local midnight of the switch's day in `year`, in days since 1970-01-01.
  static std::int64_t DayOf(int year, const Switch& when);

  std::int32_t m_standard = 0;  // seconds east of GMT
  std::int32_t m_daylight = 0;
  bool m_hasDst = false;
  Switch m_start;
  Switch m_end;
};

}  // namespace zw
