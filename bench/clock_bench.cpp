// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window's costs: one tick, the way from start to a painted clock, the CPU it takes
// while idle, and the memory it holds. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "timecore/clocksource.h"
#include "timecore/now.h"
#include "ui/clock/clockwnd.h"
#include "ui/platform/qtalarmactions.h"

using namespace zw;

namespace {

class QuietMessages final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

class SteppingClock final : public IClockSource {
 public:
  std::int64_t UtcSeconds() const override { return m_seconds; }
  void Advance() { ++m_seconds; }

 private:
  std::int64_t m_seconds = CDateTime(2026, 12, 8, 10, 0, 0).Seconds();
};

std::string TempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zwbench-XXXXXX").string();
  const char* made = ::mkdtemp(pattern.data());
  return made != nullptr ? made : "/tmp";
}

// Ten lines on the clock, as many as it shows.
struct Clock {
  Clock() : dir(TempDirectory()), store(files, dir + "/SETTINGS") {
    for (int i = 0; i < 10; ++i) {
      auto loc = std::make_unique<CLocation>();
      loc->SetName("City number " + std::to_string(i));
      loc->SetCountry("Country");
      loc->SetOffset(i - 5);
      loc->SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
      db.Insert(std::move(loc));
      settings.Values().clockSlots[i].place =
          PlaceName{"City number " + std::to_string(i), "Country"};
    }
    settings.Values().hideWelcome = true;
    std::filesystem::current_path(dir);
  }
  ~Clock() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  std::string dir;
  CPosixFileLayer files;
  CFileSettingsStore store;
  QuietMessages messages;
  CQtAlarmActions actions;
  CClockSettings settings;
  CLocationDB db;
};

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) {
      return std::stol(line.substr(6));
    }
  }
  return 0;
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

static void BM_TickTenLocations(benchmark::State& state) {
  SteppingClock source;
  CNow::SetSource(&source);
  Clock c;
  CClockWnd wnd(ClockServices{c.settings, c.store, c.db});
  wnd.show();
  QCoreApplication::processEvents();
  wnd.repaint();
  for (auto _ : state) {
    source.Advance();
    wnd.Tick();
    // The repaint of the changed cells follows in the event loop; it is not part of a tick.
    state.PauseTiming();
    wnd.repaint();
    state.ResumeTiming();
  }
  state.counters["lines"] = static_cast<double>(c.db.ClockCount());
  state.counters["cells_per_tick"] = static_cast<double>(wnd.LastInvalidated().size());
  CNow::SetSource(nullptr);
}
BENCHMARK(BM_TickTenLocations)->Unit(benchmark::kMicrosecond);

// The same with ten places that follow tz database zones, both hemispheres and quarter hours.
static void BM_TickTenZoneLocations(benchmark::State& state) {
  SteppingClock source;
  CNow::SetSource(&source);
  Clock c;
  const char* zones[] = {"Asia/Tokyo",          "Europe/London",      "America/New_York",
                         "America/Los_Angeles", "Europe/Paris",       "Australia/Sydney",
                         "Asia/Kathmandu",      "Australia/Adelaide", "America/St_Johns",
                         "Pacific/Chatham"};
  for (std::size_t i = 0; i < c.db.Count(); ++i) {
    c.db.At(i)->SetTzZone(c.db.TzZones().Find(zones[i % std::size(zones)]));
    c.db.At(i)->SetFollowsTz(true);
  }
  CClockWnd wnd(ClockServices{c.settings, c.store, c.db});
  wnd.show();
  QCoreApplication::processEvents();
  wnd.repaint();
  for (auto _ : state) {
    source.Advance();
    wnd.Tick();
    state.PauseTiming();
    wnd.repaint();
    state.ResumeTiming();
  }
  state.counters["lines"] = static_cast<double>(c.db.ClockCount());
  state.counters["tz_lines"] = c.db.ClockAt(0)->Zone().Tz() != nullptr ? 10 : 0;
  CNow::SetSource(nullptr);
}
BENCHMARK(BM_TickTenZoneLocations)->Unit(benchmark::kMicrosecond);

// Loading the supplied database, building the clock and painting it the first time.
static void BM_LoadToFirstPaint(benchmark::State& state) {
  const std::string zones = std::string(ZW_SOURCE_DATA_DIR) + "/TIME_ZON.DAT";
  if (!std::filesystem::exists(zones)) {
    state.SkipWithError("no supplied TIME_ZON.DAT");
    return;
  }
  for (auto _ : state) {
    Clock c;
    std::filesystem::copy_file(zones, c.dir + "/TIME_ZON.DAT");
    c.db.Destroy();
    QElapsedTimer timer;
    timer.start();
    c.db.Load(c.files, c.messages);
    CClockWnd wnd(ClockServices{c.settings, c.store, c.db});
    wnd.show();
    wnd.repaint();
    state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    state.counters["locations"] = static_cast<double>(c.db.Count());
    state.counters["rss_MB"] = static_cast<double>(ResidentKilobytes()) / 1024.0;
  }
}
BENCHMARK(BM_LoadToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Runs the event loop for `ms`.
static void RunEventLoopFor(int ms) {
  QTimer::singleShot(ms, qApp, &QCoreApplication::quit);
  QApplication::exec();
}

// Idle: ten lines with seconds, the real timer, no other work, once the window has shown and
// painted. ZW_BENCH_IDLE_SECONDS sets how long to watch (60 for the figure that counts; 20 by
// default to keep the run short).
static void BM_IdleCpu(benchmark::State& state) {
  const char* env = std::getenv("ZW_BENCH_IDLE_SECONDS");
  const int seconds = env != nullptr ? std::max(1, std::atoi(env)) : 20;
  for (auto _ : state) {
    Clock c;
    CClockWnd wnd(ClockServices{c.settings, c.store, c.db});
    wnd.show();
    RunEventLoopFor(1500);
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunEventLoopFor(seconds * 1000);
    const double cpu = CpuSeconds() - cpuBefore;
    state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) / 1e9);
    state.counters["cpu_percent"] = 100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0);
    state.counters["rss_MB"] = static_cast<double>(ResidentKilobytes()) / 1024.0;
  }
}
BENCHMARK(BM_IdleCpu)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QElapsedTimer startup;
  startup.start();
  QApplication app(argc, argv);
  std::printf("QApplication start-up: %.1f ms\n",
              static_cast<double>(startup.nsecsElapsed()) / 1e6);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
