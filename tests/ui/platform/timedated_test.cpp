#include "ui/platform/timedatedclocksetter.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QtTest>
#include <future>
#include <tuple>
#include <vector>

#include "net/fakeclocksetter.h"

using namespace zw;

namespace {

// systemd-timedated as the setter sees it, served by the test on its own connection to the
// private session bus it runs under.
class FakeTimedated : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
  Q_PROPERTY(bool NTP READ Ntp)

 public:
  using Call = std::tuple<qlonglong, bool, bool>;

  explicit FakeTimedated(bool ntp = false, bool refuses = false)
      : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-timedated")),
        m_ntp(ntp),
        m_refuses(refuses) {
    m_bus.registerObject(CTimedatedClockSetter::kPath, this,
                         QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    m_bus.registerService(CTimedatedClockSetter::kService);
  }
  ~FakeTimedated() override {
    m_bus.unregisterService(CTimedatedClockSetter::kService);
    m_bus.unregisterObject(CTimedatedClockSetter::kPath);
    QDBusConnection::disconnectFromBus("fake-timedated");
  }

  bool Ntp() const { return m_ntp; }
  std::vector<Call> calls;

 public slots:
  void SetTime(qlonglong usecUtc, bool relative, bool interactive) {
    calls.emplace_back(usecUtc, relative, interactive);
    if (m_refuses) {
      sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                     QStringLiteral("Access denied"));
    }
  }

 private:
  QDBusConnection m_bus;
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
  void initTestCase() {
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
  }

  // Only what the program may not do itself goes to the service, each way of setting as its
  // own kind of call, and polkit may always ask.
  void theServiceSetsOnlyWhatTheProgramMayNot() {
    FakeTimedated service;
    test::FakeClockSetter direct;
    CTimedatedClockSetter setter(direct, QDBusConnection::sessionBus());
    QVERIFY(OffThread([&] { return setter.AdjustByMicroseconds(1500); }));
    QVERIFY(service.calls.empty());
    direct.Refuse();
    QVERIFY(OffThread([&] { return setter.AdjustByMicroseconds(-2500); }));
    QVERIFY(OffThread([&] { return setter.SetUtcSeconds(1'700'000'000); }));
    QCOMPARE(service.calls, (std::vector<FakeTimedated::Call>{
                                {-2500, true, true}, {1'700'000'000'000'000, false, true}}));
    QCOMPARE(direct.Adjustments(), (std::vector<std::int64_t>{1500, -2500}));
  }

  void neitherWayIsAFailure() {
    test::FakeClockSetter direct;
    direct.Refuse();
    CTimedatedClockSetter setter(direct, QDBusConnection::sessionBus());
    QVERIFY(!OffThread([&] { return setter.AdjustByMicroseconds(1500); }));  // no service
    QVERIFY(!OffThread([&] { return setter.KeptByTimeService(); }));
    FakeTimedated refusing(false, true);
    QVERIFY(!OffThread([&] { return setter.SetUtcSeconds(5); }));
    QCOMPARE(refusing.calls.size(), std::size_t{1});
  }

  void networkTimeIsSeenAsKeepingTheClock() {
    test::FakeClockSetter direct;
    CTimedatedClockSetter setter(direct, QDBusConnection::sessionBus());
    for (const bool ntp : {false, true}) {
      FakeTimedated service(ntp);
      QCOMPARE(OffThread([&] { return setter.KeptByTimeService(); }), ntp);
    }
  }
};

QTEST_MAIN(TimedatedTest)
#include "timedated_test.moc"
