// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zw {

class IClockSource;

// The one process-wide "now": the clock source's UTC seconds plus the hour adjustment that
// the command line may set. Every clock, event and comparison reads it, so all of them move
// together when either changes.
class CNow {
 public:
  static constexpr int kMaxHourAdjustment = 23;

  // nullptr restores the system clock. The source must outlive its use.
  static void SetSource(const IClockSource* source);
  // Values outside -23..+23 are clamped.
  static void SetHourAdjustment(int hours);
  static int HourAdjustment();

  // Adjusted UTC seconds, not yet narrowed to the 32-bit range.
  static std::int64_t UtcSeconds();
  // The same in milliseconds.
  static std::int64_t UtcMilliseconds();
  // Milliseconds from `utcMilliseconds` to the next whole multiple of `periodMs` (a second
  // or a minute), 1..periodMs: a tick armed with it never lands before the boundary.
  static std::int64_t UntilNextBoundary(std::int64_t utcMilliseconds, std::int64_t periodMs);
};

}  // namespace zw
