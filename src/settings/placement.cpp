// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/placement.h"

namespace zw {

std::optional<ScreenPoint> CPlacement::BesideClock(const ScreenRect& clock, int width, int height,
                                                   const ScreenRect& screen) {
  std::optional<int> x;
  if (clock.left - width > 0) {
    x = clock.left - width;
  } else if (clock.right + width < screen.right) {
    x = clock.right;
  }

  if (!x) {
    // Neither side has room: below the clock, or above it.
    const bool below = clock.bottom + height < screen.bottom;
    const int y = below ? clock.bottom : clock.top - height;
    const bool alignLeft = clock.left + width < screen.right;
    const int alignedX = alignLeft ? clock.left : clock.right - width;
    if ((!below && y <= 0) || (!alignLeft && alignedX <= 0)) {
      return std::nullopt;
    }
    return ScreenPoint{alignedX, y};
  }

  // Bottom edges aligned, or top edges when that would leave the screen at the top.
  int y = clock.bottom - height;
  if (y <= 0) {
    if (clock.top + height >= screen.bottom) {
      return std::nullopt;
    }
    y = clock.top;
  }
  return ScreenPoint{*x, y};
}

}  // namespace zw
