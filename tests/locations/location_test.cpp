// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/location.h"

#include <gtest/gtest.h>

#include "locations/placetime.h"
#include "support/fakeclock.h"
#include "timecore/now.h"

using namespace zw;

namespace {

DisplayOptions Options() {
  return DisplayOptions{};
}

// New York-like: GMT-5 with daylight saving from the 2nd Sunday of March to the 1st Sunday
// of November, both at 2:00.
void MakeNewYork(CLocation& loc) {
  loc.SetName("New York");
  loc.SetCountry("United States");
  loc.SetOffset(-5);
  loc.SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
}

}  // namespace

TEST(Location, NewLocationDefaults) {
  test::FakeClock clock(2026, 12, 8, 10, 30, 0);
  CLocation loc;
  EXPECT_EQ(loc.Name(), "");
  EXPECT_EQ(loc.Country(), "");
  EXPECT_EQ(loc.GetOffsetHours(), 0);
  EXPECT_EQ(loc.GetOffsetMinutes(), 0);
  EXPECT_EQ(loc.GetDstRule().enabled, 0);
  EXPECT_EQ(PlaceTime::Current(loc, CDateTime(), Options()).local,
            CDateTime(2026, 12, 8, 10, 30, 0));
}

TEST(Location, ClockTextsFollowDisplayOptions) {
  test::FakeClock clock(2026, 7, 4, 13, 5, 9);  // 09:05:09 daylight time in New York
  CLocation loc;
  MakeNewYork(loc);

  DisplayOptions o = Options();
  PlaceTime now = PlaceTime::Current(loc, CDateTime(), o);
  EXPECT_EQ(now.date, "07/04/2026");
  EXPECT_EQ(now.time, "09:05:09 AM");

  o.leadingZeros = false;
  o.fourDigitYears = false;
  now = PlaceTime::Current(loc, CDateTime(), o);
  EXPECT_EQ(now.date, "7/4/26");
  EXPECT_EQ(now.time, " 9:05:09 AM");

  o = Options();
  o.dateOrder = CDateTime::kYearMonthDay;
  o.hour24 = true;
  o.showSeconds = false;
  now = PlaceTime::Current(loc, CDateTime(), o);
  EXPECT_EQ(now.date, "2026-07-04");
  EXPECT_EQ(now.time, "09:05");

  o.dateOrder = CDateTime::kDayMonthYear;
  o.leadingZeros = false;
  now = PlaceTime::Current(loc, CDateTime(), o);
  EXPECT_EQ(now.date, "4.7.2026");
  EXPECT_EQ(now.time, " 9:05");
}

TEST(Location, DisplayModeLeavesOutOnePart) {
  test::FakeClock clock(2026, 1, 15, 12, 0, 0);
  CLocation loc;
  DisplayOptions o = Options();
  o.displayMode = DisplayOptions::kTimeOnly;
  PlaceTime now = PlaceTime::Current(loc, CDateTime(), o);
  EXPECT_EQ(now.date, "");
  EXPECT_EQ(now.time, "12:00:00 PM");
  o.displayMode = DisplayOptions::kDateOnly;
  now = PlaceTime::Current(loc, CDateTime(), o);
  EXPECT_EQ(now.time, "");
  EXPECT_EQ(now.date, "01/15/2026");
}

TEST(Location, CurrentTextsFollowNowAndHourAdjustment) {
  test::FakeClock clock(2026, 1, 15, 23, 30, 0);
  CLocation loc;
  loc.SetOffset(5);
  loc.SetOffsetMinutes(30);
  PlaceTime now = PlaceTime::Current(loc, CDateTime(), Options());
  EXPECT_EQ(now.date, "01/16/2026");
  EXPECT_EQ(now.time, "05:00:00 AM");
  CNow::SetHourAdjustment(-6);
  now = PlaceTime::Current(loc, CDateTime(), Options());
  EXPECT_EQ(now.date, "01/15/2026");
  EXPECT_EQ(now.time, "11:00:00 PM");
}

TEST(Location, ConversionsFormatBothTextsWhateverTheDisplayMode) {
  test::FakeClock clock(2026, 1, 1, 0, 0, 0);
  CLocation loc;
  MakeNewYork(loc);
  DisplayOptions o = Options();
  o.displayMode = DisplayOptions::kTimeOnly;

  PlaceTime converted = PlaceTime::FromGmt(loc, CDateTime(2026, 7, 1, 16, 0, 0), o);
  EXPECT_EQ(converted.gmt, CDateTime(2026, 7, 1, 16, 0, 0));
  EXPECT_EQ(converted.local, CDateTime(2026, 7, 1, 12, 0, 0));
  EXPECT_EQ(converted.date, "07/01/2026");
  EXPECT_EQ(converted.time, "12:00:00 PM");

  converted = PlaceTime::FromLocal(loc, CDateTime(2026, 12, 24, 18, 0, 0), o);
  EXPECT_EQ(converted.local, CDateTime(2026, 12, 24, 18, 0, 0));
  EXPECT_EQ(converted.gmt, CDateTime(2026, 12, 24, 23, 0, 0));
  EXPECT_EQ(converted.time, "06:00:00 PM");
}

TEST(Location, ComparisonConversionTreatsSkippedHourAsStandardTime) {
  test::FakeClock clock(2026, 1, 1, 0, 0, 0);
  CLocation loc;
  MakeNewYork(loc);
  // 2026-03-08 2:30 does not exist in New York; the events' rule takes it as daylight time,
  // the comparison as standard time.
  const CDateTime skipped(2026, 3, 8, 2, 30, 0);
  EXPECT_EQ(PlaceTime::FromLocal(loc, skipped, Options()).gmt, CDateTime(2026, 3, 8, 6, 30, 0));
  EXPECT_EQ(PlaceTime::FromLocalForComparison(loc, skipped, Options()).gmt,
            CDateTime(2026, 3, 8, 7, 30, 0));
}
