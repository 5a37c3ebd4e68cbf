// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/locationvalues.h"

#include <gtest/gtest.h>

#include "locations/locationdb.h"
#include "locations/zonenames.h"
#include "support/fakeclock.h"

using namespace zw;

TEST(ZoneNames, HalfHourBoxOnlyWhereTheHalfHourHasPlaces) {
  std::vector<int> shown;
  for (int h = CZoneNames::kMinOffset; h <= CZoneNames::kMaxOffset; ++h) {
    if (CZoneNames::HalfHourLabel(h)) {
      shown.push_back(h);
    }
  }
  EXPECT_EQ(shown, (std::vector<int>{-3, 3, 4, 5, 9}));
  EXPECT_EQ(*CZoneNames::HalfHourLabel(-3), "- 30min");
  EXPECT_EQ(*CZoneNames::HalfHourLabel(5), "+ 30min");
  EXPECT_EQ(CZoneNames::NamesOf(5, true), "Bombay, Calcutta, Madras, NewDelhi, Columbo");
  EXPECT_EQ(CZoneNames::NamesOf(-3, true), "Newfoundland");
  EXPECT_EQ(CZoneNames::NamesOf(-5, false), "Eatern Time, Bogota, Lima");
  EXPECT_EQ(CZoneNames::NamesOf(-11, false), "Midway Island, Samoa");
  EXPECT_EQ(CZoneNames::NamesOf(12, false), "Fiji, Kamchatka, Marshall Is., Wellington, Auckland");
  int named = 0;
  for (int i = 0; i < CZoneNames::kEntries; ++i) {
    named += CZoneNames::Entry(i).empty() ? 0 : 1;
  }
  EXPECT_EQ(named, 29);
  EXPECT_TRUE(CZoneNames::Entry(-1).empty());
  EXPECT_TRUE(CZoneNames::Entry(48).empty());
}

TEST(ZoneNames, SpinnerWrapsAndHourEntries) {
  EXPECT_EQ(CZoneNames::Wrap(13), -11);
  EXPECT_EQ(CZoneNames::Wrap(-12), 12);
  EXPECT_EQ(CZoneNames::Wrap(0), 0);
  const auto twelve = CZoneNames::HourEntries(false);
  ASSERT_EQ(twelve.size(), 24u);
  EXPECT_EQ(twelve[0], "12:00 AM");
  EXPECT_EQ(twelve[1], " 1:00 AM");
  EXPECT_EQ(twelve[11], "11:00 AM");
  EXPECT_EQ(twelve[12], "12:00 PM");
  EXPECT_EQ(twelve[13], " 1:00 PM");
  EXPECT_EQ(twelve[23], "11:00 PM");
  const auto day = CZoneNames::HourEntries(true);
  EXPECT_EQ(day[0], " 0:00");
  EXPECT_EQ(day[9], " 9:00");
  EXPECT_EQ(day[23], "23:00");
}

TEST(LocationValues, OffsetMinutesFollowTheSideOfGmt) {
  LocationValues v;
  v.halfHour = true;
  for (const auto& [hours, minutes] :
       std::vector<std::pair<int, int>>{{5, 30}, {-3, -30}, {0, -30}, {1, 30}}) {
    v.offsetHours = hours;
    EXPECT_EQ(v.OffsetMinutes(), minutes) << hours;
  }
  v.halfHour = false;
  EXPECT_EQ(v.OffsetMinutes(), 0);
}

TEST(LocationValues, RuleDefaultsForChoicesNeverMade) {
  LocationValues v;
  EXPECT_EQ(v.Rule(), (DstRule{0, 0, 0, 3, 2, 4, 0, 9, 2}));
  v.dst = true;
  v.rule = {1, 2, 3, 4, 4, 6, 10, 23};
  EXPECT_EQ(v.Rule(), (DstRule{1, 1, 2, 3, 4, 4, 6, 10, 23}));
  // Changing with the box unchecked keeps the combos' choice, disabled.
  v.dst = false;
  EXPECT_EQ(v.Rule().enabled, 0);
  EXPECT_EQ(v.Rule().endHour, 23);
}

TEST(LocationValues, ChecksNamesAgainstTheDatabase) {
  test::FakeClock clock;
  CLocationDB db;
  for (const auto& [name, country] : std::vector<std::pair<std::string, std::string>>{
           {"Springfield", "United States"}, {"Paris", "France"}}) {
    auto loc = std::make_unique<CLocation>();
    loc->SetName(name);
    loc->SetCountry(country);
    db.Insert(std::move(loc));
  }
  CLocation* paris = db.At(static_cast<std::size_t>(db.Find("Paris", "France")));

  LocationValues v;
  v.name = "   ";
  v.country = "France  ";
  v.Trim();
  EXPECT_EQ(v.Check(db, nullptr), LocationValues::kNameMissing);

  v.name = "Springfield";
  v.country = "United States";
  EXPECT_EQ(v.Check(db, nullptr), LocationValues::kDuplicate);
  // The same name in another country, or as another type, is fine only in another country.
  v.country = "Australia";
  EXPECT_EQ(v.Check(db, nullptr), std::nullopt);
  v.name = "Paris";
  v.country = "France";
  EXPECT_EQ(v.Check(db, paris), std::nullopt);
  EXPECT_EQ(v.Check(db, nullptr), LocationValues::kDuplicate);

  for (const std::string& bad : std::vector<std::string>{"Say \"hi\"", "Tab\there", "A\x85"}) {
    v.name = bad;
    EXPECT_EQ(v.Check(db, nullptr), LocationValues::kUnstorable) << bad;
  }
  v.name = "S\xE3o Paulo";  // Latin-1 a-tilde
  v.country = "Brazil";
  EXPECT_EQ(v.Check(db, nullptr), std::nullopt);
}

TEST(LocationValues, RoundTripThroughALocation) {
  test::FakeClock clock;
  LocationValues v;
  v.name = std::string(50, 'n');
  v.country = "Nepal";
  v.offsetHours = 5;
  v.halfHour = true;
  v.dst = true;
  v.rule = {4, 0, 2, 1, 4, 0, 9, 2};
  v.zone = "Asia/Kathmandu";
  v.followsZone = true;
  CTzCatalog zones;
  CLocation loc;
  v.ApplyTo(loc, zones);
  EXPECT_EQ(loc.Name().size(), 40u);
  EXPECT_EQ(loc.GetOffsetMinutes(), 30);
  const LocationValues back = LocationValues::From(loc);
  EXPECT_EQ(back.rule, v.rule);
  EXPECT_TRUE(back.dst);
  EXPECT_TRUE(back.halfHour);
  EXPECT_EQ(back.zone, "Asia/Kathmandu");
  EXPECT_TRUE(back.followsZone);
  EXPECT_EQ(loc.TzZone(), zones.Find("Asia/Kathmandu"));

  // Nothing to follow without a zone.
  v.zone.clear();
  v.ApplyTo(loc, zones);
  EXPECT_EQ(loc.TzZone(), nullptr);
  EXPECT_FALSE(loc.FollowsTz());
}
