#pragma once

#include <cstdint>

namespace zw {

// Sets the computer's clock. The program sets it through the system; tests always use a
// fake, so no test ever moves the real clock.
class ISystemClockSetter {
 public:
  virtual ~ISystemClockSetter() = default;
  // Seconds since 1970-01-01 00:00:00 UTC. False when the system refuses, as it does for
  // an ordinary user.
  virtual bool SetUtcSeconds(std::int64_t utcSeconds) = 0;
};

}  // namespace zw
