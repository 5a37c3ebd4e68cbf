// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/schedulestream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"

using namespace zw;

namespace {

using Row = std::tuple<const CEventSchedule*, std::int64_t, std::int64_t>;

// The stream gives the rows the listing gives, in the listing's order, for every start day of
// a year and every basis: events at places with and without daylight time, sharing times
// and names so that the order rests on every tie-breaker.
TEST(ScheduleStream, GivesTheListingsRowsInItsOrder) {
  test::FakeClock clock{2026, 1, 5, 12, 0, 0};
  CLocationDB db;
  const char* places[] = {"London", "New York", "Sydney"};
  for (int i = 0; i < 3; ++i) {
    auto location = std::make_unique<CLocation>();
    location->SetName(places[i]);
    location->SetCountry("Country");
    location->SetOffset(i == 1 ? -5 : i * 10);
    if (i > 0) {
      location->SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
    }
    db.Insert(std::move(location));
  }
  CEventList alarms(db);
  for (int i = 0; i < 24; ++i) {
    auto alarm = std::make_unique<CEvent>();
    AlarmRecord& r = alarm->Fields();
    CEvent::SetText(r.name, i % 4 == 0 ? "Same" : "Call " + std::to_string(i % 5));
    CEvent::SetText(r.locationName, places[i % 3]);
    CEvent::SetText(r.locationCountry, "Country");
    CEvent::SetText(r.timeText, i % 2 == 0 ? "02:30:00" : "09:00:00");
    r.frequency = i % 6 == 5 ? kWeekly : kDaily;
    r.weekday = 1 + i % 7;
    r.preNotifyMinutes = i % 3 == 0 ? 45 : 0;
    alarms.Add(std::move(alarm));
  }
  std::vector<CZone> zones;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    zones.push_back(db.At(i)->Zone());
  }
  std::vector<const CZone*> bases = {nullptr};
  for (const CZone& zone : zones) {
    bases.push_back(&zone);
  }
  std::size_t total = 0;
  for (const CZone* basis : bases) {
    for (int day = 1; day <= 365; day += 4) {
      const CDateTime first = CDateTime(2026, 1, 1, 0, 0, 0) + CDateSpan(day, 0, 0, 0);
      CScheduleListing listing;
      listing.Fill(alarms, basis, first.Year(), first.Month(), first.Day(), 3);
      std::vector<Row> expected;
      for (std::size_t row = 0; row < listing.Count(); ++row) {
        expected.emplace_back(listing.EventOf(row).schedule, listing.At(row).gmt,
                              listing.At(row).shown);
      }
      CScheduleStream stream(alarms, basis, first.Year(), first.Month(), first.Day(), 3);
      std::vector<Row> streamed;
      while (const auto row = stream.Next()) {
        streamed.emplace_back(row->event->schedule, row->gmt, row->shown);
      }
      ASSERT_EQ(streamed, expected) << first.Month() << "/" << first.Day();
      total += streamed.size();
    }
  }
  EXPECT_GT(total, 4u * 90 * 3 * 20);
}

}  // namespace
