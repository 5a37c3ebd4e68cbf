#include "ui/events/missedwnd.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "events/alarmmonitor.h"
#include "events/event.h"
#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "ui/events/alarmservice.h"

using namespace zw;

namespace {

std::shared_ptr<CEvent> Event(const char* name, const char* message) {
  auto alarm = std::make_shared<CEvent>();
  CEvent::SetText(alarm->Fields().name, name);
  CEvent::SetText(alarm->Fields().messageText, message);
  return alarm;
}

QStringList Row(const QTreeWidget* list, int row) {
  QStringList texts;
  for (int column = 0; column < CMissedWnd::kColumnCount; ++column) {
    texts << list->topLevelItem(row)->text(column);
  }
  return texts;
}

// A service over Berlin (GMT+1) in the current directory, with a daily event at 10:00.
struct World {
  World() {
    auto berlin = std::make_unique<CLocation>();
    berlin->SetName("Berlin");
    berlin->SetCountry("Germany");
    berlin->SetOffset(1);
    db.Insert(std::move(berlin));
  }
  void AddTea() {
    auto tea = std::make_unique<CEvent>();
    CEvent::SetText(tea->Fields().name, "Tea");
    CEvent::SetText(tea->Fields().locationName, "Berlin");
    CEvent::SetText(tea->Fields().locationCountry, "Germany");
    CEvent::SetText(tea->Fields().timeText, "10:00:00");
    tea->Fields().showMessage = 1;
    service.Events().Add(std::move(tea));
  }
  int Listed() const {
    return service.MissedWindow() == nullptr ? 0
                                             : service.MissedWindow()->List()->topLevelItemCount();
  }

  CPosixFileLayer files;
  test::RecordingSink messages;
  test::RecordingActions actions;
  CClockSettings settings;
  CLocationDB db;
  CAlarmService service{settings, db, files, messages, actions};
};

}  // namespace

class MissedWndTest : public QObject {
  Q_OBJECT

 private slots:
  // Each occurrence is a row of time, place, message and what became of it; a row that asks
  // runs its occurrence once when told to, and a later absence adds rows below.
  void rowsTellWhatBecameOfEachOccurrence() {
    std::vector<MissedOccurrence> run;
    CMissedWnd window([&run](const MissedOccurrence& m) { run.push_back(m); });
    const auto tea = Event("Tea", "Kettle\r\non");
    const auto call = Event("Call", "");
    const CDateTime at(2026, 12, 8, 10, 0, 0);
    DisplayOptions display;
    display.hour24 = true;
    display.dateOrder = 0;
    window.Add({{tea, "Berlin", at, at, MissedAction::kCovered},
                {tea, "Berlin", at, at, MissedAction::kRunLate},
                {call, "Tokyo", at, at, MissedAction::kSkip}},
               display);
    window.Add({{call, "Tokyo", at, at, MissedAction::kAsk}}, display);
    QTreeWidget* list = window.List();
    QCOMPARE(list->topLevelItemCount(), 4);
    QCOMPARE(Row(list, 1).mid(1), (QStringList{"Berlin", "Kettle on", "Ran late"}));
    QCOMPARE(Row(list, 0)[3], CMissedWnd::ActionText(MissedAction::kCovered));
    QCOMPARE(Row(list, 2).mid(1), (QStringList{"Tokyo", "Call", "Skipped"}));
    QVERIFY(Row(list, 2)[0].contains("10:00:00"));

    auto* ask = qobject_cast<QPushButton*>(list->itemWidget(list->topLevelItem(3), 3));
    QVERIFY(ask != nullptr);
    ask->click();
    QCOMPARE(run.size(), std::size_t{1});
    QCOMPARE(run[0].alarm, call);
    QCOMPARE(Row(list, 3)[3], CMissedWnd::ActionText(MissedAction::kRunLate));
    QTRY_VERIFY(list->itemWidget(list->topLevelItem(3), 3) == nullptr);

    window.show();
    CAlarmMonitor::MediaStopFlag().store(false);
    window.close();
    QVERIFY(CAlarmMonitor::MediaStopFlag().load());
  }

  // A start after days away lists what passed since the instant kept on disk, and so does a
  // tick that finds the wall clock moved on; neither raises an alarm box.
  void startAndClockJumpsListWhatPassedUnseen() {
    test::FakeClock clock{2026, 12, 8, 8, 0, 0};
    test::TempDir dir;
    test::ScopedCwd cwd{dir.Path()};
    {
      World before;
      before.AddTea();
      before.service.Save();
      before.service.Start();
      before.service.Stop();
    }
    clock.Advance(2 * 86400);
    World w;
    w.service.Load();
    w.service.Start();
    QCOMPARE(w.Listed(), 2);
    clock.Advance(86400);
    QTRY_COMPARE(w.Listed(), 3);
    w.service.Stop();
    QVERIFY(w.actions.Calls().empty());
  }
};

QTEST_MAIN(MissedWndTest)
#include "missedwnd_test.moc"
