// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/now.h"

#include <algorithm>
#include <atomic>

#include "timecore/datespan.h"
#include "timecore/systemclock.h"

namespace zw {

namespace {

const CSystemClock g_systemClock;
// Atomics: sound and network threads read "now" while the main thread owns these settings.
std::atomic<const IClockSource*> g_source{&g_systemClock};
std::atomic<int> g_hourAdjustment{0};

}  // namespace

void CNow::SetSource(const IClockSource* source) {
  g_source.store(source != nullptr ? source : &g_systemClock);
}

void CNow::SetHourAdjustment(int hours) {
  g_hourAdjustment.store(std::clamp(hours, -kMaxHourAdjustment, kMaxHourAdjustment));
}

int CNow::HourAdjustment() {
  return g_hourAdjustment.load();
}

std::int64_t CNow::UtcSeconds() {
  return g_source.load()->UtcSeconds() +
         std::int64_t{g_hourAdjustment.load()} * CDateSpan::kSecondsPerHour;
}

std::int64_t CNow::UtcMilliseconds() {
  return g_source.load()->UtcMilliseconds() +
         std::int64_t{g_hourAdjustment.load()} * CDateSpan::kSecondsPerHour * 1000;
}

std::int64_t CNow::UntilNextBoundary(std::int64_t utcMilliseconds, std::int64_t periodMs) {
  // Floor modulo, so times before 1970 count from the boundary below them too.
  const std::int64_t into = ((utcMilliseconds % periodMs) + periodMs) % periodMs;
  return periodMs - into;
}

}  // namespace zw
