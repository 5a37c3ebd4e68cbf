// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "events/alarmmonitor.h"
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

using Strings = std::vector<std::string>;

// One daily event in Berlin (GMT+1) at 10:00, fired once at a given Berlin time.
struct Alarm {
  Alarm(bool message, bool sound) {
    auto berlin = std::make_unique<CLocation>();
    berlin->SetName("Berlin");
    berlin->SetCountry("Germany");
    berlin->SetOffset(1);
    db.Insert(std::move(berlin));
    auto event = std::make_unique<CEvent>();
    auto& f = event->Fields();
    CEvent::SetText(f.name, "Dentist");
    CEvent::SetText(f.locationName, "Berlin");
    CEvent::SetText(f.locationCountry, "Germany");
    CEvent::SetText(f.timeText, "10:00:00");
    CEvent::SetText(f.dateText, "12/08/2026");
    CEvent::SetText(f.messageText, "Bring the card\r\n<b>& co</b>");
    f.frequency = kDaily;
    f.showMessage = message ? 1 : 0;
    f.playMedia = sound ? 1 : 0;
    f.playCount = 3;
    CEvent::SetText(f.mediaFile, "/sounds/chime.wav");
    list.Add(std::move(event));
  }

  // GMT for a Berlin wall-clock time on the event's day.
  void FireAt(int hour, int minute) {
    clock.Set(CDateTime(2026, 12, 8, hour - 1, minute, 0).Seconds());
    ASSERT_NE(monitor.DueTest(CDateTime()), nullptr);
    monitor.HandleAlarm();
  }

  test::FakeClock clock{2026, 12, 8, 8, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  test::FaultyFileLayer files;
  test::RecordingSink messages;
  test::RecordingActions actions;
  CLocationDB db;
  CEventList list{db};
  CAlarmMonitor monitor{list, actions, files, messages, nullptr};
};

}  // namespace

// Every style, with and without a notification server, for alarms with a message, a sound,
// both or neither: the box shows unless a notification stands in for it, and the sound stops
// with the box or, without one, plays on for the notification's button.
TEST(AlertStyle, BoxNotificationOrBothWithFallbackToTheBox) {
  for (const AlertStyle style : {AlertStyle::kBox, AlertStyle::kNotification, AlertStyle::kBoth}) {
    for (const bool server : {false, true}) {
      for (const bool message : {false, true}) {
        for (const bool sound : {false, true}) {
          Alarm a(message, sound);
          a.actions.SetNotificationServer(server);
          a.monitor.SetAlertStyle(style);
          CAlarmMonitor::MediaStopFlag().store(false);
          a.FireAt(10, 0);

          const bool asked = style != AlertStyle::kBox && (message || sound);
          const bool box = message && (!asked || !server || style == AlertStyle::kBoth);
          Strings kinds;
          if (sound) {
            kinds.push_back("wav");
          }
          if (asked) {
            kinds.push_back("notify");
          }
          if (box) {
            kinds.push_back("message");
          }
          const std::string where = std::string(CDesktopPrefsFile::StyleName(style)) +
                                    (server ? " server" : "") + (message ? " message" : "") +
                                    (sound ? " sound" : "");
          EXPECT_EQ(a.actions.Kinds(), kinds) << where;
          EXPECT_EQ(CAlarmMonitor::MediaStopFlag().load(), box) << where;
          if (asked) {
            const auto& call = a.actions.Calls()[sound ? 1 : 0];
            const bool boxFollows = message && style == AlertStyle::kBoth;
            EXPECT_EQ(call.extra, std::string(sound ? "sound" : "") + (boxFollows ? "box" : ""))
                << where;
          }
        }
      }
    }
  }
}

TEST(AlertStyle, NotificationSaysThePlaceTheTimeThereAndTheMessage) {
  Alarm a(true, false);
  a.actions.SetNotificationServer(true);
  a.monitor.SetAlertStyle(AlertStyle::kNotification);
  DisplayOptions display;
  display.hour24 = true;
  display.showSeconds = false;
  a.monitor.SetDisplay(display);
  a.FireAt(10, 0);
  ASSERT_EQ(a.actions.Kinds(), Strings{"notify"});
  // The markup is left for the notifier to escape; line ends are the desktop's.
  EXPECT_EQ(a.actions.Calls()[0].text, "Dentist|Berlin, 10:00\n\nBring the card\n<b>& co</b>");

  // Found due late, it says so as the box does, with the time it really is there.
  Alarm late(true, false);
  late.actions.SetNotificationServer(true);
  late.monitor.SetAlertStyle(AlertStyle::kNotification);
  late.monitor.SetDisplay(display);
  late.list.GetSchedule(0)->Alarm()->Fields().notifyMissed = 1;
  late.FireAt(10, 7);
  ASSERT_EQ(late.actions.Kinds(), Strings{"notify"});
  EXPECT_EQ(late.actions.Calls()[0].text,
            "Dentist|Berlin, 10:07\n\n** LATE NOTIFICATION **\n\nBring the card\n<b>& co</b>");
}

TEST(AlertStyle, OnlyTheBoxAsksWhetherALateProgramShouldRun) {
  Alarm a(true, false);
  a.actions.SetNotificationServer(true);
  a.monitor.SetAlertStyle(AlertStyle::kNotification);
  auto& f = a.list.GetSchedule(0)->Alarm()->Fields();
  f.notifyMissed = 1;
  f.runProgram = 1;
  CEvent::SetText(f.programCommand, "notes --today");
  a.actions.Answer(true);
  a.FireAt(10, 7);
  EXPECT_EQ(a.actions.Kinds(), (Strings{"notify", "ask", "start"}));
  EXPECT_EQ(a.actions.Calls()[0].extra, "box");
}
