// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/alarmservice.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "events/event.h"
#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/memorystore.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "ui/platform/alarmbox.h"

using namespace zw;

namespace {

// A service over one location at GMT+1 and temporary files, its clock at 09:00 there.
struct World {
  World() {
    auto berlin = std::make_unique<CLocation>();
    berlin->SetName("Berlin");
    berlin->SetCountry("Germany");
    berlin->SetOffset(1);
    db.Insert(std::move(berlin));
  }

  void Add(const char* name, int frequency, const char* time) {
    auto event = std::make_unique<CEvent>();
    CEvent::SetText(event->Fields().name, name);
    CEvent::SetText(event->Fields().locationName, "Berlin");
    CEvent::SetText(event->Fields().locationCountry, "Germany");
    CEvent::SetText(event->Fields().timeText, time);
    CEvent::SetText(event->Fields().dateText, "12/08/2026");
    event->Fields().frequency = frequency;
    event->Fields().showMessage = 1;
    service.Events().Add(std::move(event));
  }

  // Berlin wall-clock time on the test's day, as "now".
  void SetBerlin(int day, int hour, int minute) {
    clock.Set(CDateTime(2026, 12, day, hour - 1, minute, 0).Seconds());
  }

  // The events whose boxes were shown: the first line of each box.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& call : actions.Calls()) {
      if (call.what == "message") {
        texts.push_back(call.text.substr(0, call.text.find('\r')));
      }
    }
    return texts;
  }

  test::FakeClock clock{2026, 12, 8, 8, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  test::RecordingSink messages;
  test::RecordingActions actions;
  CClockSettings settings;
  CLocationDB db;
  CAlarmService service{settings, db, files, messages, actions};
};

// Long enough for several polls of the service's timer.
constexpr int kSeveralPolls = 4 * static_cast<int>(CAlarmService::kPollInterval.count());

}  // namespace

class AlarmServiceTest : public QObject {
  Q_OBJECT

 private slots:
  void timerFiresDueEventsUntilStopped() {
    World w;
    w.Add("Flight", kOneTime, "10:00:00");
    w.Add("Standup", kDaily, "10:02:00");
    QSignalSpy changed(&w.service, &CAlarmService::eventsChanged);
    w.service.Start();
    QTest::qWait(kSeveralPolls);
    QVERIFY(w.actions.Calls().empty());

    // The one-time event fires and leaves: the open lists hear of it once.
    w.SetBerlin(8, 10, 0);
    QTRY_COMPARE(w.Messages(), (std::vector<std::string>{"Flight"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(w.service.Events().GetCount(), std::size_t{1});

    // The daily one fires and stays, so the lists are left alone.
    w.SetBerlin(8, 10, 2);
    QTRY_COMPARE(w.Messages(), (std::vector<std::string>{"Flight", "Standup"}));
    QCOMPARE(w.service.Events().GetCount(), std::size_t{1});
    QTest::qWait(kSeveralPolls);
    QCOMPARE(changed.count(), 1);

    w.service.Stop();
    w.SetBerlin(9, 10, 2);
    QTest::qWait(kSeveralPolls);
    QCOMPARE(w.Messages().size(), std::size_t{2});
  }

  void dueAlarmIsHandledOutsideTheCaller() {
    World w;
    w.Add("Flight", kOneTime, "10:00:00");
    QSignalSpy changed(&w.service, &CAlarmService::eventsChanged);
    w.SetBerlin(8, 10, 0);
    w.service.CheckDue();
    // A box opened here would run a nested event loop inside whoever asked.
    QVERIFY(w.actions.Calls().empty());
    QCOMPARE(changed.count(), 0);
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(w.Messages(), (std::vector<std::string>{"Flight"}));
    QCOMPARE(w.service.Events().GetCount(), std::size_t{0});
  }

  // The box offers the last choice first; each choice reaches the next run through the
  // settings store, and a stored value that is no choice leaves the default offered.
  void snoozeChoiceOutlivesTheRun() {
    test::MemoryStore store;
    int offered = CAlarmMonitor::kDefaultSnooze;
    for (const int minutes : CAlarmMonitor::kSnoozeChoices) {
      World w;
      w.service.RememberSnoozeIn(store);
      w.Add("Tea", kDaily, "10:00:00");
      w.actions.AnswerSnooze(minutes);
      w.SetBerlin(8, 10, 0);
      w.service.CheckDue();
      QTRY_COMPARE(w.Messages().size(), std::size_t{1});
      QCOMPARE(w.actions.OfferedSnooze(), offered);
      const std::string text = std::to_string(minutes);
      QCOMPARE(store.Value(CAlarmService::kSnoozeSetting),
               std::vector<std::uint8_t>(text.begin(), text.end()));
      offered = minutes;
    }
    for (const std::string foreign : {"7", "abc", "99999"}) {
      store.Write(CAlarmService::kSnoozeSetting,
                  std::vector<std::uint8_t>(foreign.begin(), foreign.end()));
      World w;
      w.service.RememberSnoozeIn(store);
      QCOMPARE(w.service.Monitor().SnoozeMinutes(), CAlarmMonitor::kDefaultSnooze);
    }
  }

  // A one-time event snoozed, then the program quit: the next run rings it at its time, from
  // the copy kept, though the event itself is gone; once rung it is kept no more.
  void snoozedAlarmOutlivesTheRun() {
    World w;
    w.Add("Flight", kOneTime, "10:00:00");
    w.service.Load();
    w.actions.AnswerSnooze(15);
    w.SetBerlin(8, 10, 0);
    w.service.CheckDue();
    QTRY_COMPARE(w.Messages().size(), std::size_t{1});
    QCOMPARE(w.service.Events().GetCount(), std::size_t{0});
    for (const int run : {1, 2}) {
      CAlarmService next{w.settings, w.db, w.files, w.messages, w.actions};
      next.Load();
      QCOMPARE(next.Monitor().SnoozedCount(), std::size_t{run == 1 ? 1u : 0u});
      w.SetBerlin(8, 10, 15);
      next.CheckDue();
      QTRY_COMPARE(w.Messages().size(), std::size_t{2});
    }
    QCOMPARE(w.Messages().back(), std::string("Flight"));
  }

  // The box answers with the minutes showing when Snooze is pressed, and 0 for Dismiss.
  void alarmBoxSnoozesForTheMinutesChosen() {
    CAlarmBox box(QStringLiteral("Tea"), 30);
    QCOMPARE(box.MinutesList()->currentData().toInt(), 30);
    for (int i = 0; i < box.MinutesList()->count(); ++i) {
      box.MinutesList()->setCurrentIndex(i);
      QTimer::singleShot(0, box.SnoozeButton(), &QPushButton::click);
      QCOMPARE(box.Ask(), CAlarmMonitor::kSnoozeChoices[static_cast<std::size_t>(i)]);
    }
    QTimer::singleShot(0, box.DismissButton(), &QPushButton::click);
    QCOMPARE(box.Ask(), 0);
  }
};

QTEST_MAIN(AlarmServiceTest)
#include "alarmservice_test.moc"
