// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "locations/placetime.h"
#include "ui/clock/clockface.h"

namespace zw {

// Font measurements the layout works from, in pixels.
struct ClockMetrics {
  int nameHeight = 0;
  int nameAverageWidth = 0;
  int digitHeight = 0;
  int digitAverageWidth = 0;
  int digitMaxWidth = 0;
  int digitOverhangRaw = 0;
  bool digitItalic = false;
  int digitSpacing = 10;  // 0..20; 10 is the font's own width
  // Room right of the times for the mark of a coming offset change; 0 when none is shown.
  int markWidth = 0;

  int NameLineHeight() const { return nameHeight + 5; }
  int DigitLineHeight() const { return digitHeight + 10; }
  // Each spacing step widens or narrows the cells by 5 per cent of the base width.
  double DigitCellWidth() const;
  int DigitOverhang() const { return static_cast<int>(digitOverhangRaw * 0.5); }
};

// One clock line to lay out: its place's current time (whose texts are laid out) and the
// width of its name in the name font.
struct ClockLine {
  const PlaceTime* time = nullptr;
  int nameWidth = 0;
};

struct ClockArea {
  int left = 0;
  int top = 0;  // below the toolbar
  int right = 0;
  int bottom = 0;
};

// Where every character of the clock goes. Cells have fixed widths so digits do not jitter
// as they change, and the times of all lines share one column right of the longest date.
class CClockLayout {
 public:
  static constexpr int kMargin = 9;
  static constexpr int kTopGap = 6;
  static constexpr int kFrameInset = 3;
  static constexpr double kMarkerWidening = 1.2;  // A/P and the M after it

  struct Result {
    // Every line's cells, with the texts they show from now on.
    ClockFace face;
    int timeColumn = 0;
    // The client size the clock wants when it sizes itself to its text; nothing when the
    // current size already fits or auto-size does not apply.
    std::optional<std::pair<int, int>> wantedClient;
  };

  // Lays out all lines from the texts of their times.
  static Result Layout(const std::vector<ClockLine>& lines, const ClockMetrics& metrics,
                       const ClockArea& area, int displayMode, bool autoSize, bool maximised,
                       int minContentWidth);

  // The horizontal centre at which a character is drawn in its cell.
  static int CharacterCentre(const CellRect& cell, char c, bool inTime,
                             const ClockMetrics& metrics);

  // Dragging a line: the gap it would be dropped into, or -1 while the pointer is over a
  // line's row or next to the held line itself. Gap i lies before line i; gap count is last.
  static int DropIndex(const std::vector<CellRect>& frames, int held, int pointerY, int clientTop,
                       int clientBottom);
  // Applies a drop: the clock-list position the held line moves to, or -1 for no change.
  static int DropTarget(int held, int dropIndex);
};

}  // namespace zw
