// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zw {

// A signed distance between two CDateTime values, in whole seconds.
class CDateSpan {
 public:
  static constexpr std::int32_t kSecondsPerMinute = 60;
  static constexpr std::int32_t kSecondsPerHour = 3600;
  static constexpr std::int32_t kSecondsPerDay = 86400;

  constexpr CDateSpan() = default;
  // Components may have any sign; a total beyond the 32-bit range saturates at its ends.
  CDateSpan(std::int64_t days, std::int64_t hours, std::int64_t minutes, std::int64_t seconds);

  static CDateSpan FromSeconds(std::int64_t seconds);

  std::int32_t TotalSeconds() const { return m_seconds; }

  // The parts truncate toward zero, so a negative span has zero or negative parts.
  std::int32_t Days() const { return m_seconds / kSecondsPerDay; }
  std::int32_t Hours() const { return m_seconds % kSecondsPerDay / kSecondsPerHour; }
  std::int32_t Minutes() const { return m_seconds % kSecondsPerHour / kSecondsPerMinute; }
  std::int32_t Seconds() const { return m_seconds % kSecondsPerMinute; }

  friend bool operator==(CDateSpan a, CDateSpan b) = default;

 private:
  std::int32_t m_seconds = 0;
};

// Clamps a 64-bit count of seconds into the 32-bit range every stored form uses.
std::int32_t SaturateSeconds(std::int64_t seconds);

}  // namespace zw
