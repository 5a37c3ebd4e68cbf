// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventwords.h"

#include <array>
#include <bit>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "events/event.h"
#include "events/eventschedule.h"
#include "locations/location.h"

namespace zw {

namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 5> kOrdinals = {"first", "second", "third", "fourth",
                                                       "fifth"};
constexpr int kAllDays = EventExtras::kWeekdayBits;
constexpr int kWeekend = 0x41;

std::string Plural(int count, std::string_view unit) {
  return std::to_string(count) + " " + std::string(unit) + "s";
}

// "Monday", "Monday and Thursday", "Monday, Wednesday or Friday".
std::string DayList(int weekdays, std::string_view last) {
  std::string text;
  const int count = std::popcount(static_cast<unsigned>(weekdays));
  int listed = 0;
  // Monday first, as weeks are counted.
  for (int i = 1; i <= 7; ++i) {
    const int day = i % 7;
    if ((weekdays & (1 << day)) == 0) {
      continue;
    }
    if (listed > 0) {
      text += listed + 1 == count ? " " + std::string(last) + " " : ", ";
    }
    text += kWeekdays[static_cast<std::size_t>(day)];
    ++listed;
  }
  return text;
}

// "weekday", "weekend day", "day" or the days themselves.
std::string DayKind(int weekdays, std::string_view last) {
  switch (weekdays) {
    case EventExtras::kMondayToFriday:
      return "weekday";
    case kWeekend:
      return "weekend day";
    case kAllDays:
      return "day";
    default:
      return DayList(weekdays, last);
  }
}

std::string Weeks(const EventExtras& x) {
  const std::string days = DayKind(x.weekdays, "and");
  if (x.interval == 1) {
    return "Every " + days;
  }
  const std::string every = "Every " + Plural(x.interval, "week") + " on ";
  switch (x.weekdays) {
    case kAllDays:
      return every + "all days";
    case EventExtras::kMondayToFriday:
    case kWeekend:
      return every + days + "s";
    default:
      return every + days;
  }
}

std::string NthWeekday(const EventExtras& x) {
  const std::string which = x.ordinal == EventExtras::kLastOrdinal
                                ? "last"
                                : std::string(kOrdinals[static_cast<std::size_t>(x.ordinal - 1)]);
  const std::string months = x.interval == 1 ? "month" : Plural(x.interval, "month");
  return "On the " + which + " " + DayKind(x.weekdays, "or") + " of every " + months;
}

bool ExtrasReadable(const EventExtras& x) {
  const bool ordinal = x.ordinal == EventExtras::kLastOrdinal ||
                       (x.ordinal >= 1 && x.ordinal <= EventExtras::kMaxOrdinal);
  return x.interval >= 1 && (x.kind == RepeatKind::kEveryNDays ||
                             (x.weekdays > 0 && (x.kind != RepeatKind::kNthWeekday || ordinal)));
}

std::string Plain(const AlarmRecord& r, const CEvent& alarm) {
  switch (r.frequency) {
    case kDaily:
      return "Every day";
    case kWeekly:
      return r.weekday >= 1 && r.weekday <= 7
                 ? "Every " + std::string(kWeekdays[static_cast<std::size_t>(r.weekday - 1)])
                 : "Weekly";
    case kMonthly:
      return r.lastDayOfMonth == 1 ? "On the last day of every month"
                                   : "On day " + std::to_string(r.monthDay) + " of every month";
    case kAnnual:
      return r.annualMonth >= 1 && r.annualMonth <= 12
                 ? "Every year on " +
                       std::string(kMonths[static_cast<std::size_t>(r.annualMonth - 1)]) + " " +
                       std::to_string(r.annualDay)
                 : "Every year";
    case kOneTime: {
      // Stored "MM/DD/YYYY", shown the one way that reads the same everywhere.
      const std::string d = alarm.DateText();
      return d.size() == 10
                 ? "Once on " + d.substr(6, 4) + "-" + d.substr(0, 2) + "-" + d.substr(3, 2)
                 : "Once";
    }
    default:
      return "Never";
  }
}

std::string TimeWords(const std::string& stored, bool hour24) {
  // Stored "HH:MM:SS"; seconds are shown only when they are set.
  if (stored.size() != 8) {
    return stored;
  }
  std::string minutes = stored.substr(3, 2);
  if (stored.substr(6, 2) != "00") {
    minutes += ":" + stored.substr(6, 2);
  }
  if (hour24) {
    return stored.substr(0, 2) + ":" + minutes;
  }
  const int hour = std::atoi(stored.substr(0, 2).c_str());
  const int twelve = hour % 12 == 0 ? 12 : hour % 12;
  return std::to_string(twelve) + ":" + minutes + (hour < 12 ? " AM" : " PM");
}

}  // namespace

CDateTime ComputerLocalTime(const CDateTime& gmt) {
  const std::time_t when = gmt.Seconds();
  std::tm local{};
  ::localtime_r(&when, &local);
  return CDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min, local.tm_sec);
}

std::string RepeatPhrase(const CEvent& alarm) {
  const EventExtras x = alarm.Extras();
  if (alarm.Repeat() != RepeatKind::kPlain && !ExtrasReadable(x)) {
    return "Never";
  }
  switch (alarm.Repeat()) {
    case RepeatKind::kEveryNDays:
      return x.interval == 1 ? "Every day" : "Every " + Plural(x.interval, "day");
    case RepeatKind::kEveryNWeeks:
      return Weeks(x);
    case RepeatKind::kNthWeekday:
      return NthWeekday(x);
    default:
      return Plain(alarm.Fields(), alarm);
  }
}

std::string RepeatWords(const CEvent& alarm, bool hour24) {
  return RepeatPhrase(alarm) + " at " + TimeWords(alarm.TimeText(), hour24) + ", " +
         alarm.LocationName();
}

std::optional<NextTimes> NextTimesOf(const CEventSchedule& schedule, const ComputerZone& computer) {
  const CLocation* location = schedule.Location();
  if (location == nullptr || schedule.Alarm()->IsOff()) {
    return std::nullopt;
  }
  // From the place's now rather than the saved due instant, which may be a missed one or,
  // in a file from elsewhere, none.
  const std::optional<CDateTime> due =
      schedule.NextOccurrence(location->Zone().ToLocal(CDateTime()));
  if (!due) {
    return std::nullopt;
  }
  NextTimes times;
  times.place = *due + CDateSpan(0, 0, schedule.Alarm()->Fields().preNotifyMinutes, 0);
  times.gmt = location->Zone().ToGmt(times.place);
  times.computer = computer(times.gmt);
  return times;
}

}  // namespace zw
