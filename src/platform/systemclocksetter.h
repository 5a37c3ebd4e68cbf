// SPDX-License-Identifier: GPL-3.0-or-later
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
  // Moves the clock by `microseconds` from wherever it stands when the system acts, so a
  // wait for the user's permission costs no accuracy. False as above.
  virtual bool AdjustByMicroseconds(std::int64_t microseconds) = 0;
  // Whether a time service (NTP) already keeps the clock: then the program leaves it alone
  // rather than fight it.
  virtual bool KeptByTimeService() { return false; }
};

}  // namespace zw
