// SPDX-License-Identifier: GPL-3.0-or-later
// The next offset change of a place, against a walk of the offsets themselves.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "timecore/offsetchange.h"
#include "timecore/tzzone.h"

namespace zw {
namespace {

constexpr std::int64_t kDay = 86400;
const CDateTime kFrom(2020, 1, 1, 0, 0, 0);
const CDateTime kTo(2030, 1, 1, 0, 0, 0);

// The first instant after `from` whose offset differs, found day by day and then to the
// second; `to` when there is none before it.
std::int64_t WalkToChange(const CZone& zone, std::int64_t from, std::int64_t to) {
  const auto offset = [&](std::int64_t t) {
    return zone.At(CDateTime::FromSeconds(t)).offsetSeconds;
  };
  const std::int32_t start = offset(from);
  for (std::int64_t day = from; day < to; day += kDay) {
    std::int64_t hi = std::min(day + kDay, to);
    if (offset(hi) == start) {
      continue;
    }
    std::int64_t lo = day;
    while (hi - lo > 1) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      (offset(mid) == start ? lo : hi) = mid;
    }
    return hi;
  }
  return to;
}

// Follows every change of the zone through the range, comparing each with the walk.
void SweepChanges(const CZone& zone, const std::string& name) {
  std::int64_t t = kFrom.Seconds();
  while (t < kTo.Seconds()) {
    const std::int64_t walked = WalkToChange(zone, t, kTo.Seconds());
    const std::optional<OffsetChange> change = NextOffsetChange(zone, CDateTime::FromSeconds(t));
    if (walked >= kTo.Seconds()) {
      EXPECT_TRUE(!change || change->at.Seconds() >= walked) << name << " after " << t;
      return;
    }
    ASSERT_TRUE(change) << name << " after " << t;
    ASSERT_EQ(change->at.Seconds(), walked) << name << " after " << t;
    EXPECT_EQ(change->oldOffset, zone.At(CDateTime::FromSeconds(walked - 1)).offsetSeconds);
    EXPECT_EQ(change->newOffset, zone.At(change->at).offsetSeconds) << name;
    EXPECT_EQ(change->localBefore.Seconds(), walked + change->oldOffset) << name;
    t = walked;
  }
}

TEST(OffsetChange, EveryTzZoneMatchesAWalkOfItsOffsets) {
  const std::vector<std::string> names = CTzCatalog::Names();
  if (names.empty()) {
    GTEST_SKIP() << "no tz database on this system";
  }
  CTzCatalog catalog;
  const CZoneRule unused;
  for (const std::string& name : names) {
    const CTzZone* tz = catalog.Find(name);
    if (tz->IsAvailable()) {
      SweepChanges(CZone(unused, tz), name);
    }
  }
}

TEST(OffsetChange, EveryStoredRuleShapeMatchesAWalkOfItsOffsets) {
  // Northern and southern rules, each ordinal, whole and half-hour offsets either side of GMT.
  for (int offset : {-9, 0, 5}) {
    for (int ordinal = 0; ordinal <= DstRule::kLast; ++ordinal) {
      for (int startMonth : {2, 9}) {
        CZoneRule rule;
        rule.SetOffset(offset);
        rule.SetOffsetMinutes(offset < 0 ? -30 : 30);
        DstRule dst;
        dst.enabled = 1;
        dst.startOrdinal = ordinal;
        dst.startMonth = startMonth;
        dst.endOrdinal = DstRule::kLast - ordinal;
        dst.endMonth = startMonth == 2 ? 9 : 2;
        rule.SetDstRule(dst);
        SweepChanges(CZone(rule), "rule " + std::to_string(offset) + "/" + std::to_string(ordinal) +
                                      "/" + std::to_string(startMonth));
      }
    }
  }
}

TEST(OffsetChange, TextsNameDirectionStepAndWallTime) {
  CTzCatalog catalog;
  const CTzZone* london = catalog.Find("Europe/London");
  if (!london->IsAvailable()) {
    GTEST_SKIP() << "no Europe/London on this system";
  }
  const CZoneRule unused;
  const CZone zone(unused, london);
  const auto autumn = NextOffsetChange(zone, CDateTime(2026, 8, 1, 0, 0, 0));
  ASSERT_TRUE(autumn);
  EXPECT_EQ(DescribeOffsetChange(*autumn), "Clocks go back 1 h on Sun 25 Oct 2026 at 02:00 local");
  const auto spring = NextOffsetChange(zone, autumn->at);
  ASSERT_TRUE(spring);
  EXPECT_EQ(DescribeOffsetChange(*spring),
            "Clocks go forward 1 h on Sun 28 Mar 2027 at 01:00 local");
  EXPECT_EQ(DescribeOffsetStep(-1800), "30 min");
  EXPECT_EQ(DescribeOffsetStep(5400), "1 h 30 min");
  EXPECT_FALSE(NextOffsetChange(CZone(unused), autumn->at));
}

}  // namespace
}  // namespace zw
