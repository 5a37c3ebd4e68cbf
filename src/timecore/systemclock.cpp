// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/systemclock.h"

#include <chrono>

namespace zw {

std::int64_t CSystemClock::UtcSeconds() const {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::floor<std::chrono::seconds>(now).count();
}

std::int64_t CSystemClock::UtcMilliseconds() const {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::floor<std::chrono::milliseconds>(now).count();
}

std::int64_t CSystemClock::UtcMicroseconds() const {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::floor<std::chrono::microseconds>(now).count();
}

}  // namespace zw
