// SPDX-License-Identifier: GPL-3.0-or-later
// The meeting planner's grid against what any day of any zone must look like.

#include <gtest/gtest.h>

#include "locations/meetinggrid.h"
#include "timecore/tzzone.h"

namespace zw {
namespace {

// Every zone as the first place, on the first day of each month of a year with switches:
// the columns run one real hour apart from the first place's midnight, the first place's
// own row starts its chosen day and leaves it only once that day's hours are used up, and
// a second place's day shift agrees with its own date.
TEST(MeetingGrid, EveryZoneEveryMonthKeepsItsDayAndHours) {
  CTzCatalog catalog;
  const CZoneRule unused;
  const CZone gmt(unused);
  for (const std::string& name : CTzCatalog::Names()) {
    const CTzZone* tz = catalog.Find(name);
    if (!tz->IsAvailable()) {
      continue;
    }
    for (int month = 1; month <= 12; ++month) {
      const CDateTime date(2026, month, 1, 0, 0, 0);
      const CMeetingGrid grid({{name, CZone(unused, tz), {}}, {"GMT", gmt, {}}}, date);
      ASSERT_EQ(grid.Rows(), 2u);
      EXPECT_EQ(grid.Cell(0, 0).dayShift, 0) << name << " " << month;
      EXPECT_LE(grid.Cell(0, 0).local.Hour(), 1) << name << " " << month;
      int working = 0;
      for (int column = 0; column < CMeetingGrid::kColumns; ++column) {
        const MeetingCell& own = grid.Cell(0, column);
        const MeetingCell& other = grid.Cell(1, column);
        EXPECT_EQ(other.local, grid.ColumnGmt(column)) << name;
        if (column > 0) {
          EXPECT_EQ((grid.ColumnGmt(column) - grid.ColumnGmt(column - 1)).TotalSeconds(), 3600);
          EXPECT_GE(own.dayShift, grid.Cell(0, column - 1).dayShift) << name << " " << month;
        }
        EXPECT_EQ(own.dayShift != 0, own.local.Day() != 1) << name << " " << month;
        EXPECT_EQ(other.dayShift != 0, other.local.Day() != 1 || other.local.Month() != month)
            << name << " " << month;
        working += own.working ? 1 : 0;
      }
      // Eight working hours, give or take the hour a switch adds or takes.
      EXPECT_GE(working, 7) << name << " " << month;
      EXPECT_LE(working, 9) << name << " " << month;
    }
  }
}

TEST(MeetingGrid, GoodHoursAreThoseInsideEveryonesDay) {
  CZoneRule london;
  CZoneRule newYork;
  newYork.SetOffset(-5);
  CZoneRule adelaide;
  adelaide.SetOffset(9);
  adelaide.SetOffsetMinutes(30);
  const CDateTime date(2026, 1, 12, 0, 0, 0);
  const CMeetingGrid pair({{"London", CZone(london), {}}, {"New York", CZone(newYork), {}}}, date);
  EXPECT_EQ(pair.GoodForAll(), (std::vector<int>{14, 15, 16}));
  EXPECT_EQ(pair.Summary(14),
            "London    Mon 12 Jan 2026 14:00\n"
            "New York  Mon 12 Jan 2026 09:00\n");
  EXPECT_TRUE(pair.Cell(1, 3).night);
  EXPECT_FALSE(pair.Cell(1, 2).night);
  EXPECT_EQ(pair.Cell(1, 4).dayShift, -1);
  // A half-hour place with an early day: 07:30 to 16:00 there is 22:00 to 06:30 in London,
  // so only the hours whose whole length fits count, on both ends of London's day.
  const CMeetingGrid early({{"London", CZone(london), {0, 24 * 60}},
                            {"Adelaide", CZone(adelaide), {7 * 60 + 30, 16 * 60}}},
                           date);
  EXPECT_EQ(early.GoodForAll(), (std::vector<int>{0, 1, 2, 3, 4, 5, 22, 23}));
  EXPECT_EQ(early.Cell(1, 0).dayShift, 0);
  EXPECT_EQ(early.Cell(1, 22).dayShift, 1);
  EXPECT_EQ(early.Cell(1, 13).dayShift, 0);
  EXPECT_EQ(CMeetingGrid(std::vector<MeetingPlace>(11, {"x", CZone(london), {}}), date).Rows(),
            CMeetingGrid::kMaxPlaces);
}

}  // namespace
}  // namespace zw
