// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/alarmmonitor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "events/eventlist.h"
#include "events/snoozefile.h"
#include "locations/locationdb.h"
#include "settings/smallfile.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

using Strings = std::vector<std::string>;

class AlarmMonitorTest : public ::testing::Test {
 protected:
  AlarmMonitorTest() {
    // Berlin-like: GMT+1, daylight saving from the last Sunday of March at 2:00 to the last
    // Sunday of October at 3:00 daylight time.
    auto loc = std::make_unique<CLocation>();
    loc->SetName("Berlin");
    loc->SetCountry("Germany");
    loc->SetOffset(1);
    loc->SetDstRule(1, 4, 0, 2, 2, 4, 0, 9, 3);
    m_db.Insert(std::move(loc));
  }

  CEvent& Add(const std::string& name, int frequency, const std::string& time) {
    auto alarm = std::make_unique<CEvent>();
    CEvent::SetText(alarm->Fields().name, name);
    CEvent::SetText(alarm->Fields().locationName, "Berlin");
    CEvent::SetText(alarm->Fields().locationCountry, "Germany");
    CEvent::SetText(alarm->Fields().timeText, time);
    CEvent::SetText(alarm->Fields().dateText, "12/08/2026");
    alarm->Fields().frequency = frequency;
    CEvent& ref = *alarm;
    m_list.Add(std::move(alarm));
    return ref;
  }

  // GMT for a Berlin wall-clock time in December (standard time, GMT+1).
  static CDateTime BerlinWinter(int hour, int minute, int second) {
    return CDateTime(2026, 12, 8, hour - 1, minute, second);
  }

  // One tick at a Berlin wall-clock time; handles the alarm it starts, as the window would.
  CEventSchedule* TickAndHandle(const CDateTime& gmt) {
    CEventSchedule* started = m_monitor.DueTest(gmt);
    if (started != nullptr) {
      m_monitor.HandleAlarm();
    }
    return started;
  }

  test::FakeClock m_clock{2026, 12, 8, 8, 0, 0};  // 09:00 in Berlin
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FaultyFileLayer m_files;
  test::RecordingSink m_messages;
  test::RecordingActions m_actions;
  std::vector<std::pair<std::string, bool>> m_logged;
  CLocationDB m_db;
  CEventList m_list{m_db};
  CAlarmMonitor m_monitor{
      m_list, m_actions, m_files, m_messages,
      [this](const CEventSchedule& s, bool ok) { m_logged.emplace_back(s.Alarm()->Name(), ok); }};
};

}  // namespace

TEST_F(AlarmMonitorTest, DueAtEqualityAndLateOnlyPastTwoMinutes) {
  struct Case {
    int minute, second;
    bool due, late;
  };
  const Case cases[] = {
      {59, 59, false, false}, {0, 0, true, false}, {2, 0, true, false}, {2, 1, true, true}};
  for (const Case& c : cases) {
    CEventList list(m_db);
    CAlarmMonitor monitor(list, m_actions, m_files, m_messages, nullptr);
    auto alarm = std::make_unique<CEvent>();
    CEvent::SetText(alarm->Fields().locationName, "Berlin");
    CEvent::SetText(alarm->Fields().locationCountry, "Germany");
    CEvent::SetText(alarm->Fields().timeText, "10:00:00");
    CEventSchedule* s = list.Add(std::move(alarm));
    ASSERT_EQ(*s->Next(), CDateTime(2026, 12, 8, 10, 0, 0));
    const int hour = c.minute == 59 ? 9 : 10;
    CEventSchedule* started = monitor.DueTest(BerlinWinter(hour, c.minute, c.second));
    EXPECT_EQ(started != nullptr, c.due) << c.minute << ":" << c.second;
    EXPECT_EQ(s->IsLate(), c.late) << c.minute << ":" << c.second;
  }
}

TEST_F(AlarmMonitorTest, HandledDailyEventMovesToTheNextDay) {
  Add("Daily", kDaily, "10:00:00");
  CEventSchedule* s = m_list.GetSchedule(0);
  ASSERT_EQ(TickAndHandle(BerlinWinter(10, 0, 0)), s);
  EXPECT_EQ(*s->Next(), CDateTime(2026, 12, 9, 10, 0, 0));
  EXPECT_EQ(m_monitor.CurrentAlarm(), nullptr);
  // The save after the alarm stored the new due instant.
  CEventList reloaded(m_db);
  reloaded.Load(m_files, m_messages);
  ASSERT_EQ(reloaded.GetCount(), 1u);
  EXPECT_EQ(*reloaded.GetSchedule(0)->Next(), CDateTime(2026, 12, 9, 10, 0, 0));
}

TEST_F(AlarmMonitorTest, DueTestFollowsTheLocationsDaylightSaving) {
  m_clock.Set(CDateTime(2026, 7, 1, 6, 0, 0).Seconds());
  Add("Summer", kDaily, "10:00:00");
  // 10:00 in Berlin in July is 08:00 GMT.
  EXPECT_EQ(m_monitor.DueTest(CDateTime(2026, 7, 1, 7, 59, 59)), nullptr);
  EXPECT_NE(m_monitor.DueTest(CDateTime(2026, 7, 1, 8, 0, 0)), nullptr);
}

TEST_F(AlarmMonitorTest, AlarmsWaitingBehindAnotherAreShownInTimeNeverDropped) {
  // However long the first box stays open, the alarms due with it come after it, on time;
  // a one-time event and one that does not want late notices are not lost.
  for (const int openSeconds : {0, 119, 121, 600, 86000}) {
    SCOPED_TRACE(openSeconds);
    CEventList list(m_db);
    test::RecordingActions actions;
    CAlarmMonitor monitor(list, actions, m_files, m_messages, nullptr);
    for (const int frequency : {kDaily, kOneTime, kDaily}) {
      auto alarm = std::make_unique<CEvent>();
      CEvent::SetText(alarm->Fields().locationName, "Berlin");
      CEvent::SetText(alarm->Fields().locationCountry, "Germany");
      CEvent::SetText(alarm->Fields().timeText, "10:00:00");
      CEvent::SetText(alarm->Fields().dateText, "12/08/2026");
      alarm->Fields().frequency = frequency;
      alarm->Fields().showMessage = 1;
      alarm->Fields().notifyMissed = 0;
      list.Add(std::move(alarm));
    }
    int shown = 0;
    for (int second = 0; second <= openSeconds + 3; ++second) {
      const CEventSchedule* started =
          monitor.DueTest(BerlinWinter(10, 0, 0) + CDateSpan(0, 0, 0, second));
      if (started != nullptr) {
        EXPECT_FALSE(started->IsLate());
      }
      // The first box stays open for openSeconds, the others close at once.
      if (monitor.CurrentAlarm() != nullptr && (shown > 0 || second >= openSeconds)) {
        monitor.HandleAlarm();
        ++shown;
      }
    }
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(actions.Kinds(), (Strings{"message", "message", "refresh", "message"}));
  }

  // An alarm found due long after its time (the program was not running, the computer
  // slept) is still late.
  Add("Slept through", kDaily, "10:00:00");
  CEventSchedule* started = m_monitor.DueTest(BerlinWinter(10, 5, 0));
  ASSERT_NE(started, nullptr);
  EXPECT_TRUE(started->IsLate());
}

TEST_F(AlarmMonitorTest, MessageTextAndActionOrder) {
  CEvent& a = Add("Dentist", kDaily, "10:00:00");
  a.Fields().showMessage = 1;
  CEvent::SetText(a.Fields().messageText, "Bring the card");
  a.Fields().playMedia = 1;
  CEvent::SetText(a.Fields().mediaFile, "/sounds/chime.wav");
  a.Fields().playCount = 3;
  a.Fields().runProgram = 1;
  CEvent::SetText(a.Fields().programCommand, "notes --today");
  CEvent::SetText(a.Fields().startDirectory, "/tmp");

  CAlarmMonitor::MediaStopFlag().store(true);
  bool stopDuringBox = true;
  m_actions.SetBoxHook([&] { stopDuringBox = CAlarmMonitor::MediaStopFlag().load(); });
  TickAndHandle(BerlinWinter(10, 0, 0));

  EXPECT_EQ(m_actions.Kinds(), (Strings{"wav", "start", "message"}));
  EXPECT_EQ(m_actions.Calls()[0].text, "/sounds/chime.wav");
  EXPECT_EQ(m_actions.Calls()[0].extra, "3");
  EXPECT_EQ(m_actions.Calls()[1].text, "notes --today");
  EXPECT_EQ(m_actions.Calls()[1].extra, "/tmp");
  EXPECT_EQ(m_actions.Calls()[2].text, "Dentist\r\n\r\nBring the card");
  // The sound repeats while the box is open and stops once it is closed.
  EXPECT_FALSE(stopDuringBox);
  EXPECT_TRUE(CAlarmMonitor::MediaStopFlag().load());
  EXPECT_EQ(m_logged, (std::vector<std::pair<std::string, bool>>{{"Dentist", true}}));
}

TEST_F(AlarmMonitorTest, LateAlarmAsksBeforeStartingItsProgram) {
  for (const bool yes : {true, false}) {
    m_actions.Clear();
    m_logged.clear();
    CEventList list(m_db);
    CAlarmMonitor monitor(
        list, m_actions, m_files, m_messages,
        [this](const CEventSchedule& s, bool ok) { m_logged.emplace_back(s.Alarm()->Name(), ok); });
    auto alarm = std::make_unique<CEvent>();
    CEvent::SetText(alarm->Fields().name, "Backup");
    CEvent::SetText(alarm->Fields().locationName, "Berlin");
    CEvent::SetText(alarm->Fields().locationCountry, "Germany");
    CEvent::SetText(alarm->Fields().timeText, "10:00:00");
    CEvent::SetText(alarm->Fields().messageText, "Run the backup");
    CEvent::SetText(alarm->Fields().programCommand, "backup.sh");
    alarm->Fields().showMessage = 1;
    alarm->Fields().runProgram = 1;
    list.Add(std::move(alarm));
    m_actions.Answer(yes);
    ASSERT_NE(monitor.DueTest(BerlinWinter(10, 5, 0)), nullptr);
    monitor.HandleAlarm();
    ASSERT_GE(m_actions.Calls().size(), 1u);
    EXPECT_EQ(m_actions.Calls()[0].what, "ask");
    EXPECT_EQ(m_actions.Calls()[0].text,
              "Backup\r\n\r\n** LATE NOTIFICATION **\r\n\r\nRun the backup\r\n\r\nRun file "
              "backup.sh ?");
    EXPECT_EQ(m_actions.Kinds(), yes ? (Strings{"ask", "start"}) : (Strings{"ask"}));
    EXPECT_EQ(m_logged.size(), yes ? 1u : 0u);
  }
}

TEST_F(AlarmMonitorTest, LateAlarmWithoutMessageBoxStartsNoProgram) {
  CEvent& a = Add("Silent", kDaily, "10:00:00");
  a.Fields().runProgram = 1;
  CEvent::SetText(a.Fields().programCommand, "backup.sh");
  TickAndHandle(BerlinWinter(10, 3, 0));
  EXPECT_TRUE(m_actions.Calls().empty());
}

TEST_F(AlarmMonitorTest, LateAlarmNotWantedIsDroppedQuietly) {
  CEvent& recurring = Add("Recurring", kDaily, "10:00:00");
  recurring.Fields().notifyMissed = 0;
  recurring.Fields().showMessage = 1;
  CEvent& once = Add("Once", kOneTime, "10:00:00");
  once.Fields().notifyMissed = 0;
  once.Fields().showMessage = 1;
  CEventSchedule* first = m_list.GetSchedule(0);

  ASSERT_EQ(TickAndHandle(BerlinWinter(10, 30, 0)), first);
  EXPECT_FALSE(first->IsLate());
  EXPECT_EQ(*first->Next(), CDateTime(2026, 12, 9, 10, 0, 0));
  ASSERT_NE(TickAndHandle(BerlinWinter(10, 30, 1)), nullptr);
  EXPECT_EQ(m_list.GetCount(), 1u);
  EXPECT_EQ(m_actions.Kinds(), (Strings{"refresh"}));
  // Nothing was saved for these drops.
  EXPECT_EQ(m_files.Writes(), 0);
}

TEST_F(AlarmMonitorTest, OneTimeEventIsRemovedAndListsRefreshed) {
  CEvent& a = Add("Flight", kOneTime, "10:00:00");
  a.Fields().showMessage = 1;
  CEvent::SetText(a.Fields().messageText, "Gate 12");
  TickAndHandle(BerlinWinter(10, 0, 0));
  EXPECT_EQ(m_list.GetCount(), 0u);
  EXPECT_EQ(m_actions.Kinds(), (Strings{"message", "refresh"}));
  EXPECT_FALSE(m_files.Exists(m_dir.File("ALM_ZON.DAT")));
}

TEST_F(AlarmMonitorTest, EventDeletedWhileItsBoxIsOpenIsNotTouchedAgain) {
  CEvent& a = Add("Deleted meanwhile", kOneTime, "10:00:00");
  a.Fields().showMessage = 1;
  m_actions.SetBoxHook([this] { m_list.RemoveAt(0); });
  TickAndHandle(BerlinWinter(10, 0, 0));
  EXPECT_EQ(m_list.GetCount(), 0u);
  EXPECT_EQ(m_monitor.CurrentAlarm(), nullptr);
}

TEST_F(AlarmMonitorTest, MediaByNameSoundAndAviIndependently) {
  struct Case {
    std::string file;
    Strings kinds;
  };
  const Case cases[] = {
      {"ring.WAV", {"wav"}}, {"clip.avi", {"movie"}}, {"CLIP.AVI.WAV", {"wav", "movie"}},
      {"song.mp3", {"wav"}}, {"chime.Flac", {"wav"}}, {"bell.ogg", {"wav"}},
      {"notes.txt", {}}};
  for (const Case& c : cases) {
    m_actions.Clear();
    CEventList list(m_db);
    CAlarmMonitor monitor(list, m_actions, m_files, m_messages, nullptr);
    auto alarm = std::make_unique<CEvent>();
    CEvent::SetText(alarm->Fields().locationName, "Berlin");
    CEvent::SetText(alarm->Fields().locationCountry, "Germany");
    CEvent::SetText(alarm->Fields().timeText, "10:00:00");
    CEvent::SetText(alarm->Fields().mediaFile, c.file);
    alarm->Fields().playMedia = 1;
    list.Add(std::move(alarm));
    ASSERT_NE(monitor.DueTest(BerlinWinter(10, 0, 0)), nullptr);
    monitor.HandleAlarm();
    EXPECT_EQ(m_actions.Kinds(), c.kinds) << c.file;
  }
}

TEST_F(AlarmMonitorTest, FailedProgramIsLoggedThenReported) {
  CEvent& a = Add("Broken", kDaily, "10:00:00");
  a.Fields().runProgram = 1;
  CEvent::SetText(a.Fields().programCommand, "/no/such/program --flag");
  m_actions.SetProcessStarts(false);
  TickAndHandle(BerlinWinter(10, 0, 0));
  EXPECT_EQ(m_logged, (std::vector<std::pair<std::string, bool>>{{"Broken", false}}));
  EXPECT_EQ(m_actions.Kinds(), (Strings{"start", "error"}));
  EXPECT_EQ(m_actions.Calls()[1].text, "Error running program \"/no/such/program --flag\".");
}

TEST_F(AlarmMonitorTest, SaveFailureAfterAnAlarmIsReported) {
  Add("Daily", kDaily, "10:00:00");
  m_files.FailWrite(1, FileCause::kDiskFull);
  TickAndHandle(BerlinWinter(10, 0, 0));
  EXPECT_EQ(m_messages.LastText(), "Cannot save the alarm file.  Return code: 13");
  EXPECT_EQ(m_monitor.CurrentAlarm(), nullptr);
}

TEST(PlayLoop, PausesBeforeEachPassAndStopsWhenAsked) {
  std::atomic<bool> stop{false};
  Strings log;
  const auto play = [&](const std::string& file) { log.push_back("play " + file); };
  const auto pause = [&](std::chrono::milliseconds ms) {
    log.push_back("pause " + std::to_string(ms.count()));
    if (log.size() == 5) {
      stop = true;  // the box is closed during the third pause
    }
  };
  CAlarmMonitor::PlayLoop("a.wav", 3, stop, play, pause);
  EXPECT_EQ(log, (Strings{"pause 200", "play a.wav", "pause 200", "play a.wav", "pause 200"}));

  log.clear();
  stop = false;
  CAlarmMonitor::PlayLoop("a.wav", 3, stop, play, [&](std::chrono::milliseconds) {});
  EXPECT_EQ(log, (Strings{"play a.wav", "play a.wav", "play a.wav"}));

  log.clear();
  CAlarmMonitor::PlayLoop("a.wav", -4, stop, play, [](std::chrono::milliseconds) {});
  EXPECT_TRUE(log.empty());
  int passes = 0;
  CAlarmMonitor::PlayLoop(
      "a.wav", 2'000'000'000, stop, [&](const std::string&) { ++passes; },
      [](std::chrono::milliseconds) {});
  EXPECT_EQ(passes, 999);
}

TEST(PlayLoop, StopFlagSetFromAnotherThreadEndsTheLoop) {
  std::atomic<bool> stop{false};
  std::atomic<int> passes{0};
  std::thread player([&] {
    CAlarmMonitor::PlayLoop(
        "a.wav", 999, stop, [&](const std::string&) { ++passes; },
        [](std::chrono::milliseconds) {
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
  });
  while (passes.load() < 3) {
    std::this_thread::yield();
  }
  stop = true;
  player.join();
  EXPECT_LT(passes.load(), 999);
}

TEST_F(AlarmMonitorTest, EventSwitchedOffNeverFiresAndKeepsItsSettings) {
  CEvent& alarm = Add("Paused", kDaily, "10:00:00");
  alarm.Fields().showMessage = 1;
  CEventSchedule* s = m_list.GetSchedule(0);
  ASSERT_TRUE(s->Next());
  // Off after it was scheduled: the instant it already holds must not fire either.
  alarm.SetOff(true);
  for (int hour = 10; hour < 24; ++hour) {
    EXPECT_EQ(TickAndHandle(BerlinWinter(hour, 0, 0)), nullptr);
  }
  EXPECT_TRUE(m_actions.Calls().empty());
  s->Reschedule();
  EXPECT_FALSE(s->Next());
  EXPECT_EQ(alarm.TimeText(), "10:00:00");
  EXPECT_EQ(alarm.Fields().frequency, kDaily);

  alarm.SetOff(false);
  s->Reschedule(CDateTime(2026, 12, 9, 9, 0, 0));
  EXPECT_EQ(TickAndHandle(CDateTime(2026, 12, 9, 9, 0, 0)), s);
  EXPECT_EQ(m_actions.Kinds(), Strings{"message"});
}

// Every snooze choice, from the box and from a lone notification: the alarm comes back once,
// exactly that long after, as the alert style says, without its program, while the event's
// own schedule (or, for a one-time event, its removal) goes on as if it had been dismissed.
TEST_F(AlarmMonitorTest, SnoozeBringsTheAlarmBackOnceWithoutTouchingTheSchedule) {
  std::vector<int> remembered;
  m_monitor.SetSnoozeListener([&](int minutes) { remembered.push_back(minutes); });
  for (const AlertStyle style : {AlertStyle::kBox, AlertStyle::kNotification}) {
    m_monitor.SetAlertStyle(style);
    m_actions.SetNotificationServer(style != AlertStyle::kBox);
    for (const int frequency : {kDaily, kOneTime}) {
      for (const int minutes : CAlarmMonitor::kSnoozeChoices) {
        SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(style) << " frequency "
                                        << frequency << " minutes " << minutes);
        CEvent& alarm = Add("Tea", frequency, "10:00:00");
        alarm.Fields().showMessage = 1;
        alarm.Fields().runProgram = 1;
        CEvent::SetText(alarm.Fields().programCommand, "kettle");
        const CEventSchedule* schedule = m_list.GetSchedule(0);
        m_clock.Set(BerlinWinter(10, 0, 0).Seconds());
        m_actions.Clear();
        if (style == AlertStyle::kBox) {
          m_actions.AnswerSnooze(minutes);
        }
        ASSERT_EQ(TickAndHandle(BerlinWinter(10, 0, 0)), schedule);
        if (style == AlertStyle::kNotification) {
          ASSERT_TRUE(m_actions.LastNotice().snooze);
          m_actions.LastNotice().snooze(minutes);
        }
        EXPECT_EQ(m_monitor.SnoozedCount(), 1u);
        EXPECT_EQ(m_list.GetCount(), frequency == kOneTime ? 0u : 1u);
        if (frequency == kDaily) {
          EXPECT_EQ(schedule->Next(), CDateTime(2026, 12, 9, 10, 0, 0));
        }

        m_actions.Clear();
        const CDateTime due = BerlinWinter(10, minutes, 0);
        EXPECT_EQ(TickAndHandle(due - CDateSpan(0, 0, 0, 1)), nullptr);
        ASSERT_NE(TickAndHandle(due), nullptr);
        EXPECT_EQ(m_actions.Kinds(), Strings{style == AlertStyle::kBox ? "message" : "notify"});
        EXPECT_EQ(m_monitor.SnoozeMinutes(), minutes);
        // Dismissed: it does not come again.
        EXPECT_EQ(TickAndHandle(due + CDateSpan(0, 2, 0, 0)), nullptr);
        EXPECT_EQ(m_monitor.SnoozedCount(), 0u);
        while (m_list.GetCount() > 0) {
          m_list.RemoveAt(0);
        }
        m_clock.Set(BerlinWinter(9, 0, 0).Seconds());
      }
    }
  }
  EXPECT_EQ(remembered.size(), 20u);
}

// A snooze file that cannot be read brings nothing back and is never written over.
TEST_F(AlarmMonitorTest, UnreadableSnoozeFileIsLeftAsItIs) {
  const std::string oversized(CSnoozeFile::kMaxBytes + 1, '7');
  std::ofstream(std::string(CSnoozeFile::kFileName)) << oversized;
  m_monitor.KeepSnoozesIn(std::string(CSnoozeFile::kFileName));
  EXPECT_EQ(m_monitor.SnoozedCount(), 0u);
  m_monitor.Snooze(Add("Tea", kDaily, "10:00:00"), 5, CDateTime());
  EXPECT_EQ(m_monitor.SnoozedCount(), 1u);
  const SmallFileLines after = ReadSmallFile(std::string(CSnoozeFile::kFileName), 1u << 20);
  EXPECT_EQ(after.lines, std::vector<std::string>{oversized});
}
