// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "printers.h"
#include "timecore/datespan.h"
#include "timecore/datetime.h"
#include "timecore/zonerule.h"

using namespace zw;

namespace {

const CDateSpan kSecond(0, 0, 0, 1);
const CDateSpan kHour(0, 1, 0, 0);

DstRule Rule(int startOrdinal, int startWeekday, int startMonth, int startHour, int endOrdinal,
             int endWeekday, int endMonth, int endHour) {
  DstRule r;
  r.enabled = 1;
  r.startOrdinal = startOrdinal;
  r.startWeekday = startWeekday;
  r.startMonth = startMonth;
  r.startHour = startHour;
  r.endOrdinal = endOrdinal;
  r.endWeekday = endWeekday;
  r.endMonth = endMonth;
  r.endHour = endHour;
  return r;
}

// 1st Sunday of April 2:00 to last Sunday of October 2:00.
const DstRule kNorthern = Rule(0, 0, 3, 2, DstRule::kLast, 0, 9, 2);
// 1st Sunday of October 2:00 to 1st Sunday of April 3:00.
const DstRule kSouthern = Rule(0, 0, 9, 2, 0, 0, 3, 3);

CZoneRule Zone(int hours, int minutes, const DstRule& rule) {
  CZoneRule zone;
  zone.SetOffset(hours);
  zone.SetOffsetMinutes(minutes);
  zone.SetDstRule(rule);
  return zone;
}

CDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return CDateTime(year, month, day, hour, minute, second);
}

// ---------------------------------------------------------------------------------------------
// The switch instants, second by second

struct SwitchCase {
  const char* name;
  DstRule rule;
  int offsetHours;
  int offsetMinutes;
  int year;
  // Local standard time: DST is on strictly after start and strictly before end.
  CDateTime start;
  CDateTime end;
};

class SwitchTest : public testing::TestWithParam<SwitchCase> {
 protected:
  CZoneRule MakeZone() const {
    return Zone(GetParam().offsetHours, GetParam().offsetMinutes, GetParam().rule);
  }
  CDateSpan Offset() const {
    return CDateSpan(0, GetParam().offsetHours, GetParam().offsetMinutes, 0);
  }
  bool Northern() const { return GetParam().start < GetParam().end; }
  // What the switch instants alone say about a local standard time of the case's year, or of
  // the neighbouring December and January.
  bool ExpectedDst(const CDateTime& standard) const {
    const CDateTime& s = GetParam().start;
    const CDateTime& e = GetParam().end;
    return Northern() ? s < standard && standard < e : s < standard || standard < e;
  }
};

TEST_P(SwitchTest, DstIsOnStrictlyBetweenTheInstants) {
  const CZoneRule zone = MakeZone();
  const CDateTime& s = GetParam().start;
  const CDateTime& e = GetParam().end;
  EXPECT_FALSE(zone.IsDst(s - kSecond));
  EXPECT_FALSE(zone.IsDst(s));
  EXPECT_TRUE(zone.IsDst(s + kSecond));
  EXPECT_TRUE(zone.IsDst(e - kSecond));
  EXPECT_FALSE(zone.IsDst(e));
  EXPECT_FALSE(zone.IsDst(e + kSecond));

  EXPECT_EQ(zone.CachedDstStart(), s);
  EXPECT_EQ(zone.CachedDstEnd(), e);
}

TEST_P(SwitchTest, GmtToLocalTestsStandardTime) {
  const CZoneRule zone = MakeZone();
  const CDateTime& s = GetParam().start;
  const CDateTime& e = GetParam().end;
  const CDateSpan off = Offset();
  // Up to and including the start instant the clock shows standard time, then jumps an hour.
  EXPECT_EQ(zone.ToLocal(s - kSecond - off), s - kSecond);
  EXPECT_EQ(zone.ToLocal(s - off), s);
  EXPECT_EQ(zone.ToLocal(s + kSecond - off), s + kSecond + kHour);
  // Before the end instant it shows daylight time; at it, the hour repeats.
  EXPECT_EQ(zone.ToLocal(e - kSecond - off), e - kSecond + kHour);
  EXPECT_EQ(zone.ToLocal(e - off), e);
  EXPECT_EQ(zone.ToLocal(e + kSecond - off), e + kSecond);
}

TEST_P(SwitchTest, LocalToGmtForEventsTestsTheWallClock) {
  const CZoneRule zone = MakeZone();
  const CDateTime& s = GetParam().start;
  const CDateTime& e = GetParam().end;
  const CDateSpan off = Offset();
  EXPECT_EQ(zone.ToGmt(s - kSecond), s - kSecond - off);
  EXPECT_EQ(zone.ToGmt(s), s - off);
  // A wall-clock time in the skipped hour is read as daylight time.
  EXPECT_EQ(zone.ToGmt(s + kSecond), s + kSecond - off - kHour);
  EXPECT_EQ(zone.ToGmt(s + kHour + kSecond), s + kSecond - off);
  EXPECT_EQ(zone.ToGmt(e - kSecond), e - kSecond - off - kHour);
  EXPECT_EQ(zone.ToGmt(e), e - off);
  EXPECT_EQ(zone.ToGmt(e + kSecond), e + kSecond - off);
}

TEST_P(SwitchTest, LocalToGmtForComparisonReadsTheSkippedHourAsStandardTime) {
  const CZoneRule zone = MakeZone();
  const CDateTime& s = GetParam().start;
  const CDateTime& e = GetParam().end;
  const CDateSpan off = Offset();
  EXPECT_EQ(zone.ToGmtForComparison(s - kSecond), s - kSecond - off);
  EXPECT_EQ(zone.ToGmtForComparison(s), s - off);
  EXPECT_EQ(zone.ToGmtForComparison(s + kSecond), s + kSecond - off);
  EXPECT_EQ(zone.ToGmtForComparison(s + kHour), s + kHour - off);
  EXPECT_EQ(zone.ToGmtForComparison(s + kHour + kSecond), s + kSecond - off);
  EXPECT_EQ(zone.ToGmtForComparison(e - kSecond), e - kSecond - off - kHour);
  EXPECT_EQ(zone.ToGmtForComparison(e), e - off);
  EXPECT_EQ(zone.ToGmtForComparison(e + kSecond), e + kSecond - off);
}

// Every quarter hour from the December before to the January after the case's year.
TEST_P(SwitchTest, ConversionsAgreeWithTheInstantsAllYear) {
  const CZoneRule zone = MakeZone();
  const CDateTime& s = GetParam().start;
  const CDateTime& e = GetParam().end;
  const CDateSpan off = Offset();
  const CDateSpan step(0, 0, 15, 0);
  const CDateTime first = At(GetParam().year - 1, 12, 1) - off;
  const CDateTime last = At(GetParam().year + 1, 2, 1) - off;
  int dstSteps = 0;
  for (CDateTime g = first; g < last; g += step) {
    const CDateTime standard = g + off;
    const bool dst = ExpectedDst(standard);
    dstSteps += dst ? 1 : 0;
    const CDateTime local = zone.ToLocal(g);
    ASSERT_EQ(local, dst ? standard + kHour : standard) << "GMT " << Iso(g);

    // The hour before the end instant shows the same wall-clock times as the hour after it;
    // reading them back gives the later one.
    const bool repeated = e - kHour <= standard && standard < e;
    const CDateTime back = repeated ? g + kHour : g;
    ASSERT_EQ(zone.ToGmt(local), back) << "GMT " << Iso(g);
    ASSERT_EQ(zone.ToGmtForComparison(local), back) << "GMT " << Iso(g);

    // Wall-clock times that never occur: events read them as daylight time, the comparison as
    // standard time.
    const CDateTime wall = standard;
    if (s < wall && wall <= s + kHour) {
      ASSERT_EQ(zone.ToGmt(wall), g - kHour) << "wall " << Iso(wall);
      ASSERT_EQ(zone.ToGmtForComparison(wall), g) << "wall " << Iso(wall);
    } else {
      ASSERT_EQ(zone.ToLocal(zone.ToGmt(wall)), wall) << "wall " << Iso(wall);
      ASSERT_EQ(zone.ToLocal(zone.ToGmtForComparison(wall)), wall) << "wall " << Iso(wall);
    }
  }
  // Guards the loop itself: it saw a DST period of plausible length.
  EXPECT_GT(dstSteps, 4 * 24 * 150);
  EXPECT_LT(dstSteps, 4 * 24 * 260);
}

const SwitchCase kSwitchCases[] = {
    {"Northern1997", kNorthern, -5, 0, 1997, At(1997, 4, 6, 2), At(1997, 10, 26, 1)},
    {"Northern2026", kNorthern, 1, 0, 2026, At(2026, 4, 5, 2), At(2026, 10, 25, 1)},
    {"NorthernMinus0330", kNorthern, -3, -30, 2026, At(2026, 4, 5, 2), At(2026, 10, 25, 1)},
    {"Southern1997", kSouthern, 10, 0, 1997, At(1997, 10, 5, 2), At(1997, 4, 6, 2)},
    {"Southern2026", kSouthern, 10, 0, 2026, At(2026, 10, 4, 2), At(2026, 4, 5, 2)},
    {"SouthernPlus0930", kSouthern, 9, 30, 2026, At(2026, 10, 4, 2), At(2026, 4, 5, 2)},
};

INSTANTIATE_TEST_SUITE_P(Rules, SwitchTest, testing::ValuesIn(kSwitchCases),
                         [](const testing::TestParamInfo<SwitchCase>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------------------------
// Computing the switch days

TEST(ZoneRuleTransition, KnownSwitchDays) {
  struct Case {
    int year, ordinal, weekday, month, hour;
    const char* expected;
  };
  const Case cases[] = {
      {1997, 0, 0, 3, 2, "1997-04-06 02:00:00"},  // April 1st 1997 is a Tuesday
      {1997, 4, 0, 9, 2, "1997-10-26 02:00:00"},  {1971, 0, 0, 3, 2, "1971-04-04 02:00:00"},
      {2026, 0, 0, 1, 2, "2026-02-01 02:00:00"},  // the 1st is itself a Sunday
      {2026, 3, 0, 1, 2, "2026-02-22 02:00:00"},  {2026, 4, 0, 2, 3, "2026-03-29 03:00:00"},
      {1997, 4, 0, 11, 2, "1997-12-28 02:00:00"},  // "Last" in December stays in the year
      {2000, 4, 0, 11, 2, "2000-12-31 02:00:00"},  // ... also when it is the 31st
      {2099, 4, 4, 11, 0, "2099-12-31 00:00:00"},  // ... at the end of the range
      {2026, 0, 6, 0, 23, "2026-01-03 23:00:00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Iso(CZoneRule::Transition(c.year, c.ordinal, c.weekday, c.month, c.hour)), c.expected)
        << c.year << " ordinal " << c.ordinal << " weekday " << c.weekday << " month " << c.month;
  }
}

TEST(ZoneRuleTransition, EveryOrdinalStaysInItsMonthAndWeek) {
  for (int year = 1970; year <= 2099; ++year) {
    for (int month = 0; month < 12; ++month) {
      const int length = CDateTime::DaysInMonth(year, month + 1);
      for (int weekday = 0; weekday < 7; ++weekday) {
        for (int ordinal = 0; ordinal <= DstRule::kLast; ++ordinal) {
          const CDateTime t = CZoneRule::Transition(year, ordinal, weekday, month, 2);
          const int first = ordinal == DstRule::kLast ? length - 6 : ordinal * 7 + 1;
          ASSERT_EQ(t.Year(), year) << Iso(t);
          ASSERT_EQ(t.Month(), month + 1) << Iso(t);
          ASSERT_EQ(t.DayOfWeek(), weekday + 1) << Iso(t);
          ASSERT_GE(t.Day(), first) << Iso(t) << " ordinal " << ordinal;
          ASSERT_LE(t.Day(), first + 6) << Iso(t) << " ordinal " << ordinal;
          ASSERT_EQ(t.Hour(), 2);
          ASSERT_EQ(t.Minute(), 0);
          ASSERT_EQ(t.Second(), 0);
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The cached instants

TEST(ZoneRuleCache, ANewZoneHasNoDstAndNoOffset) {
  const CZoneRule zone;
  EXPECT_EQ(zone.GetOffsetHours(), 0);
  EXPECT_EQ(zone.GetOffsetMinutes(), 0);
  EXPECT_EQ(zone.GetDstRule().enabled, 0);
  EXPECT_EQ(Iso(zone.CachedDstStart()), "1971-01-01 01:00:00");
  EXPECT_EQ(Iso(zone.CachedDstEnd()), "1971-01-01 01:00:00");
  EXPECT_FALSE(zone.IsDst(At(2026, 7, 1)));
  EXPECT_EQ(zone.ToLocal(At(2026, 7, 1, 12)), At(2026, 7, 1, 12));
}

// The instants a zone starts with fall in 1971; they must not be taken for 1971's own.
TEST(ZoneRuleCache, TheFirstYearTestedIsComputedEvenIf1971) {
  const CZoneRule northern = Zone(0, 0, kNorthern);
  EXPECT_FALSE(northern.IsDst(At(1971, 1, 1, 0, 30)));
  EXPECT_FALSE(northern.IsDst(At(1971, 1, 1, 1, 30)));
  EXPECT_EQ(Iso(northern.CachedDstStart()), "1971-04-04 02:00:00");
  EXPECT_EQ(Iso(northern.CachedDstEnd()), "1971-10-31 01:00:00");
  EXPECT_FALSE(northern.IsDst(At(1971, 1, 15)));
  EXPECT_TRUE(northern.IsDst(At(1971, 7, 1)));
  EXPECT_FALSE(northern.IsDst(At(1971, 11, 15)));
  EXPECT_EQ(northern.ToLocal(At(1971, 1, 1, 0, 30)), At(1971, 1, 1, 0, 30));

  const CZoneRule southern = Zone(10, 0, kSouthern);
  EXPECT_TRUE(southern.IsDst(At(1971, 1, 15)));
  EXPECT_FALSE(southern.IsDst(At(1971, 7, 1)));
  EXPECT_TRUE(southern.IsDst(At(1971, 12, 15)));
}

TEST(ZoneRuleCache, AlternatingYearsGetTheirOwnInstants) {
  const CZoneRule zone = Zone(-5, 0, kNorthern);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    // DST began on April 6th in 1997 but on April 5th in 2026, and ended on October 26th and
    // October 25th.
    EXPECT_FALSE(zone.IsDst(At(1997, 4, 5, 12)));
    EXPECT_EQ(Iso(zone.CachedDstStart()), "1997-04-06 02:00:00");
    EXPECT_TRUE(zone.IsDst(At(2026, 4, 5, 12)));
    EXPECT_EQ(Iso(zone.CachedDstStart()), "2026-04-05 02:00:00");
    EXPECT_TRUE(zone.IsDst(At(1997, 10, 25, 12)));
    EXPECT_EQ(Iso(zone.CachedDstEnd()), "1997-10-26 01:00:00");
    EXPECT_FALSE(zone.IsDst(At(2026, 10, 25, 12)));
    EXPECT_EQ(Iso(zone.CachedDstEnd()), "2026-10-25 01:00:00");
  }
}

TEST(ZoneRuleCache, SettingARuleReplacesItAndForgetsTheInstants) {
  CZoneRule zone = Zone(10, 0, kNorthern);
  EXPECT_TRUE(zone.IsDst(At(1997, 7, 1)));

  zone.SetDstRule(kSouthern);
  EXPECT_EQ(zone.GetDstRule(), kSouthern);
  EXPECT_EQ(Iso(zone.CachedDstStart()), "1971-01-01 01:00:00");
  EXPECT_EQ(Iso(zone.CachedDstEnd()), "1971-01-01 01:00:00");
  // Same year as before: the new rule must still be computed.
  EXPECT_FALSE(zone.IsDst(At(1997, 7, 1)));
  EXPECT_TRUE(zone.IsDst(At(1997, 12, 1)));
  EXPECT_EQ(Iso(zone.CachedDstStart()), "1997-10-05 02:00:00");
  EXPECT_EQ(Iso(zone.CachedDstEnd()), "1997-04-06 02:00:00");
}

// ---------------------------------------------------------------------------------------------
// Rule shapes

TEST(ZoneRuleShapes, SouthernRuleCoversTheNewYear) {
  // Last Sunday of October 2:00 to last Sunday of March 3:00.
  const CZoneRule zone = Zone(10, 0, Rule(DstRule::kLast, 0, 9, 2, DstRule::kLast, 0, 2, 3));
  for (int year : {1970, 1997, 2026, 2037, 2099}) {
    SCOPED_TRACE(year);
    EXPECT_TRUE(zone.IsDst(At(year, 1, 1, 0, 30)));
    EXPECT_TRUE(zone.IsDst(At(year, 1, 15)));
    EXPECT_TRUE(zone.IsDst(At(year, 3, 1)));
    EXPECT_FALSE(zone.IsDst(At(year, 5, 1)));
    EXPECT_FALSE(zone.IsDst(At(year, 6, 15)));
    EXPECT_FALSE(zone.IsDst(At(year, 7, 15)));
    EXPECT_TRUE(zone.IsDst(At(year, 11, 15)));
    EXPECT_TRUE(zone.IsDst(At(year, 12, 15)));
    EXPECT_TRUE(zone.IsDst(At(year, 12, 31, 23, 59, 59)));
  }
}

TEST(ZoneRuleShapes, EndingOnTheLastSundayOfDecember) {
  const CZoneRule zone = Zone(0, 0, Rule(0, 0, 3, 2, DstRule::kLast, 0, 11, 2));
  EXPECT_TRUE(zone.IsDst(At(2000, 12, 31, 0, 59, 59)));
  EXPECT_FALSE(zone.IsDst(At(2000, 12, 31, 1)));
  EXPECT_EQ(Iso(zone.CachedDstEnd()), "2000-12-31 01:00:00");
  EXPECT_FALSE(zone.IsDst(At(2000, 12, 31, 23)));
  EXPECT_FALSE(zone.IsDst(At(2001, 1, 1, 0, 30)));
  EXPECT_TRUE(zone.IsDst(At(1997, 12, 27, 12)));
  EXPECT_FALSE(zone.IsDst(At(1997, 12, 29, 12)));
}

TEST(ZoneRuleShapes, DisabledDstConvertsByTheFixedOffsetAlone) {
  DstRule off = kNorthern;
  off.enabled = 0;
  for (const auto& [hours, minutes] : {std::pair{-5, 0}, std::pair{5, 30}}) {
    SCOPED_TRACE(hours);
    const CZoneRule zone = Zone(hours, minutes, off);
    const CDateSpan offset(0, hours, minutes, 0);
    for (CDateTime local = At(2026, 1, 1, 2); local < At(2027, 1, 1);
         local += CDateSpan(1, 0, 0, 0)) {
      ASSERT_FALSE(zone.IsDst(local)) << Iso(local);
      ASSERT_EQ(zone.ToLocal(local - offset), local) << Iso(local);
      ASSERT_EQ(zone.ToGmt(local), local - offset) << Iso(local);
      ASSERT_EQ(zone.ToGmtForComparison(local), local - offset) << Iso(local);
    }
  }
}

TEST(ZoneRuleShapes, HalfHourAndWholeHourOffsets) {
  struct Case {
    int hours, minutes;
    std::int32_t seconds;
    const char* local;  // of 2026-06-01 00:00:00 GMT
  };
  const Case cases[] = {
      {5, 30, 19800, "2026-06-01 05:30:00"},   {-3, -30, -12600, "2026-05-31 20:30:00"},
      {0, -30, -1800, "2026-05-31 23:30:00"},  {12, 0, 43200, "2026-06-01 12:00:00"},
      {-11, 0, -39600, "2026-05-31 13:00:00"},
  };
  const CDateTime gmt = At(2026, 6, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.local);
    const CZoneRule zone = Zone(c.hours, c.minutes, DstRule{});
    EXPECT_EQ(zone.GetOffsetHours(), c.hours);
    EXPECT_EQ(zone.GetOffsetMinutes(), c.minutes);
    EXPECT_EQ(zone.StandardOffset().TotalSeconds(), c.seconds);
    const CDateTime local = zone.ToLocal(gmt);
    EXPECT_EQ(Iso(local), c.local);
    EXPECT_EQ(zone.ToGmt(local), gmt);
    EXPECT_EQ(zone.ToGmtForComparison(local), gmt);
  }
}

// ---------------------------------------------------------------------------------------------
// Rules that cannot be computed

TEST(ZoneRuleInvalid, OutOfRangeFieldsMeanNoDst) {
  struct Case {
    const char* name;
    std::function<void(DstRule&)> spoil;
  };
  const Case cases[] = {
      {"start ordinal -1", [](DstRule& r) { r.startOrdinal = -1; }},
      {"start ordinal 5", [](DstRule& r) { r.startOrdinal = 5; }},
      {"start weekday -1", [](DstRule& r) { r.startWeekday = -1; }},
      {"start weekday 7", [](DstRule& r) { r.startWeekday = 7; }},
      {"start month -1", [](DstRule& r) { r.startMonth = -1; }},
      {"start month 12", [](DstRule& r) { r.startMonth = 12; }},
      {"start hour -1", [](DstRule& r) { r.startHour = -1; }},
      {"start hour 24", [](DstRule& r) { r.startHour = 24; }},
      {"end ordinal -1", [](DstRule& r) { r.endOrdinal = -1; }},
      {"end ordinal 5", [](DstRule& r) { r.endOrdinal = 5; }},
      {"end weekday -1", [](DstRule& r) { r.endWeekday = -1; }},
      {"end weekday 7", [](DstRule& r) { r.endWeekday = 7; }},
      {"end month -1", [](DstRule& r) { r.endMonth = -1; }},
      {"end month 12", [](DstRule& r) { r.endMonth = 12; }},
      {"end hour -1", [](DstRule& r) { r.endHour = -1; }},
      {"end hour 24", [](DstRule& r) { r.endHour = 24; }},
      {"huge weekday", [](DstRule& r) { r.endWeekday = std::numeric_limits<int>::max(); }},
  };
  const CDateSpan offset(0, 2, 0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DstRule rule = kNorthern;
    c.spoil(rule);
    EXPECT_FALSE(rule.IsComputable());
    const CZoneRule zone = Zone(2, 0, rule);
    for (CDateTime local = At(2026, 1, 1, 12); local < At(2027, 1, 1);
         local += CDateSpan(7, 0, 0, 0)) {
      ASSERT_FALSE(zone.IsDst(local)) << Iso(local);
      ASSERT_EQ(zone.ToLocal(local - offset), local) << Iso(local);
      ASSERT_EQ(zone.ToGmt(local), local - offset) << Iso(local);
    }
  }
}

TEST(ZoneRuleInvalid, FieldsAtTheEdgesOfTheirRangesAreComputed) {
  // 1st Sunday of January 0:00 to last Saturday of December 23:00.
  const DstRule rule = Rule(0, 0, 0, 0, DstRule::kLast, 6, 11, 23);
  EXPECT_TRUE(rule.IsComputable());
  const CZoneRule zone = Zone(0, 0, rule);
  EXPECT_FALSE(zone.IsDst(At(2026, 1, 4)));
  EXPECT_TRUE(zone.IsDst(At(2026, 1, 4, 0, 0, 1)));
  EXPECT_TRUE(zone.IsDst(At(2026, 12, 26, 21, 59, 59)));
  EXPECT_FALSE(zone.IsDst(At(2026, 12, 26, 22)));
}

// ---------------------------------------------------------------------------------------------
// The ends of the range

// The range ends in January 2038 and begins in December 1901: the switch instants of those
// years lie outside it, yet the dates inside it still need the right answer.
TEST(ZoneRuleRangeEnds, PartialYearsAtTheEndsOfTheRange) {
  const CZoneRule northern = Zone(-5, 0, kNorthern);
  EXPECT_FALSE(northern.IsDst(At(2038, 1, 10, 12)));
  EXPECT_EQ(northern.ToLocal(At(2038, 1, 10, 17)), At(2038, 1, 10, 12));
  EXPECT_EQ(northern.ToGmt(At(2038, 1, 10, 12)), At(2038, 1, 10, 17));
  EXPECT_EQ(northern.ToGmtForComparison(At(2038, 1, 10, 12)), At(2038, 1, 10, 17));
  EXPECT_FALSE(northern.IsDst(At(1901, 12, 20, 12)));

  const CZoneRule southern = Zone(10, 0, kSouthern);
  EXPECT_TRUE(southern.IsDst(At(2038, 1, 10, 12)));
  EXPECT_EQ(southern.ToLocal(At(2038, 1, 10, 2)), At(2038, 1, 10, 13));
  EXPECT_TRUE(southern.IsDst(At(1901, 12, 20, 12)));

  // Alternating with an ordinary year still gives each its own answer.
  EXPECT_TRUE(northern.IsDst(At(2037, 7, 1)));
  EXPECT_FALSE(northern.IsDst(At(2038, 1, 1, 12)));
  EXPECT_TRUE(northern.IsDst(At(2037, 7, 1)));
}

TEST(ZoneRuleRangeEnds, ConversionsSaturateInsteadOfWrapping) {
  const CZoneRule east = Zone(5, 30, kNorthern);
  const CZoneRule west = Zone(-11, 0, kNorthern);
  const CDateTime top = CDateTime::FromSeconds(CDateTime::kLastSecond);
  const CDateTime bottom = CDateTime::FromSeconds(std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(east.ToLocal(top), top);
  EXPECT_EQ(west.ToGmt(top), top);
  EXPECT_EQ(west.ToGmtForComparison(top), top);
  EXPECT_EQ(west.ToLocal(bottom), bottom);
  EXPECT_EQ(east.ToGmt(bottom), bottom);
  EXPECT_EQ(east.ToGmtForComparison(bottom), bottom);
}

}  // namespace
