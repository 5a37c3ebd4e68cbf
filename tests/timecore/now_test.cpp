// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <limits>

#include "printers.h"
#include "support/fakeclock.h"
#include "timecore/datetime.h"
#include "timecore/now.h"
#include "timecore/zonerule.h"

using namespace zw;
using zw::test::FakeClock;

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// The source and the adjustment are process-wide; leave them as the next test expects them.
class NowTest : public testing::Test {
 protected:
  void TearDown() override {
    CNow::SetHourAdjustment(0);
    CNow::SetSource(nullptr);
  }
};

TEST_F(NowTest, NowComesFromTheInstalledClock) {
  FakeClock clock(1997, 5, 7, 9, 5, 0);
  EXPECT_EQ(CDateTime(), CDateTime(1997, 5, 7, 9, 5, 0));
  clock.Advance(61);
  CDateTime t(2000, 1, 1, 0, 0, 0);
  t.SetNow();
  EXPECT_EQ(t, CDateTime(1997, 5, 7, 9, 6, 1));
}

// Every millisecond of a minute either side of 1970, for both tick periods: the wait lands
// exactly on the next boundary, never on the one just passed.
TEST_F(NowTest, NextBoundaryIsAlwaysAheadAndWhole) {
  for (const std::int64_t period : {1000, 60000}) {
    for (std::int64_t ms = -60000; ms <= 60000; ++ms) {
      const std::int64_t wait = CNow::UntilNextBoundary(ms, period);
      ASSERT_GE(wait, 1) << ms;
      ASSERT_LE(wait, period) << ms;
      ASSERT_EQ((ms + wait) % period, 0) << ms;
    }
  }
  FakeClock clock(1000);
  clock.SetMilliseconds(250);
  CNow::SetHourAdjustment(-2);
  EXPECT_EQ(CNow::UtcMilliseconds(), (1000 - 7200) * std::int64_t{1000} + 250);
  EXPECT_EQ(CNow::UtcSeconds() * 1000, CNow::UtcMilliseconds() - 250);
}

TEST_F(NowTest, HourAdjustmentShiftsEveryNow) {
  FakeClock clock(2026, 12, 8, 22, 30, 0);
  CNow::SetHourAdjustment(5);
  EXPECT_EQ(CNow::HourAdjustment(), 5);
  EXPECT_EQ(CDateTime(), CDateTime(2026, 12, 9, 3, 30, 0));
  EXPECT_EQ(CNow::UtcSeconds(), clock.UtcSeconds() + 5 * 3600);

  // Local times derive from "now" and move with it.
  CZoneRule newYork;
  newYork.SetOffset(-5);
  EXPECT_EQ(newYork.ToLocal(CDateTime()), CDateTime(2026, 12, 8, 22, 30, 0));

  CNow::SetHourAdjustment(-7);
  EXPECT_EQ(CDateTime(), CDateTime(2026, 12, 8, 15, 30, 0));
  CNow::SetHourAdjustment(0);
  EXPECT_EQ(CDateTime(), CDateTime(2026, 12, 8, 22, 30, 0));
}

TEST_F(NowTest, HourAdjustmentIsClampedToADayLessAnHour) {
  FakeClock clock(2026, 6, 15, 12, 0, 0);
  struct Case {
    int requested, applied;
  };
  const Case cases[] = {
      {23, 23},
      {-23, -23},
      {24, 23},
      {-24, -23},
      {100, 23},
      {std::numeric_limits<int>::max(), 23},
      {std::numeric_limits<int>::min(), -23},
  };
  for (const Case& c : cases) {
    CNow::SetHourAdjustment(c.requested);
    EXPECT_EQ(CNow::HourAdjustment(), c.applied) << c.requested;
    EXPECT_EQ(CDateTime() - CDateTime(2026, 6, 15, 12, 0, 0), CDateSpan(0, c.applied, 0, 0))
        << c.requested;
  }
}

TEST_F(NowTest, NowBeyondTheRangeSaturatesButTheSecondsDoNot) {
  FakeClock clock(kMax);
  CNow::SetHourAdjustment(5);
  EXPECT_EQ(CNow::UtcSeconds(), std::int64_t{kMax} + 5 * 3600);
  EXPECT_EQ(CDateTime().Seconds(), std::int64_t{kMax} + 5 * 3600);
  clock.Set(std::int64_t{1} << 40);
  EXPECT_EQ(CDateTime().Seconds(), CDateTime::kLastSecond);
}

TEST_F(NowTest, ANullSourceRestoresTheSystemClock) {
  FakeClock clock(0);
  ASSERT_EQ(CDateTime().Seconds(), 0);
  CNow::SetSource(nullptr);
  const std::int64_t before = std::time(nullptr);
  const std::int64_t now = CDateTime().Seconds();
  const std::int64_t after = std::time(nullptr);
  EXPECT_GE(now, before - 1);
  EXPECT_LE(now, after + 1);
}

}  // namespace
