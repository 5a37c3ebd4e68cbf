#pragma once

#include <cstdint>

namespace zw {

// Where "now" comes from: the real system clock, or a settable one in tests.
class IClockSource {
 public:
  virtual ~IClockSource() = default;
  // Seconds since 1970-01-01 00:00:00 UTC.
  virtual std::int64_t UtcSeconds() const = 0;
};

}  // namespace zw
