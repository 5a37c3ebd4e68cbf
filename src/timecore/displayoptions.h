// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zw {

// The user's display choices, mirrored from the first six fields of the settings record.
// Every date and time shown to the user follows them; stored texts never do.
struct DisplayOptions {
  // What the clock shows.
  enum Mode { kDateOnly = 0, kTimeOnly = 1, kDateAndTime = 2 };

  bool fourDigitYears = true;
  bool showSeconds = true;
  bool leadingZeros = true;
  int displayMode = kDateAndTime;
  int dateOrder = 0;
  bool hour24 = false;

  bool ShowsDate() const { return displayMode != kTimeOnly; }
  bool ShowsTime() const { return displayMode != kDateOnly; }
};

}  // namespace zw
