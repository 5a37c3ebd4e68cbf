// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/updatedlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "net/ftpfixture.h"
#include "net/sockettestkit.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"

using namespace zw;
using Component = CDatabaseUpdate::Component;

using namespace zw::test;

namespace {

constexpr int kRunLimitMs = 10000;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CurrencyFile(char tag) {
  std::string record(48, '\0');
  record[0] = 'R';
  record[1] = tag;
  return record;
}

const std::string kMeasureFile = "L 0          0 Length\r\nL 1          1 Metre\r\n";

// A time zone file the update takes: whole lines, in order.
std::string ZoneFile() {
  std::string text;
  for (int i = 100; i < 200; ++i) {
    text += "1,\"Country " + std::to_string(i) + "\",\"City\",1,0,0,0,0,3,2,4,0,9,2\r\n";
  }
  return text;
}
const std::string kZoneFile = ZoneFile();

}  // namespace

class UpdateDialogTest : public QObject {
  Q_OBJECT

 private:
  struct World {
    World() : cwd(local.Path()), store(files, local.File("settings")) {
      WriteFile(local.File("CURRENCY.DAT"), "old rates");
      WriteFile(local.File("MEASURE.DAT"), "old units");
      WriteFile(served.File("zonewright/TIME_ZON.DAT"), kZoneFile);
      WriteFile(served.File("zonewright/CURRENCY.DAT"), CurrencyFile('C'));
      WriteFile(served.File("zonewright/MEASURE.DAT"), kMeasureFile);
    }

    // The dialog, pointed at a fresh server; with the clock as parent when given one.
    std::unique_ptr<CUpdateDlg> Open(const test::FtpFixture::Options& options = {},
                                     QWidget* clock = nullptr) {
      server = std::make_unique<test::FtpFixture>(served.Path(), options);
      auto dialog = std::make_unique<CUpdateDlg>(
          context.Context(), [this] { restartRequested = true; }, &clock_, clock);
      dialog->SetTimeout(std::chrono::seconds(5));
      dialog->DirectoryField()->setText(QString::fromStdString(server->Directory("zonewright")));
      dialog->show();
      return dialog;
    }

    test::TempDir served;
    test::TempDir local;
    test::ScopedCwd cwd;
    CPosixFileLayer files;
    CFileSettingsStore store;
    CClockSettings settings;
    test::RecordingSink sink;
    test::FakeClock clock_{2026, 3, 15, 14, 7, 0};
    test::TestContext context{
        {.settings = &settings, .store = &store, .files = &files, .messages = &sink}};
    std::unique_ptr<test::FtpFixture> server;
    bool restartRequested = false;
  };

  static void Check(CUpdateDlg& dialog, std::initializer_list<Component> components) {
    for (Component c : components) {
      dialog.ComponentBox(c)->setChecked(true);
    }
  }

  static bool Ended(const CUpdateDlg& dialog) {
    return dialog.RetrieveButton()->isEnabled() && !dialog.WorkerRunning() &&
           dialog.ProgressList()->count() > 0;
  }

 private slots:
  void threeFileRunShowsEachLineAndInstallsOnClose() {
    World world;
    auto dialog = world.Open();
    Check(*dialog,
          {CDatabaseUpdate::kTimeZone, CDatabaseUpdate::kCurrency, CDatabaseUpdate::kMeasurement});
    world.sink.Answer(true);  // overwrite the city lists
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(Ended(*dialog), kRunLimitMs);

    QCOMPARE(
        Items(dialog->ProgressList()),
        QStringList(
            {"Connecting To Host", "Logging On...", "Logon Complete", "Receiving Time Zone File",
             QString("Bytes Transferred: %1").arg(kZoneFile.size()), "Transfer Complete",
             "Receiving Currency File", "Bytes Transferred: 48", "Transfer Complete",
             "Receiving Measurement File", QString("Bytes Transferred: %1").arg(kMeasureFile.size()),
             "Transfer Complete", "Receiving Time Zone Names File",
             "Not on the FTP host; the update goes on without it.",
             "Processing Ended Successfully"}));
    QVERIFY(dialog->ComponentBox(CDatabaseUpdate::kTimeZone)->isEnabled());
    QCOMPARE(dialog->UpdatedLabel(CDatabaseUpdate::kCurrency)->text().left(49),
             QString("The CURRENCY CONVERSION file was last updated on "));
    QCOMPARE(world.sink.Messages().size(), std::size_t{1});

    dialog->reject();  // the restart question: No
    QCOMPARE(world.sink.LastText(), std::string(CUpdateDlg::kRestartQuestion));
    QVERIFY(!world.restartRequested);
    QCOMPARE(ReadFile("CURRENCY.DAT"), CurrencyFile('C'));
    QCOMPARE(ReadFile("MEASURE.DAT"), kMeasureFile);
    QCOMPARE(ReadFile("TEMPT.DAT"), kZoneFile);
    QVERIFY(!std::filesystem::exists("TEMPC.DAT"));
    QVERIFY(!std::filesystem::exists("TEMPM.DAT"));

    CClockSettings saved;
    saved.Load(world.store);
    QCOMPARE(saved.Values().zoneUpdatedAt, world.settings.Values().zoneUpdatedAt);
    QCOMPARE(static_cast<std::int64_t>(saved.Values().measureUpdatedAt), world.clock_.UtcSeconds());
  }

  void acceptedRestartEndsTheClock() {
    World world;
    QWidget clock;
    clock.show();
    auto dialog = world.Open({}, &clock);
    Check(*dialog, {CDatabaseUpdate::kTimeZone});
    world.sink.Answer(true);  // overwrite the city lists
    world.sink.Answer(true);  // restart now
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(Ended(*dialog), kRunLimitMs);
    dialog->reject();
    QVERIFY(world.restartRequested);
    QTRY_VERIFY_WITH_TIMEOUT(!clock.isVisible(), 2000);
    QVERIFY(std::filesystem::exists("TEMPT.DAT"));
  }

  void cancellingMidTransferEndsTheWorkerAndDropsTheDownload() {
    World world;
    WriteFile(world.served.File("zonewright/TIME_ZON.DAT"), std::string(60000, 'z'));
    const int sockets = test::OpenSockets();
    auto dialog = world.Open({.throttle = 4000});
    Check(*dialog, {CDatabaseUpdate::kTimeZone});
    world.sink.Answer(true);  // overwrite the city lists
    world.sink.Answer(true);  // cancel the transfer
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(dialog->TransferInProgress() && dialog->ProgressList()->count() > 0 &&
                                 dialog->ProgressList()
                                     ->item(dialog->ProgressList()->count() - 1)
                                     ->text()
                                     .startsWith("Bytes Transferred: ") &&
                                 !dialog->ProgressList()
                                      ->item(dialog->ProgressList()->count() - 1)
                                      ->text()
                                      .endsWith(": 0"),
                             kRunLimitMs);
    QVERIFY(std::filesystem::exists("TEMPT.DAT"));

    dialog->reject();
    QCOMPARE(world.sink.LastText(), std::string(CUpdateDlg::kCancelQuestion));
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->WorkerRunning());
    QCOMPARE(test::OpenSockets(), sockets);
    QVERIFY(!std::filesystem::exists("TEMPT.DAT"));
    QCOMPARE(world.settings.Values().zoneUpdatedAt, 0);
  }

  void cancellingWhileAReplyIsAwaitedEndsAtOnce() {
    World world;
    auto dialog = world.Open({.stallType = true});
    dialog->SetTimeout(std::chrono::seconds(30));
    Check(*dialog, {CDatabaseUpdate::kCurrency});
    world.sink.Answer(true);  // cancel the transfer
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(dialog->TransferInProgress(), kRunLimitMs);
    QVERIFY(!world.server->Commands(5).empty());  // TYPE sent, its reply awaited

    QElapsedTimer closing;
    closing.start();
    dialog->reject();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->WorkerRunning());
    QVERIFY2(closing.elapsed() < 2000, "closing waited for the reply");
  }

  void keepingTheTransferLeavesTheDialogOpen() {
    World world;
    auto dialog = world.Open({.stallRetr = true});
    Check(*dialog, {CDatabaseUpdate::kCurrency});
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(dialog->TransferInProgress(), kRunLimitMs);
    dialog->reject();  // the question: No
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->WorkerRunning());
  }

  void answeringNoToTheWarningAsksNothingOfTheServer() {
    World world;
    auto dialog = world.Open();
    Check(*dialog, {CDatabaseUpdate::kTimeZone, CDatabaseUpdate::kCurrency});
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!world.sink.Messages().empty(), kRunLimitMs);
    QCOMPARE(world.sink.LastText(), std::string(CUpdateDlg::kTimeZoneWarning));
    QTRY_VERIFY(!dialog->WorkerRunning());
    QVERIFY(dialog->RetrieveButton()->isEnabled());
    QVERIFY(dialog->ComponentBox(CDatabaseUpdate::kTimeZone)->isEnabled());
    QCOMPARE(dialog->ProgressList()->count(), 0);
    QVERIFY(world.server->Commands(1, std::chrono::milliseconds(300)).empty());
  }

  void failedRunShowsTheServersReplyAndTheErrorLines() {
    World world;
    std::filesystem::remove(world.served.File("zonewright/CURRENCY.DAT"));
    auto dialog = world.Open();
    Check(*dialog, {CDatabaseUpdate::kCurrency});
    dialog->RetrieveButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(Ended(*dialog), kRunLimitMs);

    const QStringList items = Items(dialog->ProgressList());
    QCOMPARE(items.mid(items.size() - 3),
             QStringList({"Receiving the Currency file failed. The FTP host said: 550 No such "
                          "file or directory.",
                          "An ERROR Occurred.", "    - Press F1 for Help."}));
    QCOMPARE(world.settings.Values().currencyUpdatedAt, 0);
    dialog->reject();
    QCOMPARE(ReadFile("CURRENCY.DAT"), std::string("old rates"));
  }

  void retrieveNeedsAComponentAndADirectory() {
    World world;
    auto dialog = world.Open();
    dialog->RetrieveButton()->click();
    QCOMPARE(world.sink.LastText(), std::string(CUpdateDlg::kNoComponent));

    Check(*dialog, {CDatabaseUpdate::kMeasurement});
    dialog->DirectoryField()->clear();
    QVERIFY(!dialog->DetailsShown());
    dialog->RetrieveButton()->click();
    QCOMPARE(world.sink.LastText(), std::string(CUpdateDlg::kNoAddress));
    QVERIFY(dialog->DetailsShown());
    QCOMPARE(dialog->DetailsButton()->text(), QString(CUpdateDlg::kHideDetails));
    QVERIFY(!dialog->WorkerRunning());
  }

  void directoryIsKeptAsTheFieldHoldsIt() {
    World world;
    auto dialog = world.Open();
    QCOMPARE(dialog->DirectoryField()->maxLength(), 60);
    dialog->ResetButton()->click();
    QCOMPARE(dialog->DirectoryField()->text(), QString("127.0.0.1:2121/zonewright"));
    const QString longest(60, 'd');
    dialog->DirectoryField()->setText(longest + "extra");
    QCOMPARE(dialog->DirectoryField()->text(), longest);
    // All sixty characters show.
    dialog->DetailsButton()->click();
    QCoreApplication::processEvents();
    const QLineEdit* field = dialog->DirectoryField();
    QVERIFY(field->width() >= field->fontMetrics().horizontalAdvance(longest) + 8);
    dialog->reject();
    CClockSettings saved;
    saved.Load(world.store);
    QCOMPARE(saved.Values().ftpDirectory, longest.toStdString());
  }
};

QTEST_MAIN(UpdateDialogTest)
#include "updatedlg_test.moc"
