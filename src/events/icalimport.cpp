// SPDX-License-Identifier: GPL-3.0-or-later
#include <libical/ical.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdio>
#include <optional>
#include <variant>

#include "events/event.h"
#include "events/icalendar.h"
#include "events/icaltext.h"
#include "locations/location.h"

namespace zw {

namespace {

constexpr const char* kEnabledProperty = "X-ZONEWRIGHT-ENABLED";
constexpr int kMaxPreNotify = 99;

struct ComponentDeleter {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// What an event takes from a VEVENT; a text is the reason it cannot.
struct Shape {
  int frequency = kOneTime;
  EventExtras extras;
  int monthDay = 1;
  int lastDay = 0;
  int month = 1;
};
using Reading = std::variant<Shape, std::string>;

// Values of a libical BY list up to its end marker.
template <std::size_t N>
std::vector<short> List(const short (&values)[N]) {
  std::vector<short> list;
  for (const short v : values) {
    if (v == ICAL_RECURRENCE_ARRAY_MAX) {
      break;
    }
    list.push_back(v);
  }
  return list;
}

// Weekday bits of a BYDAY list and the one position all of them share, if they share one.
struct Days {
  int weekdays = 0;
  std::optional<int> position;
  bool mixed = false;
};

Days DaysOf(const std::vector<short>& byDay) {
  Days days;
  for (std::size_t i = 0; i < byDay.size(); ++i) {
    const int weekday = icalrecurrencetype_day_day_of_week(byDay[i]);
    const int position = icalrecurrencetype_day_position(byDay[i]);
    if (weekday >= ICAL_SUNDAY_WEEKDAY && weekday <= ICAL_SATURDAY_WEEKDAY) {
      days.weekdays |= 1 << (weekday - ICAL_SUNDAY_WEEKDAY);
    }
    if (i == 0) {
      days.position = position;
    } else if (days.position != position) {
      days.mixed = true;
    }
  }
  return days;
}

bool Ordinal(int n) {
  return n == EventExtras::kLastOrdinal || (n >= 1 && n <= EventExtras::kMaxOrdinal);
}

int Bit(const icaltimetype& start) {
  return 1 << (icaltime_day_of_week(start) - 1);
}

Reading Daily(const icalrecurrencetype& r, const std::vector<short>& byDay, Shape shape) {
  if (!byDay.empty()) {
    const Days days = DaysOf(byDay);
    if (r.interval != 1 || days.position != 0 || days.mixed) {
      return std::string("chosen weekdays of every few days");
    }
    shape.frequency = kWeekly;
    shape.extras = {.kind = RepeatKind::kEveryNWeeks, .interval = 1, .weekdays = days.weekdays};
    return shape;
  }
  // Counted from the start, as a calendar counts them: nothing comes before it.
  shape.frequency = kDaily;
  shape.extras = {.kind = RepeatKind::kEveryNDays, .interval = r.interval};
  return shape;
}

Reading Weekly(const icalrecurrencetype& r, const std::vector<short>& byDay,
               const icaltimetype& start, Shape shape) {
  const Days days = byDay.empty() ? Days{Bit(start), 0, false} : DaysOf(byDay);
  if (days.position != 0 || days.mixed) {
    return std::string("a numbered weekday in a weekly repeat");
  }
  shape.frequency = kWeekly;
  const bool one = std::popcount(static_cast<unsigned>(days.weekdays)) == 1;
  if (r.interval != 1 && !one && r.week_start != ICAL_MONDAY_WEEKDAY) {
    return std::string("weeks that begin on another day than Monday");
  }
  shape.extras = {
      .kind = RepeatKind::kEveryNWeeks, .interval = r.interval, .weekdays = days.weekdays};
  return shape;
}

Reading Monthly(const icalrecurrencetype& r, const std::vector<short>& byDay,
                const icaltimetype& start, Shape shape) {
  const std::vector<short> monthDays = List(r.by_month_day);
  const std::vector<short> setPos = List(r.by_set_pos);
  shape.frequency = kMonthly;
  if (byDay.empty()) {
    if (monthDays.size() > 1 || !setPos.empty()) {
      return std::string("several days of the month");
    }
    if (r.interval != 1) {
      return std::string("a day of the month every few months");
    }
    const int day = monthDays.empty() ? start.day : monthDays.front();
    if (day != -1 && (day < 1 || day > 31)) {
      return std::string("a day counted from the month's end");
    }
    shape.lastDay = day == -1 ? 1 : 0;
    shape.monthDay = day == -1 ? 0 : day;
    return shape;
  }
  const Days days = DaysOf(byDay);
  const int ordinal = setPos.size() == 1 && days.position == 0 ? setPos.front()
                      : setPos.empty() && days.position        ? *days.position
                                                               : 0;
  if (!monthDays.empty() || days.mixed || !Ordinal(ordinal)) {
    return std::string("weekdays of the month other than the Nth or last");
  }
  shape.monthDay = start.day;
  shape.extras = {.kind = RepeatKind::kNthWeekday,
                  .interval = r.interval,
                  .weekdays = days.weekdays,
                  .ordinal = ordinal};
  return shape;
}

Reading Yearly(const icalrecurrencetype& r, const std::vector<short>& byDay,
               const icaltimetype& start, Shape shape) {
  const std::vector<short> months = List(r.by_month);
  const std::vector<short> monthDays = List(r.by_month_day);
  const std::vector<short> yearDays = List(r.by_year_day);
  if (r.interval != 1 || !byDay.empty() || months.size() > 1 || monthDays.size() > 1 ||
      yearDays.size() > 1 || !List(r.by_set_pos).empty()) {
    return std::string("a yearly repeat other than one day every year");
  }
  shape.frequency = kAnnual;
  if (!yearDays.empty()) {
    // Days 60..62 are February 29..31 counted on into March, as events count them.
    const int n = yearDays.front();
    if (!months.empty() || !monthDays.empty() || n < 1 || n > 62) {
      return std::string("a day of the year after March 3");
    }
    shape.month = n <= 31 ? 1 : 2;
    shape.monthDay = n <= 31 ? n : n - 31;
    return shape;
  }
  shape.month = months.empty() ? start.month : months.front();
  shape.monthDay = monthDays.empty() ? start.day : monthDays.front();
  if (shape.month < 1 || shape.month > 12 || shape.monthDay < 1 ||
      shape.monthDay > CDateTime::DaysInMonth(2001, shape.month)) {
    // A calendar leaves such a year out; an event would move it to March 1st.
    return std::string("a day not in every year");
  }
  return shape;
}

Reading ShapeOf(icalcomponent* event, const icaltimetype& start) {
  const int rules = icalcomponent_count_properties(event, ICAL_RRULE_PROPERTY);
  if (rules == 0) {
    return Shape{};
  }
  if (rules > 1 || icalcomponent_count_properties(event, ICAL_EXRULE_PROPERTY) > 0 ||
      icalcomponent_count_properties(event, ICAL_RDATE_PROPERTY) > 0 ||
      icalcomponent_count_properties(event, ICAL_EXDATE_PROPERTY) > 0) {
    return std::string("added or left-out dates");
  }
  const icalrecurrencetype r =
      icalproperty_get_rrule(icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY));
  if (r.count != 0 || !icaltime_is_null_time(r.until)) {
    return std::string("a repeat that ends");
  }
  if (r.interval < 1 || r.interval > EventExtras::kMaxInterval) {
    return std::string("an interval above 255");
  }
  if (!List(r.by_second).empty() || !List(r.by_minute).empty() || !List(r.by_hour).empty() ||
      !List(r.by_week_no).empty() || r.rscale != nullptr) {
    return std::string("several times a day, week numbers or another calendar");
  }
  const std::vector<short> byDay = List(r.by_day);
  const bool dayOnly = List(r.by_month).empty() && List(r.by_month_day).empty() &&
                       List(r.by_year_day).empty() && List(r.by_set_pos).empty();
  switch (r.freq) {
    case ICAL_DAILY_RECURRENCE:
      return dayOnly ? Daily(r, byDay, {}) : std::string("a daily repeat limited to some days");
    case ICAL_WEEKLY_RECURRENCE:
      return dayOnly ? Weekly(r, byDay, start, {})
                     : std::string("a weekly repeat limited to some days");
    case ICAL_MONTHLY_RECURRENCE:
      return List(r.by_month).empty() && List(r.by_year_day).empty()
                 ? Monthly(r, byDay, start, {})
                 : std::string("a monthly repeat limited to some months");
    case ICAL_YEARLY_RECURRENCE:
      return Yearly(r, byDay, start, {});
    default:
      return std::string("a repeat more often than daily");
  }
}

// Pre-notify minutes from the first VALARM that comes before the start, or a reason.
std::variant<int, std::string> PreNotify(icalcomponent* event) {
  icalcomponent* valarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
  icalproperty* trigger =
      valarm != nullptr ? icalcomponent_get_first_property(valarm, ICAL_TRIGGER_PROPERTY) : nullptr;
  if (trigger == nullptr) {
    return 0;
  }
  const icaltriggertype t = icalproperty_get_trigger(trigger);
  if (!icaltime_is_null_time(t.time)) {
    return std::string("a reminder at a fixed time");
  }
  const int seconds = -icaldurationtype_as_int(t.duration);
  if (seconds < 0 || seconds > kMaxPreNotify * 60) {
    return std::string("a reminder more than 99 minutes ahead");
  }
  return seconds / 60;
}

std::string Text(icalcomponent* event, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(event, kind);
  const char* value = p != nullptr ? icalproperty_get_value_as_string(p) : nullptr;
  return value != nullptr ? ical::Utf8ToLatin1(value) : std::string();
}

bool SwitchedOff(icalcomponent* event) {
  for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p != nullptr;
       p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
    const char* name = icalproperty_get_x_name(p);
    const char* value = icalproperty_get_x(p);
    if (name != nullptr && value != nullptr && std::string_view(name) == kEnabledProperty) {
      return std::string_view(value) == "FALSE";
    }
  }
  return false;
}

// The start as a wall-clock time of the place.
CDateTime WallTime(const icaltimetype& start, const CLocation& place) {
  if (icaltime_is_utc(start)) {
    return place.Zone().ToLocal(CDateTime::FromSeconds(icaltime_as_timet(start)));
  }
  return CDateTime(start.year, start.month, start.day, start.hour, start.minute, start.second);
}

std::unique_ptr<CEvent> Build(const Shape& shape, const CDateTime& wall, int preNotify,
                              const std::string& summary, icalcomponent* event,
                              const CLocation& place) {
  auto alarm = std::make_unique<CEvent>();
  AlarmRecord& r = alarm->Fields();
  CEvent::SetText(r.name, summary);
  CEvent::SetText(r.locationName, place.Name());
  CEvent::SetText(r.locationCountry, place.Country());
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", wall.Hour(), wall.Minute(), wall.Second());
  CEvent::SetText(r.timeText, text);
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", wall.Month(), wall.Day(), wall.Year());
  CEvent::SetText(r.dateText, text);
  r.frequency = shape.frequency;
  // Earlier versions read the base fields: the start's weekday and day.
  r.weekday = wall.DayOfWeek();
  r.monthDay = shape.monthDay;
  r.lastDayOfMonth = shape.lastDay;
  r.annualMonth = shape.frequency == kAnnual ? shape.month : wall.Month();
  r.annualDay = shape.frequency == kAnnual ? shape.monthDay : wall.Day();
  r.preNotifyMinutes = preNotify;
  r.showMessage = 1;
  const std::string description = Text(event, ICAL_DESCRIPTION_PROPERTY);
  CEvent::SetText(r.messageText, description.empty() ? summary : description);
  EventExtras extras = shape.extras;
  extras.off = SwitchedOff(event);
  alarm->SetExtras(extras);
  return alarm;
}

void ImportEvent(icalcomponent* event, const CLocation& place, CICalendar::Imported& into) {
  const std::string summary = Text(event, ICAL_SUMMARY_PROPERTY);
  const auto skip = [&](std::string reason) {
    into.skipped.push_back({summary, std::move(reason)});
  };
  if (icalcomponent_count_properties(event, ICAL_XLICERROR_PROPERTY) > 0) {
    return skip("damaged: " + Text(event, ICAL_XLICERROR_PROPERTY));
  }
  const icaltimetype start = icalcomponent_get_dtstart(event);
  if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) {
    return skip("no start");
  }
  if (start.is_date) {
    return skip("an all-day event has no time of day");
  }
  Reading shape = ShapeOf(event, start);
  if (const auto* reason = std::get_if<std::string>(&shape)) {
    return skip(*reason);
  }
  const auto preNotify = PreNotify(event);
  if (const auto* reason = std::get_if<std::string>(&preNotify)) {
    return skip(*reason);
  }
  const CDateTime wall = WallTime(start, place);
  into.events.push_back(
      Build(std::get<Shape>(shape), wall, std::get<int>(preNotify), summary, event, place));
}

bool OpensEvent(std::string_view line) {
  constexpr std::string_view kBegin = "BEGIN:VEVENT";
  if (line.size() < kBegin.size()) {
    return false;
  }
  for (std::size_t i = 0; i < kBegin.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(line[i])) != kBegin[i]) {
      return false;
    }
  }
  return true;
}

// The calendar cut before its VEVENT past `cap` and closed again, so the parser never builds
// what would not be read; `over` counts the VEVENTs cut off.
std::string UpToCap(std::string_view text, std::size_t cap, std::size_t& over) {
  std::size_t events = 0;
  std::size_t cut = std::string_view::npos;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    if (OpensEvent(text.substr(at, end - at)) && ++events == cap + 1) {
      cut = at;
    }
    at = end + 1;
  }
  if (cut == std::string_view::npos) {
    return std::string(text);
  }
  over = events - cap;
  return std::string(text.substr(0, cut)) + "END:VCALENDAR\r\n";
}

}  // namespace

CICalendar::Imported CICalendar::Import(std::string_view text, const CLocation& place) {
  Imported result;
  if (text.size() > kMaxBytes) {
    return result;
  }
  const std::string owned = UpToCap(text, kMaxEvents, result.overLimit);
  Component root(icalparser_parse_string(owned.c_str()));
  if (!root) {
    return {};
  }
  result.readable = true;
  if (icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT) {
    ImportEvent(root.get(), place, result);
    return result;
  }
  for (icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
       event != nullptr;
       event = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT)) {
    ImportEvent(event, place, result);
  }
  return result;
}

}  // namespace zw
