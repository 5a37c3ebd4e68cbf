#include "events/missedevents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "events/alarmmonitor.h"
#include "events/event.h"
#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

constexpr int kDay = 86400;

// A place three and a half hours behind GMT, so a local day straddles two GMT days.
class MissedTest : public ::testing::Test {
 protected:
  MissedTest() {
    auto place = std::make_unique<CLocation>();
    place->SetName("Harbour");
    place->SetCountry("Nowhere");
    place->SetOffsetMinutes(-210);
    m_db.Insert(std::move(place));
  }

  CEvent& Add(int frequency, const char* time, MissedChoice choice, int preNotify = 0) {
    auto alarm = std::make_unique<CEvent>();
    AlarmRecord& r = alarm->Fields();
    CEvent::SetText(r.name, "E" + std::to_string(m_list.GetCount()));
    CEvent::SetText(r.locationName, "Harbour");
    CEvent::SetText(r.locationCountry, "Nowhere");
    CEvent::SetText(r.timeText, time);
    CEvent::SetText(r.dateText, "03/14/2027");
    r.frequency = frequency;
    r.weekday = 3;
    r.monthDay = 31;
    r.annualMonth = 3;
    r.annualDay = 20;
    r.preNotifyMinutes = preNotify;
    alarm->SetMissed(choice);
    CEvent& ref = *alarm;
    m_list.Add(std::move(alarm));
    return ref;
  }

  // Whether an event occurs at this wall-clock minute, read straight off its record.
  static bool OccursAt(const CEvent& alarm, const CDateTime& local) {
    const AlarmRecord& r = alarm.Fields();
    const std::string time = alarm.TimeText();
    if (std::stoi(time.substr(0, 2)) != local.Hour() ||
        std::stoi(time.substr(3, 2)) != local.Minute() || local.Second() != 0) {
      return false;
    }
    const CDateTime start(2027, 3, 14, 0, 0, 0);
    const std::int64_t days =
        (CDateTime(local.Year(), local.Month(), local.Day(), 0, 0, 0).Seconds() - start.Seconds()) /
        kDay;
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

  test::FakeClock m_clock{2027, 3, 1, 0, 0, 0};
  CLocationDB m_db;
  CEventList m_list{m_db};
};

}  // namespace

// Every kind of repeat, every choice, gaps from none to over a month, found exactly as a
// minute-by-minute walk over the gap finds them (the latest of them, past the limit kept); the
// latest occurrence of an event carries its choice and the earlier ones ride on it.
TEST_F(MissedTest, FindsWhatAWalkOverTheGapFinds) {
  const MissedChoice choices[] = {MissedChoice::kRunLate, MissedChoice::kSkip, MissedChoice::kAsk};
  for (const MissedChoice choice : choices) {
    Add(kDaily, "09:30:00", choice);
    Add(kDaily, "23:50:00", choice, 15);
    Add(kWeekly, "00:10:00", choice);
    Add(kMonthly, "12:00:00", choice);
    Add(kAnnual, "18:45:00", choice);
    Add(kOneTime, "07:00:00", choice);
    EventExtras every3;
    every3.kind = RepeatKind::kEveryNDays;
    every3.interval = 3;
    Add(kDaily, "06:15:00", choice).SetExtras(every3);
  }
  const CDateTime lastSeen(2027, 3, 13, 20, 0, 0);
  const CZone zone = m_db.At(0)->Zone();
  for (const int gapMinutes : {0, 119, 125, 13 * 60, 26 * 60, 4 * 1440, 19 * 1440, 45 * 1440}) {
    SCOPED_TRACE(gapMinutes);
    const CDateTime now = lastSeen + CDateSpan(0, 0, gapMinutes, 0);
    for (std::size_t i = 0; i < m_list.GetCount(); ++i) {
      m_list.GetSchedule(i)->Reschedule(zone.ToLocal(lastSeen));
    }
    const std::vector<MissedOccurrence> found = CMissedEvents::Find(m_list, lastSeen, now);
    for (std::size_t i = 0; i < m_list.GetCount(); ++i) {
      const CEvent& alarm = *m_list.GetAlarm(i);
      const CDateSpan preNotify(0, 0, alarm.Fields().preNotifyMinutes, 0);
      std::vector<std::int64_t> walked;
      for (CDateTime t = lastSeen + CDateSpan(0, 0, 1, 0); t <= CMissedEvents::LateLimit(now);
           t += CDateSpan(0, 0, 1, 0)) {
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
      const MissedAction last = c == MissedChoice::kSkip  ? MissedAction::kSkip
                                : c == MissedChoice::kAsk ? MissedAction::kAsk
                                                          : MissedAction::kRunLate;
      EXPECT_EQ(actions.back(), last);
      const MissedAction earlier =
          c == MissedChoice::kSkip ? MissedAction::kSkip : MissedAction::kCovered;
      EXPECT_EQ(std::count(actions.begin(), actions.end() - 1, earlier), std::ssize(actions) - 1);
    }
    EXPECT_TRUE(std::ranges::is_sorted(found, {}, &MissedOccurrence::gmt));
  }
}

// Years away: only the latest of each event are kept, and an event told by an earlier version
// not to notify of missed alarms skips, whatever its extras say. Without an instant last seen
// the event's own saved due instant bounds the search.
TEST_F(MissedTest, LongAbsencesAndOlderRecordsStayBounded) {
  CEvent& daily = Add(kDaily, "09:30:00", MissedChoice::kAsk);
  daily.Fields().notifyMissed = 0;
  const CDateTime now(2030, 1, 1, 0, 0, 0);
  m_list.GetSchedule(0)->SetNext(2027, 3, 14, 9, 30, 0);
  std::vector<MissedOccurrence> found = CMissedEvents::Find(m_list, std::nullopt, now);
  ASSERT_EQ(found.size(), CMissedEvents::kMaxPerEvent);
  EXPECT_EQ(found.back().at, CDateTime(2029, 12, 31, 9, 30, 0));
  EXPECT_TRUE(std::ranges::all_of(
      found, [](const MissedOccurrence& m) { return m.action == MissedAction::kSkip; }));

  m_list.GetSchedule(0)->SetNext(2029, 12, 31, 9, 30, 0);
  EXPECT_EQ(CMissedEvents::Find(m_list, std::nullopt, now).size(), 1u);
  daily.SetOff(true);
  EXPECT_TRUE(CMissedEvents::Find(m_list, std::nullopt, now).empty());
}

// Taking missed occurrences off the schedules: those to run late run once without a box, a
// past one-time event goes, and an occurrence still inside the late limit fires on time.
TEST_F(MissedTest, TakenOccurrencesRaiseNoBoxes) {
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  test::FaultyFileLayer files;
  test::RecordingSink messages;
  test::RecordingActions actions;
  CAlarmMonitor monitor(m_list, actions, files, messages, nullptr);
  for (const MissedChoice choice : {MissedChoice::kRunLate, MissedChoice::kSkip}) {
    CEvent& alarm = Add(kDaily, "09:30:00", choice);
    alarm.Fields().runProgram = 1;
    CEvent::SetText(alarm.Fields().programCommand, choice == MissedChoice::kSkip ? "no" : "yes");
  }
  Add(kOneTime, "07:00:00", MissedChoice::kAsk).Fields().showMessage = 1;
  Add(kDaily, "13:29:00", MissedChoice::kRunLate).Fields().showMessage = 1;
  const CDateTime lastSeen(2027, 3, 13, 20, 0, 0);
  const CDateTime now(2027, 3, 16, 17, 0, 0);  // 13:30 at the place
  for (std::size_t i = 0; i < m_list.GetCount(); ++i) {
    m_list.GetSchedule(i)->Reschedule(m_db.At(0)->Zone().ToLocal(lastSeen));
  }
  EXPECT_EQ(monitor.TakeMissed(lastSeen, now).size(), 3u + 3u + 1u + 2u);
  ASSERT_EQ(m_list.GetCount(), 3u);
  std::vector<std::string> started;
  for (const auto& call : actions.Calls()) {
    if (call.what == "start") {
      started.push_back(call.text);
    }
  }
  EXPECT_EQ(started, std::vector<std::string>{"yes"});
  CEventSchedule* due = monitor.DueTest(now);
  ASSERT_NE(due, nullptr);
  EXPECT_EQ(due->Alarm()->TimeText(), "13:29:00");
  EXPECT_FALSE(due->IsLate());
  EXPECT_TRUE(monitor.TakeMissed(now, now + CDateSpan(0, 0, 1, 0)).empty());
}

// The instant last seen survives a save; what is not an instant reads as none, and a file too
// large to be ours is never replaced.
TEST(LastSeenFileTest, KeepsOnlyWhatItCanRead) {
  test::TempDir dir;
  const std::string path = dir.Path() + "/" + std::string(CLastSeenFile::kFileName);
  CLastSeenFile file(path);
  EXPECT_FALSE(file.Load());
  ASSERT_TRUE(file.Save(CDateTime(2027, 3, 13, 20, 0, 0)));
  EXPECT_EQ(CLastSeenFile(path).Load(), CDateTime(2027, 3, 13, 20, 0, 0));
  for (const char* text : {"", "x", "-5", "12 ", "99999999999", "1e9"}) {
    std::ofstream(path) << text << '\n';
    EXPECT_FALSE(CLastSeenFile(path).Load()) << text;
  }
  std::ofstream(path) << std::string(CLastSeenFile::kMaxBytes + 1, '1');
  CLastSeenFile large(path);
  EXPECT_FALSE(large.Load());
  EXPECT_FALSE(large.Save(CDateTime(2027, 3, 13, 20, 0, 0)));
}

// The choice rides in bits of its own: every choice with every repeat reads back as written.
TEST(MissedChoiceTest, SharesTheReservedWordWithoutTouchingTheRepeat) {
  for (const int kind : {0, 1, 2, 3}) {
    for (const int choice : {0, 1, 2}) {
      EventExtras x;
      x.off = true;
      x.kind = static_cast<RepeatKind>(kind);
      x.interval = 255;
      x.weekdays = EventExtras::kWeekdayBits;
      x.ordinal = EventExtras::kLastOrdinal;
      x.missed = static_cast<MissedChoice>(choice);
      const std::int32_t foreign = static_cast<std::int32_t>(0x7F800000);
      const std::int32_t word = x.PackInto(foreign);
      EXPECT_EQ(EventExtras::Unpack(word), x);
      EXPECT_EQ(word & foreign, foreign);
    }
  }
  EXPECT_EQ(EventExtras::Unpack(3 << 21).missed, MissedChoice::kRunLate);
}
