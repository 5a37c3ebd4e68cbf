// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTreeWidget>
#include <QtTest>

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
#include "ui/events/missedwnd.h"
#include "ui/platform/sleepwatch.h"

using namespace zw;

class MissedSleepTest : public QObject {
  Q_OBJECT

 private slots:
  // A start after days away lists what passed since the instant kept on disk, a tick that
  // finds the clock moved on adds to it, and so does waking up after logind said the computer
  // goes to sleep (when the instant is kept again); never an alarm box.
  void whatPassesUnseenGoesToOneWindow() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    test::FakeClock clock{2026, 12, 8, 8, 0, 0};  // 09:00 in Berlin
    test::TempDir dir;
    test::ScopedCwd cwd{dir.Path()};
    CPosixFileLayer files;
    test::RecordingSink messages;
    test::RecordingActions actions;
    CClockSettings settings;
    CLocationDB db;
    auto berlin = std::make_unique<CLocation>();
    berlin->SetName("Berlin");
    berlin->SetOffset(1);
    db.Insert(std::move(berlin));
    {
      CEventList before(db);
      auto tea = std::make_unique<CEvent>();
      CEvent::SetText(tea->Fields().locationName, "Berlin");
      CEvent::SetText(tea->Fields().timeText, "10:00:00");
      before.Add(std::move(tea));
      before.Save(files, messages);
      CLastSeenFile(std::string(CLastSeenFile::kFileName)).Save(CDateTime());
    }
    CAlarmService service{settings, db, files, messages, actions};
    service.WatchSleepOn(QDBusConnection::sessionBus());
    const auto listed = [&service] {
      return service.MissedWindow() ? service.MissedWindow()->List()->topLevelItemCount() : 0;
    };
    clock.Advance(2 * 86400);
    service.Load();
    service.Start();
    QCOMPARE(listed(), 2);
    clock.Advance(86400);
    QTRY_COMPARE(listed(), 3);
    service.Stop();

    QDBusConnection logind = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "logind");
    logind.registerService(CSleepWatch::kService);
    const auto prepareForSleep = [&logind](bool start) {
      QDBusMessage signal = QDBusMessage::createSignal(CSleepWatch::kPath, CSleepWatch::kInterface,
                                                       CSleepWatch::kSignal);
      logind.send(signal << start);
    };
    for (const int days : {1, 3}) {
      clock.Advance(25);
      prepareForSleep(true);
      QTRY_VERIFY(CLastSeenFile(std::string(CLastSeenFile::kFileName)).Load() == CDateTime());
      clock.Advance(days * 86400);  // asleep, nothing ticks
      const int before = listed();
      prepareForSleep(false);
      QTRY_COMPARE(listed(), before + days);
    }
    QCOMPARE(service.MissedWindow()->List()->topLevelItem(6)->text(CMissedWnd::kActionColumn),
             CMissedWnd::ActionText(MissedAction::kRunLate));
    QVERIFY(actions.Calls().empty());
    QDBusConnection::disconnectFromBus("logind");
  }
};

QTEST_MAIN(MissedSleepTest)
#include "missedsleep_test.moc"
