// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zw {

// Where "now" comes from: the real system clock, or a settable one in tests.
class IClockSource {
 public:
  virtual ~IClockSource() = default;
  // Seconds since 1970-01-01 00:00:00 UTC.
  virtual std::int64_t UtcSeconds() const = 0;
  // The same in milliseconds, for whatever has to act on the boundary of a second; a source
  // that only knows whole seconds stands at the start of each.
  virtual std::int64_t UtcMilliseconds() const { return UtcSeconds() * 1000; }
  // Microseconds since then, for measures finer than a second; a clock that only knows
  // seconds stands at the start of its second.
  virtual std::int64_t UtcMicroseconds() const { return UtcSeconds() * 1'000'000; }
};

}  // namespace zw
