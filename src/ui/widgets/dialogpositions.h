// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "settings/placement.h"

class QWidget;

namespace zw {

// Where dialogs reopen during a run: each remembers the rectangle it closed with, and one
// without a remembered rectangle opens beside the clock. Nothing of this is saved.
class CDialogPositions {
 public:
  // One slot per dialog. Slots before kFirstKept are forgotten whenever the clock moves, so
  // the dialogs that sit beside it follow it.
  enum Slot : std::size_t {
    kProperties = 0,
    kLocationList = 1,
    kCompareTime = 2,
    kSchedule = 3,
    kSetEvent = 4,
    kCurrency = 5,
    kMeasurement = 6,
    kUpdate = 7,
    kTimeSync = 8,
    kSlotCount = 9,
  };
  static constexpr std::size_t kFirstKept = 5;

  // clock: the window dialogs are placed beside; may be null until it exists.
  void SetClock(const QWidget* clock) { m_clock = clock; }

  // Moves `dialog` to its remembered rectangle, else beside the clock when there is room.
  void Place(QWidget* dialog, std::size_t slot) const;
  void Remember(const QWidget* dialog, std::size_t slot);
  void ForgetNearClock();
  bool IsRemembered(std::size_t slot) const;

 private:
  const QWidget* m_clock = nullptr;
  std::array<ScreenRect, kSlotCount> m_rects{};
};

}  // namespace zw
