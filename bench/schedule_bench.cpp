// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule browser with a hundred daily events over 999 following days: 100,000 rows.
// Filling the list should stay under 300 ms and a header click's sort under 150 ms. Runs on
// Qt's offscreen platform; the times include the view's repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QSpinBox>
#include <QTreeView>
#include <memory>
#include <string>

#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "noactions.h"
#include "platform/filelayer.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "settings/settingsstore.h"
#include "timecore/clocksource.h"
#include "timecore/now.h"
#include "ui/events/alarmservice.h"
#include "ui/events/scheduledlg.h"
#include "ui/events/schedulemodel.h"
#include "ui/widgets/appcontext.h"
#include "ui/widgets/dialogpositions.h"

using namespace zw;
using zw::bench::NoActions;

namespace {

constexpr int kEvents = 100;
constexpr int kDays = 999;

// Midnight, so every event still has today's occurrence to come: exactly 1000 per event.
class FixedClock final : public IClockSource {
 public:
  std::int64_t UtcSeconds() const override { return CDateTime(2026, 1, 14, 0, 0, 0).Seconds(); }
};

// No notes file and no settings reach the disk.
class NoFiles final : public IFileLayer {
 public:
  ReadResult Read(const std::string&, std::size_t) override {
    return ReadResult{FileStage::kOpen, FileCause::kFileNotFound, {}, false};
  }
  FileError Write(const std::string&, std::span<const std::uint8_t>) override { return {}; }
  FileError Append(const std::string&, std::span<const std::uint8_t>) override { return {}; }
  FileCause Rename(const std::string&, const std::string&) override { return FileCause::kNone; }
  FileCause Remove(const std::string&) override { return FileCause::kNone; }
  bool Exists(const std::string&) override { return false; }
  FileCause MakeDirectories(const std::string&) override { return FileCause::kNone; }
};

class NoStore final : public ISettingsStore {
 public:
  std::optional<std::vector<std::uint8_t>> Read(const std::string&, std::size_t) override {
    return std::nullopt;
  }
  bool Write(const std::string&, std::span<const std::uint8_t>) override { return true; }
};

class NoMessages final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

struct Browser {
  Browser() {
    CNow::SetSource(&clock);
    for (int i = 0; i < 5; ++i) {
      auto location = std::make_unique<CLocation>();
      location->SetName("City " + std::to_string(i));
      location->SetCountry("Country");
      location->SetOffset(i * 2 - 4);
      location->SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
      db.Insert(std::move(location));
    }
    for (int i = 0; i < kEvents; ++i) {
      auto alarm = std::make_unique<CEvent>();
      AlarmRecord& r = alarm->Fields();
      CEvent::SetText(r.name, "Event " + std::to_string(kEvents - i));
      CEvent::SetText(r.locationName, "City 2");
      CEvent::SetText(r.locationCountry, "Country");
      const int minutes = 60 + i * 7;
      std::string time = std::to_string(100 + minutes / 60).substr(1);
      time.append(":").append(std::to_string(100 + minutes % 60).substr(1)).append(":00");
      CEvent::SetText(r.timeText, time);
      r.frequency = kDaily;
      r.preNotifyMinutes = i % 3;
      alarms.Events().Add(std::move(alarm));
    }
    settings.Values().scheduleDays = kDays;
    dialog = std::make_unique<CScheduleDlg>(context);
    dialog->resize(900, 700);
    dialog->show();
    QApplication::processEvents();
  }
  ~Browser() {
    dialog.reset();
    CNow::SetSource(nullptr);
  }

  FixedClock clock;
  NoFiles files;
  NoStore store;
  NoMessages messages;
  CClockSettings settings;
  CLocationDB db;
  NoActions actions;
  CAlarmService alarms{settings, db, files, messages, actions};
  CDialogPositions positions;
  AppContext context{db, settings, store, files, messages, alarms, positions};
  std::unique_ptr<CScheduleDlg> dialog;
};

void BM_FillScheduleList(benchmark::State& state) {
  Browser browser;
  for (auto _ : state) {
    browser.dialog->RebuildEventList();
    QApplication::processEvents();
  }
  state.counters["rows"] = browser.dialog->Model()->rowCount();
}
BENCHMARK(BM_FillScheduleList)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// Alternates the two columns whose keys differ most, so every click really reorders.
void BM_SortByHeaderClick(benchmark::State& state) {
  Browser browser;
  QHeaderView* header = browser.dialog->List()->header();
  browser.dialog->List()->setCurrentIndex(browser.dialog->Model()->index(50000, 0));
  int column = 1;
  for (auto _ : state) {
    emit header->sectionClicked(column);
    QApplication::processEvents();
    column = 1 - column;
  }
  state.counters["rows"] = browser.dialog->Model()->rowCount();
}
BENCHMARK(BM_SortByHeaderClick)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
