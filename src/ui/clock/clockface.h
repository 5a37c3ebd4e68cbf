// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zw {

// A rectangle in client pixels, as the clock lays out its cells.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// Where one clock line is drawn and which characters its cells show, so that a tick
// repaints only the characters that changed.
struct ClockLineFace {
  static constexpr std::size_t kDateCells = 10;
  static constexpr std::size_t kTimeCells = 11;

  std::string drawnDate = std::string(kDateCells, ' ');
  std::string drawnTime = std::string(kTimeCells, ' ');
  std::array<CellRect, kDateCells> dateCells{};
  std::array<CellRect, kTimeCells> timeCells{};
  CellRect nameRect;
  CellRect frameRect;
  // What assistive technology was last told the line reads (UTF-8); empty until it asks.
  std::string spoken;
};

// The clock window's picture of its lines, in clock-list order. The layout makes it; the
// window keeps it and paints from it.
struct ClockFace {
  std::vector<ClockLineFace> lines;

  // The line whose frame holds (x, y), or -1.
  int LineAt(int x, int y) const;
  std::vector<CellRect> Frames() const;
};

}  // namespace zw
