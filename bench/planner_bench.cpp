// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "locations/meetinggrid.h"
#include "timecore/offsetchange.h"
#include "timecore/tzzone.h"

using namespace zw;

namespace {

// Ten places a planner is typically filled with: both hemispheres, half- and
// quarter-hour zones, and places without daylight saving.
const std::vector<std::string> kZones = {
    "Europe/London",     "America/New_York", "Asia/Tokyo",       "Australia/Adelaide",
    "Asia/Kolkata",      "Asia/Kathmandu",   "America/St_Johns", "Pacific/Auckland",
    "America/Sao_Paulo", "Europe/Berlin"};

struct TenPlaces {
  CTzCatalog catalog;
  CZoneRule rule;
  std::vector<MeetingPlace> places;

  TenPlaces() {
    for (const std::string& name : kZones) {
      places.push_back({name, CZone(rule, catalog.Find(name)), {}});
    }
  }
};

}  // namespace

// Fills the planner's whole grid for ten places; must stay well under 20 ms.
static void BM_PlannerTenPlaces(benchmark::State& state) {
  TenPlaces ten;
  const CDateTime date(2026, 3, 29, 0, 0, 0);
  for (auto _ : state) {
    const CMeetingGrid grid(ten.places, date);
    benchmark::DoNotOptimize(grid.GoodForAll());
  }
  state.SetLabel("target < 20 ms");
}
BENCHMARK(BM_PlannerTenPlaces)->Unit(benchmark::kMicrosecond);

// The next offset change of ten places at once, as a clock refresh asks for it; must stay
// under 50 us.
static void BM_NextChangeTenPlaces(benchmark::State& state) {
  TenPlaces ten;
  CDateTime now(2026, 12, 9, 12, 0, 0);
  for (auto _ : state) {
    for (const MeetingPlace& place : ten.places) {
      benchmark::DoNotOptimize(NextOffsetChange(place.zone, now));
    }
    now += CDateSpan(0, 0, 0, 7);
  }
  state.SetLabel("target < 50 us");
}
BENCHMARK(BM_NextChangeTenPlaces)->Unit(benchmark::kMicrosecond);

// The same for places that keep their stored rule.
static void BM_NextChangeTenStoredRules(benchmark::State& state) {
  std::vector<CZoneRule> rules(10);
  DstRule dst;
  dst.enabled = 1;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    rules[i].SetOffset(static_cast<int>(i) - 5);
    rules[i].SetDstRule(dst);
  }
  CDateTime now(2026, 12, 9, 12, 0, 0);
  for (auto _ : state) {
    for (const CZoneRule& rule : rules) {
      benchmark::DoNotOptimize(NextOffsetChange(CZone(rule), now));
    }
    now += CDateSpan(0, 0, 0, 7);
  }
  state.SetLabel("target < 50 us");
}
BENCHMARK(BM_NextChangeTenStoredRules)->Unit(benchmark::kMicrosecond);
