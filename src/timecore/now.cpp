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

}  // namespace zw
