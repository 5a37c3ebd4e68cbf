// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/timesyncdlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "net/daytimeserver.h"
#include "net/fakeclocksetter.h"
#include "net/sockettestkit.h"
#include "net/timesync.h"
#include "settings/desktopprefs.h"
#include "support/fakeclock.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "timecore/datetime.h"

using namespace zw;

class TimeSyncDialogTest : public QObject {
  Q_OBJECT

 private:
  struct World {
    std::unique_ptr<CTimeSyncDlg> Open(const test::DaytimeServer& server) {
      auto dialog =
          std::make_unique<CTimeSyncDlg>(context.Context(), clock, setter, server.Address());
      dialog->SetTimeout(std::chrono::seconds(5));
      dialog->show();
      return dialog;
    }

    test::FakeClock clock{1998, 3, 15, 14, 5, 0};
    test::FakeClockSetter setter;
    test::TestContext context;
  };

 private slots:
  void reportsGrowTheTextAsTheyCome() {
    World world;
    test::DaytimeServer server("\n50887 98-03-15 14:07:09 00 0 0 590.4 UTC(NIST) * \n");
    auto dialog = world.Open(server);
    QCOMPARE(dialog->SynchronizeButton()->text(), QString("&Synchronize Now"));
    dialog->SynchronizeButton()->click();
    QCOMPARE(dialog->ReportText(), std::string("Connecting to time server...\r\n"));

    const std::string expected =
        "Connecting to time server...\r\nTime retrieval was successful\r\nComputer time has been "
        "adjusted forward:\r\n  2 - minutes  9 - seconds  ";
    QTRY_COMPARE_WITH_TIMEOUT(dialog->ReportText(), expected, 5000);
    QCOMPARE(dialog->ReportField()->text(), QString::fromStdString(expected).replace("\r\n", "\n"));
    QCOMPARE(world.setter.Calls(),
             std::vector<std::int64_t>{CDateTime(1998, 3, 15, 14, 7, 9).Seconds()});
    QVERIFY(dialog->SynchronizeButton()->isEnabled());
  }

  void clockThatCannotBeSetIsReportedWithoutSuccess() {
    World world;
    world.setter.Refuse();
    test::DaytimeServer server("98-03-15 14:07:09\r\n");
    auto dialog = world.Open(server);
    dialog->SynchronizeButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(dialog->ReportText(),
                              std::string("Connecting to time server...\r\n") +
                                  CTimeSync::kSetFailed + CTimeSync::kNobodyMaySet,
                              5000);
  }

  void garbageFromTheServerNamedIsAFailure() {
    World world;
    test::DaytimeServer server("<html>Service Unavailable</html>\r\n");
    auto dialog = world.Open(server);
    // The text names the server actually asked; only the default is the government's.
    bool named = false;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
      named = named || label->text() == QString::fromStdString(
                                            "Use this panel to synchronize your computer's time "
                                            "with the time provided by the Internet time server " +
                                            server.Address() + ".");
    }
    QVERIFY(named);
    QCOMPARE(CTimeSyncDlg::Explanation(std::string(CTimeSync::kDefaultServer)),
             QString::fromLatin1(CTimeSyncDlg::kExplanation));

    dialog->SynchronizeButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(dialog->ReportText(),
                              std::string("Connecting to time server...\r\nThe time server's reply "
                                          "held no time."),
                              5000);
    QVERIFY(world.setter.Calls().empty());
  }

  void serverFieldTakesNamesWithEitherProtocol() {
    World world;
    test::DaytimeServer daytime("98-03-15 14:07:09\r\n");
    auto dialog = world.Open(daytime);
    const std::string closed = std::to_string(test::ClosedPort());
    // Nothing answers on the closed port: over UDP the reply fails, over TCP the connection.
    for (const auto& [server, report] :
         {std::pair{"ntp:localhost:" + closed, CTimeSync::kReceiveError},
          std::pair{"daytime:localhost:" + closed, CTimeSync::kUnableToConnect},
          std::pair{"daytime:localhost:" + std::to_string(daytime.Port()),
                    "  2 - minutes  9 - seconds  "}}) {
      dialog->ServerField()->setText(QString::fromStdString(server));
      dialog->SynchronizeButton()->click();
      QTRY_VERIFY_WITH_TIMEOUT(dialog->ReportText().ends_with(report), 5000);
    }
    // Only a server typed anew is kept, and not over the environment's choice.
    test::TempDir config;
    const test::ScopedEnv home("XDG_CONFIG_HOME", config.Path().c_str());
    QVERIFY(!CTimeSyncDlg::Remember("time server", "ntp:localhost"));
    QVERIFY(!CTimeSyncDlg::Remember("ntp:localhost", "ntp:localhost"));
    QVERIFY(CTimeSyncDlg::Remember("daytime:[::1]:1313", "ntp:localhost"));
    QCOMPARE(CDesktopPrefsFile(CDesktopPrefsFile::DefaultPath()).Load().timeServer,
             std::string("daytime:[::1]:1313"));
    const test::ScopedEnv session(CTimeSync::kServerVariable, "ntp:localhost");
    QVERIFY(!CTimeSyncDlg::Remember("ntp:time.example.org", "ntp:localhost"));
  }

  void closingBeforeTheReplyLeavesTheClockAlone() {
    World world;
    test::DaytimeServer server("98-03-15 14:07:09\r\n", true);
    auto dialog = world.Open(server);
    dialog->SynchronizeButton()->click();
    QVERIFY(server.WaitForClient());
    dialog->reject();
    server.Release();
    dialog.reset();  // waits for the worker
    QVERIFY(world.setter.Calls().empty());
  }
};

QTEST_MAIN(TimeSyncDialogTest)
#include "timesyncdlg_test.moc"
