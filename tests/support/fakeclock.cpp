// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeclock.h"

#include "timecore/datetime.h"
#include "timecore/now.h"

namespace zw::test {

FakeClock::FakeClock(std::int64_t utcSeconds) : m_seconds(utcSeconds) {
  CNow::SetSource(this);
}

FakeClock::FakeClock(int year, int month, int day, int hour, int minute, int second)
    : FakeClock(CDateTime(year, month, day, hour, minute, second).Seconds()) {}

FakeClock::~FakeClock() {
  CNow::SetSource(nullptr);
  CNow::SetHourAdjustment(0);
}

}  // namespace zw::test
