// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "locations/location.h"
#include "locations/placetime.h"
#include "timecore/zonerule.h"

using namespace zw;

namespace {

DstRule NorthernRule() {
  return DstRule{1, 1, 0, 2, 2, 0, 0, 10, 2};
}

}  // namespace

// What the clock does for each line once a second.
static void BM_UpdateCurrentTimeWithTexts(benchmark::State& state) {
  CLocation loc;
  loc.SetOffset(-5);
  loc.SetDstRule(NorthernRule());
  const DisplayOptions options;
  CDateTime gmt(2026, 7, 4, 12, 0, 0);
  for (auto _ : state) {
    gmt += CDateSpan(0, 0, 0, 1);
    const PlaceTime now = PlaceTime::Current(loc, gmt, options);
    benchmark::DoNotOptimize(now.date.data());
    benchmark::DoNotOptimize(now.time.data());
  }
}
BENCHMARK(BM_UpdateCurrentTimeWithTexts);

static void BM_UpdateCurrentTimeShortForms(benchmark::State& state) {
  CLocation loc;
  loc.SetOffset(5);
  loc.SetOffsetMinutes(30);
  DisplayOptions options;
  options.leadingZeros = false;
  options.fourDigitYears = false;
  CDateTime gmt(2026, 7, 4, 12, 0, 0);
  for (auto _ : state) {
    gmt += CDateSpan(0, 0, 0, 1);
    const PlaceTime now = PlaceTime::Current(loc, gmt, options);
    benchmark::DoNotOptimize(now.date.data());
    benchmark::DoNotOptimize(now.time.data());
  }
}
BENCHMARK(BM_UpdateCurrentTimeShortForms);

static void BM_IsDstWarmCache(benchmark::State& state) {
  CZoneRule zone;
  zone.SetDstRule(NorthernRule());
  CDateTime t(2026, 3, 1, 0, 0, 0);
  benchmark::DoNotOptimize(zone.IsDst(t));
  for (auto _ : state) {
    t += CDateSpan(0, 0, 0, 7);
    benchmark::DoNotOptimize(zone.IsDst(t));
  }
}
BENCHMARK(BM_IsDstWarmCache);

static void BM_IsDstAlternatingYears(benchmark::State& state) {
  CZoneRule zone;
  zone.SetDstRule(NorthernRule());
  const CDateTime a(2026, 6, 1, 0, 0, 0);
  const CDateTime b(2027, 6, 1, 0, 0, 0);
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    benchmark::DoNotOptimize(zone.IsDst(flip ? a : b));
  }
}
BENCHMARK(BM_IsDstAlternatingYears);
