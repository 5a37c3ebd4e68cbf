// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/datespan.h"

#include <algorithm>
#include <limits>

namespace zw {

std::int32_t SaturateSeconds(std::int64_t seconds) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(seconds, lo, hi));
}

namespace {

// Components come from callers that multiply user or file values; keep every product inside
// 64 bits so an absurd day count cannot overflow before it is clamped.
std::int64_t ClampComponent(std::int64_t value, std::int64_t limit) {
  return std::clamp(value, -limit, limit);
}

}  // namespace

CDateSpan::CDateSpan(std::int64_t days, std::int64_t hours, std::int64_t minutes,
                     std::int64_t seconds) {
  constexpr std::int64_t limit = std::int64_t{1} << 40;
  const std::int64_t total = ClampComponent(days, limit) * kSecondsPerDay +
                             ClampComponent(hours, limit) * kSecondsPerHour +
                             ClampComponent(minutes, limit) * kSecondsPerMinute +
                             ClampComponent(seconds, limit);
  m_seconds = SaturateSeconds(total);
}

CDateSpan CDateSpan::FromSeconds(std::int64_t seconds) {
  return CDateSpan(0, 0, 0, seconds);
}

}  // namespace zw
