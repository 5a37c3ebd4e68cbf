#include <QDBusConnection>
#include <QDBusMessage>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>

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

namespace {

// logind as far as sleeping goes, on a connection of its own to the test's private bus.
class FakeLogind {
 public:
  FakeLogind() { m_bus.registerService(CSleepWatch::kService); }
  ~FakeLogind() { QDBusConnection::disconnectFromBus("logind"); }

  void PrepareForSleep(bool start) {
    QDBusMessage signal =
        QDBusMessage::createSignal(CSleepWatch::kPath, CSleepWatch::kInterface, CSleepWatch::kSignal);
    signal << start;
    m_bus.send(signal);
  }

 private:
  QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "logind");
};

std::string LastSeenText() {
  std::ifstream in(std::string(CLastSeenFile::kFileName));
  std::string text;
  std::getline(in, text);
  return text;
}

}  // namespace

class MissedSleepTest : public QObject {
  Q_OBJECT

 private slots:
  // Going to sleep keeps the instant last seen; waking up lists what came due meanwhile in the
  // one window, with no alarm box, and a second sleep adds to the same window.
  void resumeListsWhatCameDueInTheSleep() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    test::FakeClock clock{2026, 12, 8, 8, 0, 0};
    test::TempDir dir;
    test::ScopedCwd cwd{dir.Path()};
    CPosixFileLayer files;
    test::RecordingSink messages;
    test::RecordingActions actions;
    CClockSettings settings;
    CLocationDB db;
    auto berlin = std::make_unique<CLocation>();
    berlin->SetName("Berlin");
    berlin->SetCountry("Germany");
    berlin->SetOffset(1);
    db.Insert(std::move(berlin));
    CAlarmService service{settings, db, files, messages, actions};
    auto tea = std::make_unique<CEvent>();
    CEvent::SetText(tea->Fields().name, "Tea");
    CEvent::SetText(tea->Fields().locationName, "Berlin");
    CEvent::SetText(tea->Fields().locationCountry, "Germany");
    CEvent::SetText(tea->Fields().timeText, "10:00:00");
    tea->Fields().showMessage = 1;
    service.Events().Add(std::move(tea));
    service.WatchSleepOn(QDBusConnection::sessionBus());

    FakeLogind logind;
    int listed = 0;
    for (const int days : {1, 3}) {
      listed += days;
      clock.Advance(25);
      logind.PrepareForSleep(true);
      QTRY_COMPARE(LastSeenText(), std::to_string(clock.UtcSeconds()));
      // Asleep, nothing ticks.
      clock.Advance(days * 86400);
      logind.PrepareForSleep(false);
      QTRY_VERIFY(service.MissedWindow() != nullptr &&
                  service.MissedWindow()->List()->topLevelItemCount() == listed);
    }
    QVERIFY(service.MissedWindow()->isVisible());
    QCOMPARE(service.MissedWindow()->List()->topLevelItem(3)->text(CMissedWnd::kActionColumn),
             CMissedWnd::ActionText(MissedAction::kRunLate));
    QVERIFY(actions.Calls().empty());
  }
};

QTEST_MAIN(MissedSleepTest)
#include "missedsleep_test.moc"
