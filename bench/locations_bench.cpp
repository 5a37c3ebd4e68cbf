// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "locations/locationdb.h"

using namespace zw;

namespace {

std::string RandomName(std::mt19937& rng) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz \xE9\xF6";
  std::string s(5 + rng() % 12, ' ');
  for (char& c : s) {
    c = kLetters[rng() % (sizeof(kLetters) - 1)];
  }
  return s;
}

// A database shaped like the supplied one: most entries cities spread over ~240 countries.
void Fill(CLocationDB& db, std::size_t count, std::mt19937& rng) {
  std::vector<std::string> countries;
  for (int i = 0; i < 240; ++i) {
    countries.push_back(RandomName(rng));
  }
  for (std::size_t i = 0; i < count; ++i) {
    auto loc = std::make_unique<CLocation>();
    loc->SetType(i % 20 == 0 ? CLocation::kAreaCode : CLocation::kCity);
    loc->SetCountry(countries[rng() % countries.size()]);
    loc->SetName(RandomName(rng));
    db.Insert(std::move(loc));
  }
}

}  // namespace

static void BM_InsertInto25000(benchmark::State& state) {
  std::mt19937 rng(42);
  CLocationDB db;
  Fill(db, 25000, rng);
  for (auto _ : state) {
    auto loc = std::make_unique<CLocation>();
    loc->SetType(CLocation::kCity);
    loc->SetCountry(RandomName(rng));
    loc->SetName(RandomName(rng));
    const std::size_t at = db.InsertPosition(*loc, CLocation::kCity);
    db.InsertAt(std::move(loc), at);
    state.PauseTiming();
    db.RemoveAt(at, true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InsertInto25000);

static void BM_FindIn25000(benchmark::State& state) {
  std::mt19937 rng(42);
  CLocationDB db;
  Fill(db, 25000, rng);
  const CLocation* last = db.At(db.Count() - 1);
  const std::string name = last->Name();
  const std::string country = last->Country();
  for (auto _ : state) {
    benchmark::DoNotOptimize(db.Find(name, country));
  }
}
BENCHMARK(BM_FindIn25000);
