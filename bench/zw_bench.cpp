// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "platform/posixfilelayer.h"

namespace {

// A home of its own, so that no user's settings change what is measured.
class ScratchHome {
 public:
  ScratchHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zwbench-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    m_path = made != nullptr ? made : "";
  }
  ~ScratchHome() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchHome(const ScratchHome&) = delete;
  ScratchHome& operator=(const ScratchHome&) = delete;

  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// What one whole run of zw cost, its output discarded.
struct RunCost {
  int status = -1;  // the exit status, or -1
  double cpuMs = 0;
  double peakMiB = 0;
};

RunCost RunOnce(std::vector<char*>& argv, std::vector<char*>& envp) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, ZW_PROGRAM_PATH, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  RunCost cost;
  int status = 0;
  rusage usage{};
  if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) {
    return cost;
  }
  cost.status = WEXITSTATUS(status);
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  cost.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
  cost.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return cost;
}

// A data directory holding the supplied files with `extra` made-up places added.
std::string MakeLargeDatabase(const std::string& home, int extra) {
  const std::filesystem::path dir = std::filesystem::path(home) / "data";
  std::filesystem::create_directories(dir);
  const std::filesystem::path source(ZW_SOURCE_DATA_DIR);
  std::filesystem::copy_file(source / "TIME_ZON.TZN", dir / "TIME_ZON.TZN");
  std::ifstream in(source / "TIME_ZON.DAT", std::ios::binary);
  std::ofstream out(dir / "TIME_ZON.DAT", std::ios::binary);
  out << in.rdbuf();
  // Area codes come last in the file, and "Zz" after every real one.
  for (int i = 0; i < extra; ++i) {
    char made[96];
    std::snprintf(made, sizeof made, "2,\"Zz Land %04d\",\"Place %06d\",3,0,0,0,0,0,0,0,0,0,0\r\n",
                  i / 100, i);
    out << made;
  }
  return dir.string();
}

class NoMessages final : public zw::IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

// A data directory with the supplied places and `count` daily events at one of them, each
// at its own minute of the day.
std::string MakeEventsDatabase(const std::string& home, int count) {
  const std::filesystem::path dir = std::filesystem::path(home) / "events";
  std::filesystem::create_directories(dir);
  const std::filesystem::path source(ZW_SOURCE_DATA_DIR);
  for (const char* name : {"TIME_ZON.DAT", "TIME_ZON.TZN"}) {
    std::filesystem::copy_file(source / name, dir / name);
  }
  zw::CLocationDB db;
  zw::CEventList list(db);
  for (int i = 0; i < count; ++i) {
    auto event = std::make_unique<zw::CEvent>();
    zw::CEvent::SetText(event->Fields().locationName, "London");
    zw::CEvent::SetText(event->Fields().locationCountry, "United Kingdom");
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:00", i / 60 % 24, i % 60);
    zw::CEvent::SetText(event->Fields().timeText, time);
    event->Fields().frequency = zw::kDaily;
    list.Add(std::move(event));
  }
  // The event file is saved by its bare name, into the working directory.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  zw::CPosixFileLayer files;
  NoMessages messages;
  list.Save(files, messages);
  std::filesystem::current_path(before);
  return dir.string();
}

// How each measured run finds zw's cache of place lines.
enum class Cache {
  kWarm,  // made by a run before the measured ones, as for every run but a data file's first
  kCold,  // removed before each run, so each one reads and checks the whole zone file
};

// Runs zw with `args` in a scratch home and reports the CPU time and peak memory of a run.
void MeasureZw(benchmark::State& state, const ScratchHome& home, std::vector<std::string> args,
               Cache cache = Cache::kWarm) {
  args.insert(args.begin(), ZW_PROGRAM_PATH);
  std::vector<std::string> env = {"HOME=" + home.Path(), "XDG_CONFIG_HOME=" + home.Path(),
                                  "XDG_CACHE_HOME=" + home.Path() + "/cache"};
  std::vector<char*> argv;
  for (std::string& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : env) {
    envp.push_back(entry.data());
  }
  envp.push_back(nullptr);

  const std::string cacheDir = home.Path() + "/cache";
  if (cache == Cache::kWarm && RunOnce(argv, envp).status != 0) {
    state.SkipWithError("zw did not succeed");
    return;
  }
  double cpu = 0;
  double peak = 0;
  for (auto _ : state) {
    if (cache == Cache::kCold) {
      std::filesystem::remove_all(cacheDir);
    }
    const RunCost cost = RunOnce(argv, envp);
    if (cost.status != 0) {
      state.SkipWithError("zw did not succeed");
      return;
    }
    cpu += cost.cpuMs;
    peak = std::max(peak, cost.peakMiB);
  }
  state.counters["cpu_ms"] = cpu / static_cast<double>(state.iterations());
  state.counters["peak_MiB"] = peak;
}

const std::vector<std::string> kTenPlaces = {
    "now",           "Tokyo",           "London, United Kingdom", "New York", "San Francisco",
    "Paris, France", "Berlin, Germany", "Sydney, Australia",      "Kolkata",  "Adelaide",
    "Lisbon"};

// What a user waits for: start, load the supplied world database and the settings, show ten
// clocks, exit.
void ZwNowTenLocations(benchmark::State& state) {
  ScratchHome home;
  std::vector<std::string> args = {"--data-dir", ZW_SOURCE_DATA_DIR};
  args.insert(args.end(), kTenPlaces.begin(), kTenPlaces.end());
  MeasureZw(state, home, args);
}
BENCHMARK(ZwNowTenLocations)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kLargeExtra = 250000 - 4613;

// The same ten clocks out of a 250,000-line database.
void ZwNowTenLocationsLarge(benchmark::State& state) {
  ScratchHome home;
  std::vector<std::string> args = {"--data-dir", MakeLargeDatabase(home.Path(), kLargeExtra)};
  args.insert(args.end(), kTenPlaces.begin(), kTenPlaces.end());
  MeasureZw(state, home, args);
}
BENCHMARK(ZwNowTenLocationsLarge)->Unit(benchmark::kMillisecond)->UseRealTime();

// The run that first meets a changed 250,000-line file: it reads and checks the whole file and
// makes the index the runs after it use.
void ZwNowTenLocationsLargeFirstRun(benchmark::State& state) {
  ScratchHome home;
  std::vector<std::string> args = {"--data-dir", MakeLargeDatabase(home.Path(), kLargeExtra)};
  args.insert(args.end(), kTenPlaces.begin(), kTenPlaces.end());
  MeasureZw(state, home, args, Cache::kCold);
}
BENCHMARK(ZwNowTenLocationsLargeFirstRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// Peak memory of a search that prints every made-up place of a 250,000-line database.
void ZwFindLarge(benchmark::State& state) {
  ScratchHome home;
  MeasureZw(state, home,
            {"--data-dir", MakeLargeDatabase(home.Path(), kLargeExtra), "find", "Place"},
            Cache::kCold);
}
BENCHMARK(ZwFindLarge)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Peak memory of a year of 5,000 daily events: 1,825,000 rows, as a table and as JSON. Rows
// are printed as they are made, so the peak stays that of a few days' listing.
void ZwEventsYear(benchmark::State& state, bool json) {
  ScratchHome home;
  std::vector<std::string> args = {"--data-dir", MakeEventsDatabase(home.Path(), 5000), "events",
                                   "--days", "365"};
  if (json) {
    args.push_back("--json");
  }
  MeasureZw(state, home, args, Cache::kCold);
}
BENCHMARK_CAPTURE(ZwEventsYear, table, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(ZwEventsYear, json, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
