// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/timedatedclocksetter.h"

#include <QDBusContext>
#include <QtTest>
#include <future>
#include <tuple>

#include "net/fakeclocksetter.h"

using namespace zw;

namespace {

// systemd-timedated as the setter sees it, on the test's own connection to its private bus.
class FakeTimedated : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
  Q_PROPERTY(bool NTP MEMBER m_ntp)

 public:
  using Call = std::tuple<qlonglong, bool, bool>;
  FakeTimedated(bool ntp, bool refuses) : m_ntp(ntp), m_refuses(refuses) {
    m_bus.registerObject(CTimedatedClockSetter::kPath, this,
                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    m_bus.registerService(CTimedatedClockSetter::kService);
  }
  ~FakeTimedated() override { QDBusConnection::disconnectFromBus("timedated"); }
  std::vector<Call> calls;

 public slots:
  void SetTime(qlonglong usecUtc, bool relative, bool interactive) {
    calls.emplace_back(usecUtc, relative, interactive);
    if (m_refuses) {
      sendErrorReply(QDBusError::AccessDenied, QStringLiteral("no"));
    }
  }

 private:
  QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "timedated");
  bool m_ntp;
  bool m_refuses;
};

// Runs `work` on a thread of its own, as the synchronisation worker does, while this thread
// serves the fake.
template <class Work>
auto OffThread(Work work) {
  auto result = std::async(std::launch::async, work);
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    QTest::qWait(5);
  }
  return result.get();
}

}  // namespace

class TimedatedTest : public QObject {
  Q_OBJECT

 private slots:
  // Only what the program may not do itself goes to the service, each way of setting as its
  // own kind of call, and polkit may always ask; without the service, or refused by it, the
  // clock stays, and only the service's NTP says the clock is kept.
  void theServiceSetsOnlyWhatTheProgramMayNot() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    test::FakeClockSetter direct;
    CTimedatedClockSetter setter(direct, QDBusConnection::sessionBus());
    for (const bool refuses : {false, true}) {
      for (const bool ntp : {false, true}) {
        FakeTimedated service(ntp, refuses);
        QCOMPARE(OffThread([&] { return setter.KeptByTimeService(); }), ntp);
        direct.Refuse();
        QCOMPARE(OffThread([&] { return setter.AdjustByMicroseconds(-2500); }), !refuses);
        QCOMPARE(OffThread([&] { return setter.SetUtcSeconds(1'700'000'000); }), !refuses);
        QCOMPARE(service.calls, (std::vector<FakeTimedated::Call>{
                                    {-2500, true, true}, {1'700'000'000'000'000, false, true}}));
      }
    }
    QVERIFY(!OffThread([&] { return setter.AdjustByMicroseconds(1500); }));  // service gone
  }
};

QTEST_MAIN(TimedatedTest)
#include "timedated_test.moc"
