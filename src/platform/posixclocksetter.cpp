// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixclocksetter.h"

#include <time.h>

namespace zw {

namespace {

constexpr std::int64_t kNanoPerSecond = 1'000'000'000;

}  // namespace

bool CPosixClockSetter::SetUtcSeconds(std::int64_t utcSeconds) {
  timespec now{};
  now.tv_sec = static_cast<time_t>(utcSeconds);
  return ::clock_settime(CLOCK_REALTIME, &now) == 0;
}

bool CPosixClockSetter::AdjustByMicroseconds(std::int64_t microseconds) {
  timespec now{};
  if (::clock_gettime(CLOCK_REALTIME, &now) != 0) {
    return false;
  }
  const std::int64_t nanoseconds =
      static_cast<std::int64_t>(now.tv_sec) * kNanoPerSecond + now.tv_nsec + microseconds * 1000;
  now.tv_sec = static_cast<time_t>(nanoseconds / kNanoPerSecond);
  now.tv_nsec = static_cast<long>(nanoseconds % kNanoPerSecond);
  return ::clock_settime(CLOCK_REALTIME, &now) == 0;
}

}  // namespace zw
