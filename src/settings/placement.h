// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace zw {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where a dialog opens when it has no remembered position: beside the clock, left of it when
// there is room, else right of it, else below or above it, so the clock stays in view.
class CPlacement {
 public:
  // Nothing when no place fits and the dialog should stay where the window system put it.
  static std::optional<ScreenPoint> BesideClock(const ScreenRect& clock, int width, int height,
                                                const ScreenRect& screen);
};

}  // namespace zw
