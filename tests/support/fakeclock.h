// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "timecore/clocksource.h"

namespace zw::test {

// A clock the test sets; installed as "now" for its lifetime.
class FakeClock final : public IClockSource {
 public:
  explicit FakeClock(std::int64_t utcSeconds = 0);
  FakeClock(int year, int month, int day, int hour, int minute, int second);
  ~FakeClock() override;
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;

  std::int64_t UtcSeconds() const override { return m_seconds; }
  std::int64_t UtcMilliseconds() const override { return m_seconds * 1000 + m_milliseconds; }
  void Set(std::int64_t utcSeconds) { m_seconds = utcSeconds; }
  // How far into the current second the clock stands, 0..999.
  void SetMilliseconds(int milliseconds) { m_milliseconds = milliseconds; }
  void Advance(std::int64_t seconds) { m_seconds += seconds; }

 private:
  std::int64_t m_seconds;
  int m_milliseconds = 0;
};

}  // namespace zw::test
