// SPDX-License-Identifier: GPL-3.0-or-later
#include <libical/ical.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <optional>

#include "events/event.h"
#include "events/eventschedule.h"
#include "events/icalendar.h"
#include "events/icaltext.h"
#include "events/icaltzone.h"
#include "locations/location.h"

namespace zw {

namespace {

constexpr const char* kProductId = "-//Zonewright//Zonewright 2.0//EN";
constexpr const char* kEnabledProperty = "X-ZONEWRIGHT-ENABLED";

// Owns one libical component tree.
struct ComponentDeleter {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

void AddRule(icalcomponent* to, const std::string& rule) {
  icalcomponent_add_property(to,
                             icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
}

std::string Weekdays(int weekdays) {
  std::string text;
  // Monday first, as the week is counted.
  for (int i = 1; i <= 7; ++i) {
    if ((weekdays & (1 << (i % 7))) != 0) {
      text += text.empty() ? "" : ",";
      text += ical::WeekdayCode(i % 7);
    }
  }
  return text;
}

std::string Every(int interval) {
  return interval == 1 ? "" : ";INTERVAL=" + std::to_string(interval);
}

// The day of the year for February 29..31, which count on into March in common years just as
// a yearly BYYEARDAY does.
std::string Annual(int month, int day) {
  if (month == 2 && day > 28) {
    return "FREQ=YEARLY;BYYEARDAY=" + std::to_string(31 + day);
  }
  // Other days past a month's end are always the same day of the next month.
  const int length = CDateTime::DaysInMonth(2001, month);
  if (day > length) {
    day -= length;
    ++month;
  }
  return "FREQ=YEARLY;BYMONTH=" + std::to_string(month) + ";BYMONTHDAY=" + std::to_string(day);
}

// The RRULE value; empty for a one-time event.
std::string RuleOf(const CEvent& alarm) {
  const AlarmRecord& r = alarm.Fields();
  const EventExtras x = alarm.Extras();
  switch (alarm.Repeat()) {
    case RepeatKind::kEveryNDays:
      return "FREQ=DAILY" + Every(x.interval);
    case RepeatKind::kEveryNWeeks:
      return "FREQ=WEEKLY" + Every(x.interval) + ";BYDAY=" + Weekdays(x.weekdays) + ";WKST=MO";
    case RepeatKind::kNthWeekday: {
      const std::string n = std::to_string(x.ordinal);
      if (std::popcount(static_cast<unsigned>(x.weekdays)) == 1) {
        return "FREQ=MONTHLY" + Every(x.interval) + ";BYDAY=" + n + Weekdays(x.weekdays);
      }
      return "FREQ=MONTHLY" + Every(x.interval) + ";BYDAY=" + Weekdays(x.weekdays) +
             ";BYSETPOS=" + n;
    }
    default:
      break;
  }
  switch (r.frequency) {
    case kDaily:
      return "FREQ=DAILY";
    case kWeekly:
      return "FREQ=WEEKLY;BYDAY=" + std::string(ical::WeekdayCode(r.weekday - 1));
    case kMonthly:
      return "FREQ=MONTHLY;BYMONTHDAY=" +
             (r.lastDayOfMonth == 1 ? std::string("-1") : std::to_string(r.monthDay));
    case kAnnual:
      return Annual(r.annualMonth, r.annualDay);
    default:
      return {};
  }
}

// "MM/DD/YYYY" as a day, or none.
std::optional<CDateTime> StartDay(const CEvent& alarm) {
  const std::string d = alarm.DateText();
  if (d.size() != 10) {
    return std::nullopt;
  }
  const int month = std::atoi(d.substr(0, 2).c_str());
  const int day = std::atoi(d.substr(3, 2).c_str());
  const int year = std::atoi(d.substr(6, 4).c_str());
  return CDateTime(year, month, day, 0, 0, 0);
}

// The occurrence a calendar starts the event with, as a wall-clock time of its place.
std::optional<CDateTime> FirstOccurrence(const CEventSchedule& schedule, const CDateTime& now) {
  const CEvent& alarm = *schedule.Alarm();
  const CDateSpan preNotify(0, 0, alarm.Fields().preNotifyMinutes, 0);
  CDateTime from = schedule.Location()->Zone().ToLocal(now);
  const bool started = alarm.Repeat() != RepeatKind::kPlain || alarm.Fields().frequency == kOneTime;
  if (started) {
    const std::optional<CDateTime> start = StartDay(alarm);
    if (!start) {
      return std::nullopt;
    }
    from = *start - CDateSpan(0, 0, 0, 1);
  }
  const std::optional<CDateTime> due = schedule.NextOccurrence(from - preNotify);
  if (!due) {
    return std::nullopt;
  }
  return *due + preNotify;
}

std::string ZoneId(const CLocation& place, const CICalendar::ZoneNamer& zoneName) {
  std::string id = zoneName ? zoneName(place) : std::string();
  if (!id.empty()) {
    return id;
  }
  id = "Zonewright/" + ical::Latin1ToUtf8(place.Name()) + "/" + ical::Latin1ToUtf8(place.Country());
  // Keeps the parameter value free of characters that would need quoting.
  for (char& c : id) {
    if (c == '"' || c == ';' || c == ':' || c == ',') {
      c = '-';
    }
  }
  return id;
}

icalcomponent* Observance(bool daylight, const CDateTime& start, int from, int to,
                          const std::string& rule) {
  icalcomponent* part = daylight ? icalcomponent_new_xdaylight() : icalcomponent_new_xstandard();
  icalcomponent_add_property(part, icalproperty_new_dtstart(ical::WallTime(start)));
  icalcomponent_add_property(part, icalproperty_new_tzoffsetfrom(from));
  icalcomponent_add_property(part, icalproperty_new_tzoffsetto(to));
  if (!rule.empty()) {
    AddRule(part, rule);
  }
  return part;
}

std::string TransitionRule(int ordinal, int weekday, int month) {
  const int n = ordinal == DstRule::kLast ? -1 : ordinal + 1;
  return "FREQ=YEARLY;BYMONTH=" + std::to_string(month + 1) + ";BYDAY=" + std::to_string(n) +
         std::string(ical::WeekdayCode(weekday));
}

// The place's standard offset and, when it has one, its daylight-saving rule.
icalcomponent* RuleTimeZone(const CZoneRule& zone, const std::string& id) {
  icalcomponent* tz = icalcomponent_new_vtimezone();
  icalcomponent_add_property(tz, icalproperty_new_tzid(id.c_str()));
  const int standard = zone.GetOffsetHours() * 3600 + zone.GetOffsetMinutes() * 60;
  const DstRule& r = zone.GetDstRule();
  if (r.enabled == 0 || !r.IsComputable()) {
    icalcomponent_add_component(
        tz, Observance(false, CDateTime(1970, 1, 1, 0, 0, 0), standard, standard, {}));
    return tz;
  }
  const int daylight = standard + 3600;
  const CDateTime on =
      CZoneRule::Transition(1970, r.startOrdinal, r.startWeekday, r.startMonth, r.startHour);
  const CDateTime off =
      CZoneRule::Transition(1970, r.endOrdinal, r.endWeekday, r.endMonth, r.endHour);
  icalcomponent_add_component(
      tz, Observance(true, on, standard, daylight,
                     TransitionRule(r.startOrdinal, r.startWeekday, r.startMonth)));
  icalcomponent_add_component(tz,
                              Observance(false, off, daylight, standard,
                                         TransitionRule(r.endOrdinal, r.endWeekday, r.endMonth)));
  return tz;
}

void AddAlarm(icalcomponent* event, const CEvent& alarm) {
  const int minutes = alarm.Fields().preNotifyMinutes;
  if (minutes <= 0) {
    return;
  }
  icalcomponent* valarm = icalcomponent_new_valarm();
  icalcomponent_add_property(valarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icalcomponent_add_property(
      valarm, icalproperty_new_description(ical::Latin1ToUtf8(alarm.Name()).c_str()));
  icaltriggertype trigger{};
  trigger.time = icaltime_null_time();
  trigger.duration = icaldurationtype_from_int(-minutes * 60);
  icalcomponent_add_property(valarm, icalproperty_new_trigger(trigger));
  icalcomponent_add_component(event, valarm);
}

icalcomponent* Event(const CEventSchedule& schedule, const CDateTime& start,
                     const std::string& zoneId, const CDateTime& now, std::size_t index) {
  const CEvent& alarm = *schedule.Alarm();
  icalcomponent* event = icalcomponent_new_vevent();
  const std::string uid =
      std::to_string(index + 1) + "-" + std::to_string(now.Seconds()) + "@zonewright.invalid";
  icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
  icalcomponent_add_property(event, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(
                                        now.Seconds(), 0, icaltimezone_get_utc_timezone())));
  icalcomponent_add_property(event,
                             icalproperty_new_summary(ical::Latin1ToUtf8(alarm.Name()).c_str()));
  if (!alarm.MessageText().empty()) {
    icalcomponent_add_property(
        event, icalproperty_new_description(ical::Latin1ToUtf8(alarm.MessageText()).c_str()));
  }
  icalproperty* dtstart = icalproperty_new_dtstart(ical::WallTime(start));
  icalproperty_add_parameter(dtstart, icalparameter_new_tzid(zoneId.c_str()));
  icalcomponent_add_property(event, dtstart);
  if (const std::string rule = RuleOf(alarm); !rule.empty()) {
    AddRule(event, rule);
  }
  if (alarm.IsOff()) {
    icalproperty* off = icalproperty_new_x("FALSE");
    icalproperty_set_x_name(off, kEnabledProperty);
    icalcomponent_add_property(event, off);
  }
  AddAlarm(event, alarm);
  return event;
}

// A zone the calendar names, and the earliest start written in it.
struct ZoneUse {
  std::string id;
  const CLocation* place = nullptr;
  CDateTime firstGmt;
};

void Use(std::vector<ZoneUse>& zones, const std::string& id, const CLocation& place,
         const CDateTime& gmt) {
  const auto known = std::ranges::find(zones, id, &ZoneUse::id);
  if (known == zones.end()) {
    zones.push_back({id, &place, gmt});
  } else if (gmt < known->firstGmt) {
    known->firstGmt = gmt;
  }
}

// A place that follows a tz zone gets that zone's own switches, from a day before its first
// start on; the others their stored rule.
icalcomponent* TimeZone(const ZoneUse& use) {
  if (const CTzZone* tz = use.place->Zone().Tz()) {
    return ical::TzTimeZone(*tz, use.id, use.firstGmt - CDateSpan(1, 0, 0, 0));
  }
  return RuleTimeZone(use.place->StoredRule(), use.id);
}

}  // namespace

std::string CICalendar::TzZoneName(const CLocation& place) {
  const CTzZone* tz = place.Zone().Tz();
  return tz != nullptr ? tz->Name() : std::string();
}

std::string CICalendar::Export(const std::vector<const CEventSchedule*>& events,
                               const CDateTime& now, const ZoneNamer& zoneName) {
  Component calendar(icalcomponent_new_vcalendar());
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
  icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
  std::vector<ZoneUse> zones;
  std::vector<icalcomponent*> vevents;
  for (const CEventSchedule* schedule : events) {
    if (schedule == nullptr || schedule->Location() == nullptr) {
      continue;
    }
    const std::optional<CDateTime> start = FirstOccurrence(*schedule, now);
    if (!start) {
      continue;
    }
    const CLocation* place = schedule->Location();
    const std::string zone = ZoneId(*place, zoneName);
    Use(zones, zone, *place, place->Zone().ToGmt(*start));
    vevents.push_back(Event(*schedule, *start, zone, now, vevents.size()));
  }
  for (const ZoneUse& use : zones) {
    icalcomponent_add_component(calendar.get(), TimeZone(use));
  }
  // Zones first, as calendars read them before the times that name them.
  for (icalcomponent* event : vevents) {
    icalcomponent_add_component(calendar.get(), event);
  }
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  std::string result = text != nullptr ? text : "";
  std::free(text);
  return result;
}

}  // namespace zw
