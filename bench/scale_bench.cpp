// SPDX-License-Identifier: GPL-3.0-or-later
// The clock at scale and on the second: memory per place, loading and showing a 250,000-line
// database, and when each tick lands against the wall clock. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "timecore/clocksource.h"
#include "timecore/now.h"
#include "ui/clock/clockwnd.h"
#include "ui/events/alarmservice.h"
#include "ui/locations/locationlistdlg.h"
#include "ui/locations/locationtree.h"
#include "ui/platform/qtalarmactions.h"
#include "ui/widgets/appcontext.h"
#include "ui/widgets/dialogpositions.h"

using namespace zw;

namespace {

constexpr std::size_t kBigDatabase = 250000;

class QuietMessages final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

// The real wall clock's pace, shifted so that its seconds begin `phaseMs` into the system's.
class PhasedClock final : public IClockSource {
 public:
  explicit PhasedClock(int phaseMs) : m_shiftMs(-phaseMs) {}
  std::int64_t UtcSeconds() const override {
    return std::chrono::floor<std::chrono::seconds>(std::chrono::milliseconds(UtcMilliseconds()))
        .count();
  }
  std::int64_t UtcMilliseconds() const override { return m_system.UtcMilliseconds() + m_shiftMs; }

 private:
  class System final : public IClockSource {
   public:
    std::int64_t UtcSeconds() const override { return UtcMilliseconds() / 1000; }
    std::int64_t UtcMilliseconds() const override {
      return std::chrono::duration_cast<std::chrono::milliseconds>(
                 std::chrono::system_clock::now().time_since_epoch())
          .count();
    }
  } m_system;
  std::int64_t m_shiftMs;
};

std::string TempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zwbench-XXXXXX").string();
  const char* made = ::mkdtemp(pattern.data());
  return made != nullptr ? made : "/tmp";
}

std::string RandomName(std::mt19937& rng) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::string s(5 + rng() % 12, ' ');
  for (char& c : s) {
    c = kLetters[rng() % (sizeof(kLetters) - 1)];
  }
  return s;
}

// A database shaped like the supplied one, grown to `count` places over ~240 countries.
void Fill(CLocationDB& db, std::size_t count) {
  std::mt19937 rng(42);
  std::vector<std::string> countries;
  for (int i = 0; i < 240; ++i) {
    countries.push_back(RandomName(rng));
  }
  for (std::size_t i = 0; i < count; ++i) {
    auto loc = std::make_unique<CLocation>();
    loc->SetType(i % 20 == 0 ? CLocation::kAreaCode : CLocation::kCity);
    loc->SetCountry(countries[rng() % countries.size()]);
    loc->SetName(RandomName(rng));
    loc->SetOffset(static_cast<int>(rng() % 25) - 12);
    loc->SetDstRule(1, 1, 0, 3, 2, 0, 0, 10, 2);
    db.Insert(std::move(loc));
  }
}

// A directory holding a 250,000-line TIME_ZON.DAT, written once per run.
struct BigFiles {
  BigFiles() : dir(TempDirectory()) {
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    CLocationDB db;
    Fill(db, kBigDatabase);
    db.Save(files, messages);
    std::filesystem::current_path(cwd);
  }
  ~BigFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  std::string dir;
  CPosixFileLayer files;
  QuietMessages messages;
};

BigFiles& Big() {
  static BigFiles files;
  return files;
}

// What the program holds while it shows the clock: the database with ten clock lines, the
// settings and the alarm service.
struct Program {
  Program() : store(files, Big().dir + "/SETTINGS") {
    std::filesystem::current_path(Big().dir);
    settings.Values().hideWelcome = true;
  }
  void LoadWithClock() {
    db.Load(files, messages);
    for (std::size_t i = 0; i < 10 && i < db.Count(); ++i) {
      db.AddToClock(db.At(i * 997));
    }
  }
  CPosixFileLayer files;
  CFileSettingsStore store;
  QuietMessages messages;
  CQtAlarmActions actions;
  CClockSettings settings;
  CLocationDB db;
  CDialogPositions positions;
  CAlarmService alarms{settings, db, files, messages, actions};
  AppContext context{db, settings, store, files, messages, alarms, positions};
};

double HeapBytes() {
  return static_cast<double>(::mallinfo2().uordblks);
}

// The wall time of one measured stretch, and beside it the CPU time the measuring thread spent
// in it: on a shared machine the wall time also holds other programs' turns.
class Stopwatch {
 public:
  Stopwatch() : m_cpuStart(ThreadCpuMs()) { m_wall.start(); }
  void Stop(benchmark::State& state) {
    state.SetIterationTime(static_cast<double>(m_wall.nsecsElapsed()) / 1e9);
    const double cpu = ThreadCpuMs() - m_cpuStart;
    const auto found = state.counters.find("cpu_ms");
    const double before = found != state.counters.end() ? found->second.value : 0.0;
    state.counters["cpu_ms"] = benchmark::Counter(before + cpu, benchmark::Counter::kAvgIterations);
  }

 private:
  static double ThreadCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }

  QElapsedTimer m_wall;
  double m_cpuStart;
};

}  // namespace

// Heap and object bytes each place of a 250,000-line database takes once loaded.
static void BM_BytesPerPlace(benchmark::State& state) {
  for (auto _ : state) {
    Program p;
    const double before = HeapBytes();
    p.db.Load(p.files, p.messages);
    const double after = HeapBytes();
    state.counters["places"] = static_cast<double>(p.db.Count());
    state.counters["bytes_per_place"] = (after - before) / static_cast<double>(p.db.Count());
    state.counters["sizeof_CLocation"] = static_cast<double>(sizeof(CLocation));
    state.counters["shared_rules"] = static_cast<double>(p.db.SharedRuleCount());
  }
}
BENCHMARK(BM_BytesPerPlace)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_Load250k(benchmark::State& state) {
  Big();
  for (auto _ : state) {
    Program p;
    Stopwatch timer;
    p.db.Load(p.files, p.messages);
    timer.Stop(state);
    state.counters["places"] = static_cast<double>(p.db.Count());
  }
}
BENCHMARK(BM_Load250k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// From an empty program to the first painted clock window over the 250,000-line database.
static void BM_FirstClockWindow250k(benchmark::State& state) {
  Big();
  for (auto _ : state) {
    Program p;
    Stopwatch timer;
    p.LoadWithClock();
    CClockWnd wnd(ClockServices{p.settings, p.store, p.db});
    wnd.show();
    wnd.repaint();
    timer.Stop(state);
  }
}
BENCHMARK(BM_FirstClockWindow250k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// From the command to the painted Location List, in its Country/City view.
static void BM_LocationListOpen250k(benchmark::State& state) {
  Big();
  for (auto _ : state) {
    Program p;
    p.LoadWithClock();
    Stopwatch timer;
    CLocationListDlg dialog(p.context, nullptr, [] {});
    dialog.show();
    dialog.repaint();
    timer.Stop(state);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmRSS:", 0) == 0) {
        state.counters["rss_MiB"] = static_cast<double>(std::stol(line.substr(6))) / 1024.0;
      }
    }
  }
}
BENCHMARK(BM_LocationListOpen250k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// From choosing the flat City view in an open Location List to its painted list.
static void BM_LocationListCityView250k(benchmark::State& state) {
  Big();
  for (auto _ : state) {
    Program p;
    p.LoadWithClock();
    CLocationListDlg dialog(p.context, nullptr, [] {});
    dialog.show();
    dialog.repaint();
    Stopwatch timer;
    dialog.ViewBox()->setCurrentIndex(CLocationTree::kCity);
    dialog.repaint();
    timer.Stop(state);
  }
}
BENCHMARK(BM_LocationListCityView250k)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The real timer against a wall clock whose seconds begin at the chosen phase: how late after
// each boundary the clock's texts turn, and how often the clock's thread wakes once it ticks
// (the window's start-up events aside).
static void BM_TickPhase(benchmark::State& state) {
  const char* env = std::getenv("ZW_BENCH_TICK_SECONDS");
  const int seconds = env != nullptr ? std::max(2, std::atoi(env)) : 15;
  for (auto _ : state) {
    PhasedClock clock(static_cast<int>(state.range(0)));
    CNow::SetSource(&clock);
    {
      CClockSettings settings;
      CPosixFileLayer files;
      const std::string dir = TempDirectory();
      CFileSettingsStore store(files, dir + "/SETTINGS");
      CLocationDB db;
      for (int i = 0; i < 10; ++i) {
        auto loc = std::make_unique<CLocation>();
        loc->SetName("City number " + std::to_string(i));
        loc->SetOffset(i - 5);
        db.AddToClock(db.At(db.Insert(std::move(loc))));
      }
      CClockWnd wnd(ClockServices{settings, store, db});
      wnd.show();
      QCoreApplication::processEvents();
      std::vector<double> lags;
      // Each return of the event loop from its wait is one wake-up of the clock's thread. They
      // are counted from the first tick to the last, so that neither the window's start nor the
      // wake-up that ends the run is taken for the clock's.
      long wakeups = 0;
      long wakeupsTicking = 0;
      double ticking = 0;
      QElapsedTimer sinceFirstTick;
      QObject::connect(&wnd, &CClockWnd::ticked, [&] {
        wnd.repaint();
        lags.push_back(static_cast<double>(CNow::UtcMilliseconds() % 1000));
        if (!sinceFirstTick.isValid()) {
          sinceFirstTick.start();
          wakeups = 0;
          return;
        }
        wakeupsTicking = wakeups;
        ticking = static_cast<double>(sinceFirstTick.elapsed()) / 1000.0;
      });
      QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, &wnd,
                       [&wakeups] { ++wakeups; });
      QElapsedTimer wall;
      wall.start();
      QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
      QApplication::exec();
      state.SetIterationTime(static_cast<double>(wall.elapsed()) / 1000.0);
      std::sort(lags.begin(), lags.end());
      const auto at = [&lags](double q) {
        return lags.empty()
                   ? -1.0
                   : lags[static_cast<std::size_t>(q * static_cast<double>(lags.size() - 1))];
      };
      state.counters["ticks"] = static_cast<double>(lags.size());
      state.counters["lag_p50_ms"] = at(0.5);
      state.counters["lag_p99_ms"] = at(0.99);
      state.counters["lag_max_ms"] = at(1.0);
      state.counters["wakeups_per_s"] =
          ticking > 0 ? static_cast<double>(wakeupsTicking) / ticking : -1.0;
      std::error_code ignored;
      std::filesystem::remove_all(dir, ignored);
    }
    CNow::SetSource(nullptr);
  }
}
BENCHMARK(BM_TickPhase)
    ->Arg(0)
    ->Arg(250)
    ->Arg(731)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
