// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/missedevents.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "events/event.h"
#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"

using namespace zw;

namespace {

const CDateTime kStart(2027, 3, 14, 0, 0, 0);

// Whether an event occurs at this wall-clock minute, read straight off its record.
bool OccursAt(const CEvent& alarm, const CDateTime& local) {
  const AlarmRecord& r = alarm.Fields();
  const std::string time = alarm.TimeText();
  if (std::stoi(time.substr(0, 2)) != local.Hour() ||
      std::stoi(time.substr(3, 2)) != local.Minute() || local.Second() != 0) {
    return false;
  }
  const std::int64_t days =
      (CDateTime(local.Year(), local.Month(), local.Day(), 0, 0, 0) - kStart).TotalSeconds() /
      86400;
  if (alarm.Repeat() == RepeatKind::kEveryNDays) {
    return days >= 0 && days % alarm.Extras().interval == 0;
  }
  switch (r.frequency) {
    case kDaily:
      return true;
    case kWeekly:
      return local.DayOfWeek() == r.weekday;
    case kMonthly:
      return local.Day() == r.monthDay;
    case kAnnual:
      return local.Month() == r.annualMonth && local.Day() == r.annualDay;
    default:
      return days == 0;
  }
}

}  // namespace

// Every kind of repeat with every choice, over gaps from none to over a month, in a place
// three and a half hours behind GMT: found exactly as a minute-by-minute walk over the gap
// finds them (the latest ones, past the limit kept). The latest occurrence of an event carries
// its choice and the earlier ones ride on it.
TEST(MissedEventsTest, FindsWhatAWalkOverTheGapFinds) {
  test::FakeClock clock{2027, 3, 1, 0, 0, 0};
  CLocationDB db;
  auto place = std::make_unique<CLocation>();
  place->SetName("Harbour");
  place->SetOffsetMinutes(-210);
  db.Insert(std::move(place));
  CEventList list(db);
  EventExtras every3;
  every3.kind = RepeatKind::kEveryNDays;
  every3.interval = 3;
  struct Kind {
    int frequency;
    const char* time;
    int preNotify;
    EventExtras extras;
  };
  for (const MissedChoice choice :
       {MissedChoice::kRunLate, MissedChoice::kSkip, MissedChoice::kAsk}) {
    for (const Kind& k : {Kind{kDaily, "09:30:00", 0, {}}, Kind{kDaily, "23:50:00", 15, {}},
                          Kind{kWeekly, "00:10:00", 0, {}}, Kind{kMonthly, "12:00:00", 0, {}},
                          Kind{kAnnual, "18:45:00", 0, {}}, Kind{kOneTime, "07:00:00", 0, {}},
                          Kind{kDaily, "06:15:00", 0, every3}}) {
      auto alarm = std::make_unique<CEvent>();
      AlarmRecord& r = alarm->Fields();
      CEvent::SetText(r.name, "E" + std::to_string(list.GetCount()));
      CEvent::SetText(r.locationName, "Harbour");
      CEvent::SetText(r.timeText, k.time);
      CEvent::SetText(r.dateText, "03/14/2027");
      std::tie(r.frequency, r.weekday, r.monthDay, r.annualMonth, r.annualDay, r.preNotifyMinutes) =
          std::tuple(k.frequency, 3, 31, 3, 20, k.preNotify);
      alarm->SetExtras(k.extras);
      alarm->SetMissed(choice);
      list.Add(std::move(alarm));
    }
  }
  const CDateTime lastSeen(2027, 3, 13, 20, 0, 0);
  const CZone zone = db.At(0)->Zone();
  const CDateSpan minute(0, 0, 1, 0);
  for (const int gap : {0, 119, 125, 13 * 60, 26 * 60, 4 * 1440, 19 * 1440, 45 * 1440}) {
    SCOPED_TRACE(gap);
    const CDateTime now = lastSeen + CDateSpan(0, 0, gap, 0);
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
      list.GetSchedule(i)->Reschedule(zone.ToLocal(lastSeen));
    }
    const std::vector<MissedOccurrence> found = CMissedEvents::Find(list, lastSeen, now);
    EXPECT_TRUE(std::ranges::is_sorted(found, {}, &MissedOccurrence::gmt));
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
      const CEvent& alarm = *list.GetAlarm(i);
      const CDateSpan preNotify(0, 0, alarm.Fields().preNotifyMinutes, 0);
      std::vector<std::int64_t> walked;
      for (CDateTime t = lastSeen + minute; t <= CMissedEvents::LateLimit(now); t += minute) {
        if (OccursAt(alarm, zone.ToLocal(t) + preNotify)) {
          walked.push_back(t.Seconds());
        }
      }
      const std::size_t kept = std::min(walked.size(), CMissedEvents::kMaxPerEvent);
      walked.erase(walked.begin(), walked.end() - static_cast<std::ptrdiff_t>(kept));
      std::vector<std::int64_t> got;
      std::vector<MissedAction> actions;
      for (const MissedOccurrence& m : found) {
        if (m.alarm->Name() == alarm.Name()) {
          got.push_back(m.gmt.Seconds());
          actions.push_back(m.action);
          EXPECT_EQ(m.at, zone.ToLocal(m.gmt) + preNotify);
        }
      }
      ASSERT_EQ(got, walked) << alarm.Name();
      if (actions.empty()) {
        continue;
      }
      const MissedChoice c = alarm.Missed();
      const bool skip = c == MissedChoice::kSkip;
      EXPECT_EQ(actions.back(), skip                      ? MissedAction::kSkip
                                : c == MissedChoice::kAsk ? MissedAction::kAsk
                                                          : MissedAction::kRunLate);
      EXPECT_EQ(std::count(actions.begin(), actions.end() - 1,
                           skip ? MissedAction::kSkip : MissedAction::kCovered),
                std::ssize(actions) - 1);
    }
  }
}
