// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clockface.h"

namespace zw {

int ClockFace::LineAt(int x, int y) const {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const CellRect& r = lines[i].frameRect;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::vector<CellRect> ClockFace::Frames() const {
  std::vector<CellRect> frames;
  frames.reserve(lines.size());
  for (const ClockLineFace& line : lines) {
    frames.push_back(line.frameRect);
  }
  return frames;
}

}  // namespace zw
