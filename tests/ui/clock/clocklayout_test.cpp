// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clocklayout.h"

#include <gtest/gtest.h>

#include "locations/location.h"
#include "support/fakeclock.h"

using namespace zw;

namespace {

ClockMetrics Metrics() {
  ClockMetrics m;
  m.nameHeight = 15;
  m.nameAverageWidth = 7;
  m.digitHeight = 20;
  m.digitAverageWidth = 10;
  m.digitMaxWidth = 14;
  return m;
}

struct Lines {
  explicit Lines(int count, const DisplayOptions& options = {}) {
    const CLocation place;
    times.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      times.push_back(PlaceTime::Current(place, CDateTime(2026, 12, 8, 13, 0, 0), options));
      lines.push_back({&times.back(), 60 + 10 * i});
    }
  }
  std::vector<PlaceTime> times;
  std::vector<ClockLine> lines;
};

}  // namespace

TEST(ClockLayout, CellWidthFollowsSpacingAndItalic) {
  ClockMetrics m = Metrics();
  EXPECT_DOUBLE_EQ(m.DigitCellWidth(), 12.0);  // (10 + 14) * 5 / 10
  m.digitSpacing = 0;
  EXPECT_DOUBLE_EQ(m.DigitCellWidth(), 6.0);
  m.digitSpacing = 20;
  EXPECT_DOUBLE_EQ(m.DigitCellWidth(), 18.0);
  m.digitSpacing = 10;
  m.digitItalic = true;
  EXPECT_DOUBLE_EQ(m.DigitCellWidth(), 14.0);  // trunc(12 * 1.2)
}

TEST(ClockLayout, TwoPassesShareOneTimeColumn) {
  test::FakeClock clock(2026, 12, 8, 13, 0, 0);
  Lines l(3);
  const ClockArea area{0, 30, 400, 300};
  const auto result = CClockLayout::Layout(l.lines, Metrics(), area, 2, true, false, 0);

  // Line i: name at y = 36 + i * (20 + 30); date cells one name line lower.
  for (std::size_t i = 0; i < 3; ++i) {
    const ClockLineFace& d = result.face.lines[i];
    const int top = 36 + static_cast<int>(i) * 50;
    EXPECT_EQ(d.nameRect, (CellRect{9, top, 9 + 60 + 10 * static_cast<int>(i), top + 15}));
    // First date cell centred at x = 9 + 7 = 16, width 12.
    EXPECT_EQ(d.dateCells[0], (CellRect{10, top + 20, 23, top + 40}));
    EXPECT_EQ(d.dateCells[1].left, 23);  // centre 29
    EXPECT_EQ(d.frameRect, (CellRect{3, top, 397, top + 40}));
    EXPECT_EQ(d.timeCells[0].top, d.dateCells[0].top);
  }
  // Ten date cells end at x = 16 + 10 * 13 = 146; the column is 146 + 18.
  EXPECT_EQ(result.timeColumn, 164);
  const ClockLineFace& d = result.face.lines[0];
  EXPECT_EQ(d.timeCells[0].left, 158);
  // "01:00:00 PM": the P cell and the M cell are 14.4 wide, centred 13 then 15.4 apart.
  const double pCentre = 164 + 9 * 13;
  EXPECT_EQ(d.timeCells[9].left, static_cast<int>(pCentre - 7.2));
  EXPECT_EQ(d.timeCells[10].left, static_cast<int>(pCentre + 15.4 - 7.2));
  // The clock wants to end 9 pixels right of the M and 6 below the last line.
  ASSERT_TRUE(result.wantedClient);
  const ClockLineFace& last = result.face.lines[2];
  EXPECT_EQ(result.wantedClient->first, last.timeCells[10].right + 9);
  EXPECT_EQ(result.wantedClient->second, last.timeCells[10].bottom + 6);
}

TEST(ClockLayout, SizingRulesAndMinimumWidth) {
  test::FakeClock clock(2026, 12, 8, 13, 0, 0);
  DisplayOptions dateOnly;
  dateOnly.displayMode = DisplayOptions::kDateOnly;
  Lines l(1, dateOnly);
  const ClockArea area{0, 0, 50, 50};
  const auto sized = CClockLayout::Layout(l.lines, Metrics(), area, 0, true, false, 186);
  ASSERT_TRUE(sized.wantedClient);
  EXPECT_EQ(sized.wantedClient->first, 186 + 9);
  EXPECT_FALSE(CClockLayout::Layout(l.lines, Metrics(), area, 0, false, false, 186).wantedClient);
  EXPECT_FALSE(CClockLayout::Layout(l.lines, Metrics(), area, 0, true, true, 186).wantedClient);
  // Already the right size: nothing to do.
  const ClockArea fitted{0, 0, sized.wantedClient->first, sized.wantedClient->second};
  EXPECT_FALSE(CClockLayout::Layout(l.lines, Metrics(), fitted, 0, true, false, 186).wantedClient);
  EXPECT_FALSE(CClockLayout::Layout({}, Metrics(), area, 0, true, false, 186).wantedClient);
}

TEST(ClockLayout, DropIndexKeepsGapsNextToTheHeldLineClosed) {
  // Three lines with 10-pixel gaps between them.
  const std::vector<CellRect> frames = {{3, 10, 100, 40}, {3, 50, 100, 80}, {3, 90, 100, 120}};
  struct Case {
    int held, y, drop;
  };
  const Case cases[] = {
      {0, 20, -1}, {0, 45, -1},  {0, 85, 2},  {0, 125, 3}, {0, 5, -1}, {2, 5, 0},   {2, 45, 1},
      {2, 85, -1}, {2, 125, -1}, {1, 45, -1}, {1, 85, -1}, {1, 5, 0},  {1, 125, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CClockLayout::DropIndex(frames, c.held, c.y, 0, 130), c.drop)
        << "held " << c.held << " at y " << c.y;
  }
  EXPECT_EQ(CClockLayout::DropTarget(0, 3), 2);
  EXPECT_EQ(CClockLayout::DropTarget(2, 0), 0);
  EXPECT_EQ(CClockLayout::DropTarget(0, 1), -1);
  EXPECT_EQ(CClockLayout::DropTarget(1, -1), -1);
  EXPECT_EQ(CClockLayout::DropTarget(-1, 2), -1);
}
