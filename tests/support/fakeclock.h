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
  void Set(std::int64_t utcSeconds) { m_seconds = utcSeconds; }
  void Advance(std::int64_t seconds) { m_seconds += seconds; }

 private:
  std::int64_t m_seconds;
};

}  // namespace zw::test
