// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "events/alarmactions.h"
#include "events/alarmmonitor.h"
#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "noactions.h"
#include "platform/messagesink.h"
#include "platform/posixfilelayer.h"

using namespace zw;
using zw::bench::NoActions;

namespace {

class NoMessages final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

// Twenty places with daylight saving, each with its events.
void FillLocations(CLocationDB& db) {
  for (int i = 0; i < 20; ++i) {
    auto loc = std::make_unique<CLocation>();
    loc->SetName("City " + std::to_string(i));
    loc->SetCountry("Country");
    loc->SetOffset(i - 10);
    loc->SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
    db.Insert(std::move(loc));
  }
}

std::unique_ptr<CEvent> RandomEvent(std::mt19937& rng) {
  auto alarm = std::make_unique<CEvent>();
  AlarmRecord& r = alarm->Fields();
  CEvent::SetText(r.locationName, "City " + std::to_string(rng() % 20));
  CEvent::SetText(r.locationCountry, "Country");
  const std::string time =
      std::to_string(10 + rng() % 14) + ":" + std::to_string(10 + rng() % 50) + ":00";
  CEvent::SetText(r.timeText, time);
  r.frequency = static_cast<std::int32_t>(rng() % 4);
  r.weekday = static_cast<std::int32_t>(1 + rng() % 7);
  r.monthDay = static_cast<std::int32_t>(1 + rng() % 31);
  r.annualMonth = static_cast<std::int32_t>(1 + rng() % 12);
  r.annualDay = static_cast<std::int32_t>(1 + rng() % 28);
  r.preNotifyMinutes = static_cast<std::int32_t>(rng() % 100);
  return alarm;
}

}  // namespace

// What every tick costs when nothing is due: the common case all day long.
static void BM_DueTest500Events(benchmark::State& state) {
  CLocationDB db;
  FillLocations(db);
  CEventList list(db);
  std::mt19937 rng(500);
  for (int i = 0; i < 500; ++i) {
    list.Add(RandomEvent(rng));
  }
  NoActions actions;
  NoMessages messages;
  CPosixFileLayer files;
  CAlarmMonitor monitor(list, actions, files, messages, nullptr);
  // Before every event's first due instant, so the whole list is walked each tick.
  CDateTime gmt(1999, 1, 1, 0, 0, 0);
  for (auto _ : state) {
    gmt += CDateSpan(0, 0, 0, 1);
    benchmark::DoNotOptimize(monitor.DueTest(gmt));
  }
}
BENCHMARK(BM_DueTest500Events)->Unit(benchmark::kMicrosecond);

// The schedule browser lists a daily event over 1,000 days by chaining occurrences.
static void BM_Enumerate1000DaysDaily(benchmark::State& state) {
  CLocationDB db;
  FillLocations(db);
  CEvent alarm;
  CEvent::SetText(alarm.Fields().locationName, "City 3");
  CEvent::SetText(alarm.Fields().locationCountry, "Country");
  CEvent::SetText(alarm.Fields().timeText, "07:30:00");
  alarm.Fields().preNotifyMinutes = 15;
  const CEventSchedule schedule(&alarm, db);
  const CDateTime from(2026, 1, 1, 0, 0, 0);
  const CDateTime to = from + CDateSpan(1000, 0, 0, 0);
  for (auto _ : state) {
    int count = 0;
    for (auto t = schedule.NextOccurrence(from); t && *t < to; t = schedule.NextOccurrence(*t)) {
      ++count;
    }
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_Enumerate1000DaysDaily)->Unit(benchmark::kMicrosecond);
