// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/icalendar.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <cstdio>
#include <random>

#include "events/event.h"
#include "events/eventlist.h"
#include "events/eventschedule.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"
#include "timecore/tzzone.h"

using namespace zw;

namespace {

struct ComponentDeleter {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

int Errors(icalcomponent* c) {
  int errors = icalcomponent_count_properties(c, ICAL_XLICERROR_PROPERTY);
  for (icalcomponent* child = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT);
       child != nullptr; child = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
    errors += Errors(child);
  }
  return errors;
}

int Uniform(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// Any event the dialogs can make, of every kind, at a random time.
std::unique_ptr<CEvent> RandomEvent(std::mt19937& rng, int n, const CLocation& place) {
  auto alarm = std::make_unique<CEvent>();
  AlarmRecord& r = alarm->Fields();
  CEvent::SetText(r.name, "Event " + std::to_string(n) + " \xE9t\xE9");
  CEvent::SetText(r.locationName, place.Name());
  CEvent::SetText(r.locationCountry, place.Country());
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", Uniform(rng, 0, 23), Uniform(rng, 0, 59),
                Uniform(rng, 0, 1) * 30);
  CEvent::SetText(r.timeText, text);
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", Uniform(rng, 1, 12), Uniform(rng, 1, 31),
                Uniform(rng, 2025, 2027));
  CEvent::SetText(r.dateText, text);
  r.preNotifyMinutes = Uniform(rng, 0, 2) == 0 ? 0 : Uniform(rng, 1, 99);
  r.weekday = Uniform(rng, 1, 7);
  r.monthDay = Uniform(rng, 1, 31);
  r.lastDayOfMonth = Uniform(rng, 0, 3) == 0 ? 1 : 0;
  r.annualMonth = Uniform(rng, 1, 12);
  r.annualDay = Uniform(rng, 0, 1) == 0 ? Uniform(rng, 28, 31) : Uniform(rng, 1, 31);
  const int kind = n % 8;
  EventExtras x{
      .off = Uniform(rng, 0, 9) == 0,
      .interval = Uniform(rng, 0, 1) == 0 ? 1 : Uniform(rng, 2, 12),
      .weekdays = Uniform(rng, 0, 2) == 0 ? EventExtras::kMondayToFriday : Uniform(rng, 1, 127),
      .ordinal = Uniform(rng, 0, 2) == 0 ? EventExtras::kLastOrdinal : Uniform(rng, 1, 5)};
  r.frequency = kind <= kOneTime ? kind : kDaily;
  if (kind > kOneTime) {
    x.kind = static_cast<RepeatKind>(kind - kOneTime);
    r.frequency = EventExtras::BaseFrequency(x.kind);
  }
  alarm->SetExtras(x);
  return alarm;
}

// Every due instant within two years of the place's "now".
std::vector<std::int64_t> TwoYears(const CEventSchedule& schedule) {
  std::vector<std::int64_t> dues;
  const CDateTime from = schedule.Location()->Zone().ToLocal(CDateTime());
  const CDateTime end = from + CDateSpan(731, 0, 0, 0);
  for (auto t = schedule.NextOccurrence(from); t && *t < end; t = schedule.NextOccurrence(*t)) {
    dues.push_back(t->Seconds());
  }
  return dues;
}

class ICalendarTest : public ::testing::Test {
 protected:
  ICalendarTest() {
    m_berlin = Add("Berlin", "Germany", 1, 0, DstRule{1, 4, 0, 2, 2, 4, 0, 9, 3});
    // Southern summer time across the year end, and a half-hour offset without one.
    m_sydney = Add("Sydney", "Australia", 10, 0, DstRule{1, 0, 0, 9, 2, 0, 0, 3, 3});
    m_delhi = Add("Delhi", "India", 5, 30, DstRule{});
  }

  // A place whose times come from a tz zone; its stored rule is left plain GMT on purpose.
  CLocation* AddTz(const std::string& zone) {
    CLocation* place = Add(zone.c_str(), "Tz", 0, 0, DstRule{});
    place->SetTzZone(m_catalog.Find(zone));
    place->SetFollowsTz(true);
    return place;
  }

  CLocation* Add(const char* name, const char* country, int hours, int minutes, DstRule rule) {
    auto location = std::make_unique<CLocation>();
    location->SetName(name);
    location->SetCountry(country);
    location->SetOffset(hours);
    location->SetOffsetMinutes(minutes);
    location->SetDstRule(rule);
    CLocation* raw = location.get();
    m_db.Insert(std::move(location));
    return raw;
  }

  // Fifty events of every kind at `place` come back from its calendar with the same schedules.
  void ExpectRoundTrip(CLocation& place);

  test::FakeClock m_clock{2026, 12, 8, 12, 0, 0};
  CTzCatalog m_catalog;
  CLocationDB m_db;
  CLocation* m_berlin = nullptr;
  CLocation* m_sydney = nullptr;
  CLocation* m_delhi = nullptr;
};

void ICalendarTest::ExpectRoundTrip(CLocation& place) {
  std::mt19937 rng(5545);
  CEventList list(m_db);
  for (int n = 0; n < 50; ++n) {
    list.Add(RandomEvent(rng, n, place));
  }
  std::vector<const CEventSchedule*> all;
  for (std::size_t i = 0; i < list.GetCount(); ++i) {
    all.push_back(list.GetSchedule(i));
  }
  const std::string ics = CICalendar::Export(all, CDateTime(), &CICalendar::TzZoneName);
  EXPECT_EQ(ics.find("TZID:Zonewright/") == std::string::npos, place.FollowsTz());

  // libical's own reading finds nothing wrong with it.
  Component parsed(icalparser_parse_string(ics.c_str()));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(Errors(parsed.get()), 0) << ics;
  EXPECT_EQ(icalrestriction_check(parsed.get()), 1);
  EXPECT_EQ(Errors(parsed.get()), 0) << ics;

  CICalendar::Imported imported = CICalendar::Import(ics, place);
  ASSERT_TRUE(imported.readable);
  EXPECT_TRUE(imported.skipped.empty()) << imported.skipped.front().reason;
  ASSERT_EQ(imported.events.size(), list.GetCount());
  CEventList back(m_db);
  for (auto& event : imported.events) {
    back.Add(std::move(event));
  }
  for (std::size_t i = 0; i < list.GetCount(); ++i) {
    const CEvent& was = *list.GetAlarm(i);
    const CEvent& now = *back.GetAlarm(i);
    SCOPED_TRACE(was.Name());
    EXPECT_EQ(now.Name(), was.Name());
    EXPECT_EQ(now.IsOff(), was.IsOff());
    EXPECT_EQ(now.Fields().preNotifyMinutes, was.Fields().preNotifyMinutes);
    EXPECT_EQ(TwoYears(*back.GetSchedule(i)), TwoYears(*list.GetSchedule(i)))
        << "frequency " << was.Fields().frequency << " kind " << static_cast<int>(was.Repeat())
        << " date " << was.DateText();
  }
}

TEST_F(ICalendarTest, FiftyEventsComeBackWithTheSameSchedules) {
  for (CLocation* place : {m_berlin, AddTz("America/Sao_Paulo"), AddTz("Australia/Lord_Howe")}) {
    SCOPED_TRACE(place->Name());
    ExpectRoundTrip(*place);
  }
}

// Every zone of the tz database, written for a place that follows it, gives libical the
// place's own wall-clock times every six hours of two years, and still at the far end of the
// calendar, where only the yearly rules speak.
TEST_F(ICalendarTest, TzZonesAgreeWithThePlacesEverySixHours) {
  const std::vector<std::string> names = CTzCatalog::Names();
  if (names.empty()) {
    GTEST_SKIP() << "no tz database on this system";
  }
  std::size_t checked = 0;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    CLocation* place = AddTz(name);
    if (place->Zone().Tz() == nullptr) {
      continue;
    }
    ++checked;
    CEventList list(m_db);
    std::mt19937 rng(1);
    list.Add(RandomEvent(rng, kDaily, *place));
    const std::string ics =
        CICalendar::Export({list.GetSchedule(0)}, CDateTime(), &CICalendar::TzZoneName);
    Component parsed(icalparser_parse_string(ics.c_str()));
    ASSERT_TRUE(parsed);
    ASSERT_EQ(Errors(parsed.get()), 0) << ics;
    icalcomponent* vtimezone =
        icalcomponent_get_first_component(parsed.get(), ICAL_VTIMEZONE_COMPONENT);
    ASSERT_NE(vtimezone, nullptr);
    EXPECT_EQ(std::string(icalproperty_get_tzid(
                  icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY))),
              name);
    icaltimezone* zone = icaltimezone_new();
    ASSERT_EQ(icaltimezone_set_component(zone, icalcomponent_new_clone(vtimezone)), 1);
    const std::int64_t from = CDateTime(2026, 12, 9, 0, 0, 0).Seconds();
    const std::int64_t far = CDateTime(2036, 1, 1, 0, 0, 0).Seconds();
    for (std::int64_t t = from; t < far; t += t < from + 731 * 86400 ? 6 * 3600 : 97 * 3600) {
      const CDateTime wall = place->Zone().ToLocal(CDateTime::FromSeconds(t));
      const icaltimetype got = icaltime_from_timet_with_zone(static_cast<time_t>(t), 0, zone);
      ASSERT_EQ(CDateTime(got.year, got.month, got.day, got.hour, got.minute, got.second), wall)
          << t;
    }
    icaltimezone_free(zone, 1);
  }
  EXPECT_GT(checked, names.size() / 2);
}

// The zones written for the places convert wall-clock times as the places do, every day of two
// years, at times away from the switch hours.
TEST_F(ICalendarTest, ZonesAgreeWithThePlacesEveryDay) {
  for (CLocation* place : {m_berlin, m_sydney, m_delhi}) {
    SCOPED_TRACE(place->Name());
    CEventList list(m_db);
    std::mt19937 rng(1);
    list.Add(RandomEvent(rng, 0, *place));
    const std::string ics = CICalendar::Export({list.GetSchedule(0)}, CDateTime());
    Component parsed(icalparser_parse_string(ics.c_str()));
    ASSERT_TRUE(parsed);
    icalcomponent* vtimezone =
        icalcomponent_get_first_component(parsed.get(), ICAL_VTIMEZONE_COMPONENT);
    ASSERT_NE(vtimezone, nullptr);
    icaltimezone* zone = icaltimezone_new();
    ASSERT_EQ(icaltimezone_set_component(zone, icalcomponent_new_clone(vtimezone)), 1);
    for (int day = 0; day < 731; ++day) {
      for (const int hour : {0, 6, 12, 18}) {
        const CDateTime wall = CDateTime(2026, 1, 1 + day, hour, 30, 0);
        icaltimetype t = icaltime_null_time();
        t.year = wall.Year();
        t.month = wall.Month();
        t.day = wall.Day();
        t.hour = wall.Hour();
        t.minute = wall.Minute();
        ASSERT_EQ(icaltime_as_timet_with_zone(t, zone), place->Zone().ToGmt(wall).Seconds())
            << wall.Year() << "-" << wall.Month() << "-" << wall.Day() << " " << hour;
      }
    }
    icaltimezone_free(zone, 1);
  }
}

TEST_F(ICalendarTest, ImportTakesWhatEventsCanHoldAndSaysWhyNotTheRest) {
  const std::string ics =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
      "BEGIN:VEVENT\r\nUID:1\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Stand-up\r\n"
      "DTSTART:20260105T080000Z\r\nRRULE:FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR\r\n"
      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:2\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Pay day\r\n"
      "DTSTART:20260130T090000\r\nRRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1\r\n"
      "END:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:3\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Ten times\r\n"
      "DTSTART:20260105T080000\r\nRRULE:FREQ=DAILY;COUNT=10\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:4\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Birthday\r\n"
      "DTSTART;VALUE=DATE:20260105\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:5\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Leap\r\n"
      "DTSTART:20280229T090000\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:6\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Hourly\r\n"
      "DTSTART:20260105T080000\r\nRRULE:FREQ=HOURLY\r\nEND:VEVENT\r\n"
      "BEGIN:VEVENT\r\nUID:7\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Day ahead\r\n"
      "DTSTART:20260105T080000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\n"
      "TRIGGER:-P1D\r\nEND:VALARM\r\nEND:VEVENT\r\n"
      "END:VCALENDAR\r\n";
  const CICalendar::Imported got = CICalendar::Import(ics, *m_berlin);
  ASSERT_TRUE(got.readable);
  ASSERT_EQ(got.events.size(), 2u);
  const CEvent& standUp = *got.events[0];
  // 08:00 GMT is 09:00 in Berlin in January.
  EXPECT_EQ(standUp.TimeText(), "09:00:00");
  EXPECT_EQ(standUp.Repeat(), RepeatKind::kEveryNWeeks);
  EXPECT_EQ(standUp.Extras().weekdays, EventExtras::kMondayToFriday);
  EXPECT_EQ(standUp.Fields().preNotifyMinutes, 10);
  EXPECT_EQ(standUp.LocationName(), "Berlin");
  const CEvent& payDay = *got.events[1];
  EXPECT_EQ(payDay.Repeat(), RepeatKind::kNthWeekday);
  EXPECT_EQ(payDay.Extras().ordinal, EventExtras::kLastOrdinal);
  EXPECT_EQ(payDay.TimeText(), "09:00:00");

  std::vector<std::pair<std::string, std::string>> skipped;
  for (const auto& s : got.skipped) {
    skipped.emplace_back(s.summary, s.reason);
  }
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Ten times", "a repeat that ends"},
      {"Birthday", "an all-day event has no time of day"},
      {"Leap", "a day not in every year"},
      {"Hourly", "a repeat more often than daily"},
      {"Day ahead", "a reminder more than 99 minutes ahead"},
  };
  EXPECT_EQ(skipped, expected);

  EXPECT_FALSE(CICalendar::Import("", *m_berlin).readable);
  EXPECT_FALSE(CICalendar::Import(std::string(CICalendar::kMaxBytes + 1, 'x'), *m_berlin).readable);
  // Random bytes never crash the reader.
  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i) {
    std::string noise = ics;
    for (int k = 0; k < 20; ++k) {
      noise[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(noise.size()) - 1))] =
          static_cast<char>(Uniform(rng, 1, 255));
    }
    CICalendar::Import(noise, *m_berlin);
  }
}

// However many events a calendar holds, only the first kMaxEvents are read and the rest are
// counted, even when a damaged one is among them.
TEST_F(ICalendarTest, ImportReadsUpToItsLimitAndCountsTheRest) {
  std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n";
  const std::size_t total = CICalendar::kMaxEvents + 3;
  for (std::size_t i = 0; i < total; ++i) {
    ics += "BEGIN:VEVENT\r\nUID:" + std::to_string(i) + "\r\nSUMMARY:E" + std::to_string(i) +
           (i == 1 ? "\r\nDTSTART;VALUE=DATE:20260105" : "\r\nDTSTART:20260105T080000") +
           "\r\nEND:VEVENT\r\n";
  }
  ics += "END:VCALENDAR\r\n";
  const CICalendar::Imported got = CICalendar::Import(ics, *m_berlin);
  ASSERT_TRUE(got.readable);
  EXPECT_EQ(got.overLimit, 3u);
  EXPECT_EQ(got.skipped.size(), 1u);
  ASSERT_EQ(got.events.size(), CICalendar::kMaxEvents - 1);
  EXPECT_EQ(got.events.back()->Name(), "E" + std::to_string(CICalendar::kMaxEvents - 1));
}

}  // namespace
