// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <thread>

#include "events/event.h"
#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "ui/events/alarmservice.h"
#include "ui/platform/alarmbox.h"
#include "ui/platform/qtalarmactions.h"

using namespace zw;

namespace {

// A notification server of the test's own, on a connection of its own to the private
// session bus the test runs under.
class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  struct Notice {
    QString app;
    uint replaces;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    int expires;
  };

  FakeNotifications()
      : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-notifications")) {
    m_bus.registerObject(CDesktopNotifier::kPath, this,
                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
    m_bus.registerService(CDesktopNotifier::kService);
  }
  ~FakeNotifications() override {
    m_bus.unregisterService(CDesktopNotifier::kService);
    m_bus.unregisterObject(CDesktopNotifier::kPath);
    QDBusConnection::disconnectFromBus("fake-notifications");
  }

  std::vector<Notice> notices;
  std::vector<uint> closed;

 public slots:
  uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& /*hints*/,
              int expires) {
    notices.push_back({app, replaces, icon, summary, body, actions, expires});
    return replaces != 0 ? replaces : static_cast<uint>(notices.size()) + 40;
  }
  void CloseNotification(uint id) { closed.push_back(id); }
  QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }

 signals:
  void ActionInvoked(uint id, const QString& action);
  void NotificationClosed(uint id, uint reason);

 private:
  QDBusConnection m_bus;
};

// The alarm service with the real desktop actions over one location at GMT+1, its sound
// played by a stand-in that plays for a minute unless the stop flag is set.
struct World {
  World() {
    auto berlin = std::make_unique<CLocation>();
    berlin->SetName("Berlin");
    berlin->SetCountry("Germany");
    berlin->SetOffset(1);
    db.Insert(std::move(berlin));
    actions.SetPlayer([this](const std::string&) {
      ++passes;
      for (int i = 0; i < 6000 && !CAlarmMonitor::MediaStopFlag().load(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
  }

  void Add(bool sound) {
    auto event = std::make_unique<CEvent>();
    auto& f = event->Fields();
    CEvent::SetText(f.name, "Flight");
    CEvent::SetText(f.locationName, "Berlin");
    CEvent::SetText(f.locationCountry, "Germany");
    CEvent::SetText(f.timeText, "10:00:00");
    CEvent::SetText(f.dateText, "12/08/2026");
    CEvent::SetText(f.messageText, "Gate <B> & go");
    f.frequency = kDaily;
    f.showMessage = 1;
    f.playMedia = sound ? 1 : 0;
    f.playCount = 2;
    CEvent::SetText(f.mediaFile, "/sounds/chime.wav");
    service.Events().Add(std::move(event));
  }

  void Fire(AlertStyle style) {
    service.Monitor().SetAlertStyle(style);
    clock.Set(CDateTime(2026, 12, 8, 9, 0, 0).Seconds());
    service.CheckDue();
  }

  test::FakeClock clock{2026, 12, 8, 8, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  test::RecordingSink messages;
  std::atomic<int> passes{0};
  CQtAlarmActions actions;
  CClockSettings settings;
  CLocationDB db;
  CAlarmService service{settings, db, files, messages, actions};
};

// Closes the next alarm box once it shows and keeps its text.
class BoxCloser : public QObject {
 public:
  BoxCloser() {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<CAlarmBox*>(QApplication::activeModalWidget());
      if (box != nullptr && m_text.isEmpty()) {
        m_text = box->Text();
        QTimer::singleShot(m_delayMs, box, &QDialog::accept);
      }
    });
    timer->start(20);
  }
  void SetDelay(int ms) { m_delayMs = ms; }
  const QString& Text() const { return m_text; }

 private:
  QString m_text;
  int m_delayMs = 0;
};

const QString kBody = QStringLiteral("Berlin, 10:00:00 AM\n\nGate &lt;B&gt; &amp; go");

}  // namespace

class DesktopAlarmTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
  }

  // Without a notification server the box shows, whatever the style asks for.
  void withoutAServerTheBoxShowsAsBefore() {
    for (const AlertStyle style : {AlertStyle::kNotification, AlertStyle::kBoth}) {
      World w;
      QVERIFY(!w.actions.Notifier().Available());
      w.Add(false);
      BoxCloser closer;
      w.Fire(style);
      QTRY_COMPARE(closer.Text(), QStringLiteral("Flight\r\n\r\nGate <B> & go"));
    }
  }

  void notificationStopsTheSoundThenLosesItsButton() {
    FakeNotifications server;
    World w;
    QVERIFY(w.actions.Notifier().Available());
    w.Add(true);
    w.Fire(AlertStyle::kNotification);
    QTRY_COMPARE(server.notices.size(), std::size_t{1});
    const auto& shown = server.notices[0];
    QCOMPARE(shown.app, QStringLiteral("Zonewright"));
    QCOMPARE(shown.icon, QStringLiteral("zonewright"));
    QCOMPARE(shown.summary, QStringLiteral("Flight"));
    QCOMPARE(shown.body, kBody);
    QCOMPARE(shown.actions,
             (QStringList{"stop-sound", "Stop sound", "snooze", "Snooze 10 minutes"}));
    QCOMPARE(shown.replaces, 0u);
    QCOMPARE(shown.expires, 0);
    // No box: the sound plays on, waiting for the button.
    QTRY_COMPARE(w.passes.load(), 1);
    QTest::qWait(300);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(!CAlarmMonitor::MediaStopFlag().load());

    // Another program's button is none of ours.
    emit server.ActionInvoked(7, QStringLiteral("stop-sound"));
    QTest::qWait(200);
    QVERIFY(!CAlarmMonitor::MediaStopFlag().load());

    emit server.ActionInvoked(41, QStringLiteral("stop-sound"));
    QTRY_VERIFY(CAlarmMonitor::MediaStopFlag().load());
    // The notice stays, without a button that has nothing left to stop.
    QTRY_COMPARE(server.notices.size(), std::size_t{2});
    QCOMPARE(server.notices[1].replaces, 41u);
    QCOMPARE(server.notices[1].body, kBody);
    QCOMPARE(server.notices[1].actions, (QStringList{"snooze", "Snooze 10 minutes"}));
    QCOMPARE(w.passes.load(), 1);
    QVERIFY(server.closed.empty());
  }

  void dismissingTheOnlyNoticeStopsTheSound() {
    FakeNotifications server;
    World w;
    w.Add(true);
    w.Fire(AlertStyle::kNotification);
    QTRY_COMPARE(server.notices.size(), std::size_t{1});
    QTRY_COMPARE(w.passes.load(), 1);
    emit server.NotificationClosed(41, CDesktopNotifier::kDismissed);
    QTRY_VERIFY(CAlarmMonitor::MediaStopFlag().load());
    QTest::qWait(300);
    // Gone for good: it is not shown again.
    QCOMPARE(server.notices.size(), std::size_t{1});
  }

  // Snooze on a lone notification silences it and brings the alarm back, notification only,
  // after the minutes offered.
  void snoozeFromTheNotification() {
    FakeNotifications server;
    World w;
    w.Add(true);
    w.Fire(AlertStyle::kNotification);
    QTRY_COMPARE(server.notices.size(), std::size_t{1});
    emit server.ActionInvoked(41, QStringLiteral("snooze"));
    QTRY_COMPARE(w.service.Monitor().SnoozedCount(), std::size_t{1});
    QVERIFY(CAlarmMonitor::MediaStopFlag().load());
    const std::size_t before = server.notices.size();
    w.clock.Set(CDateTime(2026, 12, 8, 9, 10, 0).Seconds());
    w.service.CheckDue();
    QTRY_COMPARE(server.notices.size(), before + 1);
    QCOMPARE(server.notices.back().replaces, 0u);
    QCOMPARE(server.notices.back().summary, QStringLiteral("Flight"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(w.service.Monitor().SnoozedCount(), std::size_t{0});
  }

  // With the box as well, closing the box stops the sound and takes the notification away.
  void boxAndNotificationTogether() {
    FakeNotifications server;
    World w;
    w.Add(true);
    BoxCloser closer;
    closer.SetDelay(300);
    w.Fire(AlertStyle::kBoth);
    QTRY_COMPARE(closer.Text(), QStringLiteral("Flight\r\n\r\nGate <B> & go"));
    QCOMPARE(server.notices.size(), std::size_t{1});
    QCOMPARE(server.notices[0].actions, (QStringList{"stop-sound", "Stop sound"}));
    QTRY_VERIFY(CAlarmMonitor::MediaStopFlag().load());
    QTRY_COMPARE(server.closed, std::vector<uint>{41});
    QCOMPARE(server.notices.size(), std::size_t{1});
  }
};

QTEST_MAIN(DesktopAlarmTest)
#include "desktopalarm_test.moc"
