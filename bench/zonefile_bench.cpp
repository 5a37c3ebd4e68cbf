// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "platform/posixfilelayer.h"

using namespace zw;

namespace {

constexpr std::size_t kLines = 25000;

class SilentSink final : public IMessageSink {
 public:
  void Warn(const std::string&) override { ++m_count; }
  void Inform(const std::string&) override { ++m_count; }
  bool AskYesNo(const std::string&) override { return false; }
  int Count() const { return m_count; }

 private:
  int m_count = 0;
};

// A fresh directory entered for the benchmark's lifetime, since the files go by bare name.
class WorkDir {
 public:
  WorkDir() : m_previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zwbench-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    if (made == nullptr) {
      throw std::filesystem::filesystem_error("mkdtemp",
                                              std::error_code(errno, std::generic_category()));
    }
    m_path = made;
    std::filesystem::current_path(m_path);
  }
  ~WorkDir() {
    std::filesystem::current_path(m_previous);
    std::filesystem::remove_all(m_path);
  }
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_path;
};

std::string RandomName(std::mt19937& rng) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";
  std::string s(4 + rng() % 12, ' ');
  for (char& c : s) {
    c = kLetters[rng() % (sizeof(kLetters) - 1)];
  }
  s[0] = static_cast<char>(s[0] - 'a' + 'A');
  if (s.size() > 9 && rng() % 4 == 0) {
    s[s.size() / 2] = ' ';
  }
  return s;
}

// Shaped like the supplied database: cities spread over ~240 countries, one line in twenty an
// area code, most places with a daylight-saving rule, a few with a half-hour offset.
std::string StandardFile() {
  std::mt19937 rng(25000);
  std::vector<std::string> countries;
  for (int i = 0; i < 240; ++i) {
    countries.push_back(RandomName(rng));
  }
  std::vector<std::tuple<int, std::string, std::string>> entries;
  while (entries.size() < kLines) {
    entries.emplace_back(rng() % 20 == 0 ? 2 : 1, countries[rng() % countries.size()],
                         RandomName(rng));
    if (entries.size() == kLines) {
      std::sort(entries.begin(), entries.end());
      entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    }
  }
  std::string text;
  for (const auto& [type, country, name] : entries) {
    const int hours = static_cast<int>(rng() % 27) - 12;
    const int minutes = rng() % 10 == 0 ? (hours > 0 ? 30 : -30) : 0;
    const bool dst = rng() % 3 != 0;
    text += std::to_string(type) + ",\"" + country + "\",\"" + name + "\"," +
            std::to_string(hours) + "," + std::to_string(minutes) + (dst ? ",1" : ",0") +
            ",1,0,2,2,0,0,10,2\r\n";
  }
  return text;
}

class ZoneFiles {
 public:
  ZoneFiles() { std::ofstream("TIME_ZON.DAT", std::ios::binary) << StandardFile(); }

 private:
  WorkDir m_dir;
};

}  // namespace

static void BM_Load25000(benchmark::State& state) {
  ZoneFiles zoneFiles;
  CPosixFileLayer files;
  SilentSink sink;
  for (auto _ : state) {
    auto db = std::make_unique<CLocationDB>();
    benchmark::DoNotOptimize(db->Load(files, sink));
    state.PauseTiming();
    if (db->Count() != kLines) {
      state.SkipWithError("the generated file did not load whole");
    }
    db.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Load25000)->Unit(benchmark::kMillisecond);

// The supplied database with the tz zone of every place, as a start loads it. The first load
// of a process also reads the system's list of zones; it is reported apart.
static void BM_LoadSuppliedWithZones(benchmark::State& state) {
  const std::string data = ZW_SOURCE_DATA_DIR;
  WorkDir dir;
  for (const char* name : {"TIME_ZON.DAT", "TIME_ZON.TZN"}) {
    std::filesystem::copy_file(data + "/" + name, name);
  }
  CPosixFileLayer files;
  SilentSink sink;
  const auto load = [&] {
    auto db = std::make_unique<CLocationDB>();
    benchmark::DoNotOptimize(db->Load(files, sink));
    return db;
  };
  const auto start = std::chrono::steady_clock::now();
  const std::unique_ptr<CLocationDB> first = load();
  state.counters["first_load_ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  for (auto _ : state) {
    std::unique_ptr<CLocationDB> db = load();
    state.PauseTiming();
    if (sink.Count() != 0 || db->Count() == 0 || db->At(0)->Zone().Tz() == nullptr) {
      state.SkipWithError("the supplied database did not load with its zones");
    }
    db.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadSuppliedWithZones)->Unit(benchmark::kMillisecond);

static void BM_Save25000(benchmark::State& state) {
  ZoneFiles zoneFiles;
  CPosixFileLayer files;
  SilentSink sink;
  CLocationDB db;
  if (!db.Load(files, sink)) {
    state.SkipWithError("the generated file did not load");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(db.Save(files, sink));
  }
  if (sink.Count() != 0) {
    state.SkipWithError("saving reported a failure");
  }
}
BENCHMARK(BM_Save25000)->Unit(benchmark::kMillisecond);

// The parse alone, without the disk.
static void BM_Parse25000(benchmark::State& state) {
  const std::string text = StandardFile();
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size());
  SilentSink sink;
  for (auto _ : state) {
    auto db = std::make_unique<CLocationDB>();
    benchmark::DoNotOptimize(db->Parse(bytes, false, sink));
    state.PauseTiming();
    db.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Parse25000)->Unit(benchmark::kMillisecond);
