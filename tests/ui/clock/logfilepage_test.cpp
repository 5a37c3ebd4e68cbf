// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/logfilepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>

#include "locations/locationdb.h"
#include "settings/clocksettings.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "ui/locations/locationtree.h"
#include "ui/locations/selectlocationdlg.h"

using namespace zw;

using namespace zw::test;

namespace {

struct Row {
  int type;
  const char* country;
  const char* name;
};

// A small database of the test's own, with a log basis the settings can point at.
struct World {
  World() {
    const Row rows[] = {{1, "United States", "Springfield"},
                        {1, "Germany", "Berlin"},
                        {1, "Japan", "Tokyo"},
                        {2, "California", "415"}};
    for (const Row& r : rows) {
      auto loc = std::make_unique<CLocation>();
      loc->SetType(r.type);
      loc->SetCountry(r.country);
      loc->SetName(r.name);
      db.Insert(std::move(loc));
    }
  }

  void SetBasis(int index, const char* name, const char* country) {
    ClockSettings& f = settings.Values();
    f.logLocationView = index;
    f.logLocation = PlaceName{name, country};
  }

  std::unique_ptr<CLogFilePage> Page() {
    auto page = std::make_unique<CLogFilePage>(context.Context());
    page->show();
    return page;
  }

  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{{.db = &db, .settings = &settings, .messages = &messages}};
};

std::vector<QWidget*> Governed(const CLogFilePage& page) {
  return {page.NameField(), page.BrowseNameButton(), page.BasisField(), page.BrowseBasisButton(),
          page.GmtButton()};
}

}  // namespace

class PrpLogFileTest : public QObject {
  Q_OBJECT

 private slots:
  void basisShowsTheLocationOrGmt_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("shown");
    QTest::newRow("found") << 1 << "Berlin"
                           << "Germany"
                           << "Berlin,  Germany";
    QTest::newRow("gone from the database") << 1 << "Atlantis"
                                            << "Nowhere"
                                            << "Greenwich Mean Time";
    QTest::newRow("same name, other country") << 1 << "Berlin"
                                              << "Japan"
                                              << "Greenwich Mean Time";
    QTest::newRow("gmt") << -1 << ""
                         << ""
                         << "Greenwich Mean Time";
  }

  void basisShowsTheLocationOrGmt() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, country);
    QFETCH(QString, shown);
    World w;
    w.SetBasis(index, name.toLatin1().constData(), country.toLatin1().constData());
    auto page = w.Page();
    QCOMPARE(page->BasisField()->text(), shown);
    QVERIFY(page->BasisField()->isReadOnly());
    // Showing a vanished basis as GMT does not rewrite what is stored.
    page->Store();
    QCOMPARE(w.settings.Values().logLocationView, index);
    QCOMPARE(QString::fromLatin1(w.settings.Values().logLocation.name), name);
  }

  // The basis field shows its text whole: "Greenwich Mean Time" lost its "Gr" before.
  void basisFieldShowsItsWholeText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("country");
    QTest::newRow("gmt") << ""
                         << "";
    QTest::newRow("city") << "Springfield"
                          << "United States";
  }

  void basisFieldShowsItsWholeText() {
    QFETCH(QString, name);
    QFETCH(QString, country);
    World w;
    w.SetBasis(name.isEmpty() ? -1 : 1, name.toLatin1().constData(),
               country.toLatin1().constData());
    auto page = w.Page();
    const QLineEdit* field = page->BasisField();
    QVERIFY(field->width() >= field->fontMetrics().horizontalAdvance(field->text()) + 8);
  }

  void checkBoxGovernsTheOtherControls() {
    World w;
    w.settings.Values().logStarts = false;
    auto page = w.Page();
    QCOMPARE(test::PlainText(page->RecordBox()->text()),
             QStringLiteral("Record Started Programs in the Log File"));
    QVERIFY(!page->RecordBox()->isChecked());
    for (QWidget* control : Governed(*page)) {
      QVERIFY(!control->isEnabled());
    }
    QSignalSpy modified(page.get(), &CLogFilePage::modified);
    Click(page->RecordBox());
    QCOMPARE(modified.count(), 1);
    for (QWidget* control : Governed(*page)) {
      QVERIFY(control->isEnabled());
    }
    page->Store();
    QVERIFY(w.settings.Values().logStarts);
    Click(page->RecordBox());
    QCOMPARE(modified.count(), 2);
    QVERIFY(!page->GmtButton()->isEnabled());
    page->Store();
    QVERIFY(!w.settings.Values().logStarts);
  }

  void gmtButtonClearsTheBasis() {
    World w;
    w.SetBasis(CLocationTree::kCity, "Berlin", "Germany");
    auto page = w.Page();
    QSignalSpy modified(page.get(), &CLogFilePage::modified);
    Click(page->GmtButton());
    QCOMPARE(page->BasisField()->text(), QStringLiteral("Greenwich Mean Time"));
    QCOMPARE(modified.count(), 1);
    // The copies change; the settings wait for the sheet.
    QCOMPARE(w.settings.Values().logLocationView, int{CLocationTree::kCity});
    page->Store();
    QCOMPARE(w.settings.Values().logLocationView, -1);
    QCOMPARE(w.settings.Values().logLocation.name, std::string());
    QCOMPARE(w.settings.Values().logLocation.country, std::string());
  }

  void basisBrowseStartsAtTheStoredViewAndLocation() {
    World w;
    w.SetBasis(CLocationTree::kCity, "Berlin", "Germany");
    auto page = w.Page();
    QSignalSpy modified(page.get(), &CLogFilePage::modified);
    int openedView = -1;
    QString openedOn;
    OnNextModal<CSelectLocationDlg>([&](CSelectLocationDlg* dialog) {
      openedView = dialog->ViewBox()->currentIndex();
      openedOn = dialog->Tree()->currentItem() != nullptr ? dialog->Tree()->currentItem()->text(0)
                                                          : QString();
      dialog->ViewBox()->setCurrentIndex(CLocationTree::kAreaCode);
      dialog->Tree()->setCurrentItem(FindItem(dialog->Tree(), QStringLiteral("415")));
      dialog->accept();
    });
    Click(page->BrowseBasisButton());
    QCOMPARE(openedView, int{CLocationTree::kCity});
    QCOMPARE(openedOn, QStringLiteral("Berlin"));
    QCOMPARE(page->BasisField()->text(), QStringLiteral("415,  California"));
    QCOMPARE(modified.count(), 1);
    page->Store();
    QCOMPARE(w.settings.Values().logLocationView, int{CLocationTree::kAreaCode});
    QCOMPARE(w.settings.Values().logLocation.name, std::string("415"));
    QCOMPARE(w.settings.Values().logLocation.country, std::string("California"));
  }

  void basisBrowseOfAVanishedLocationStartsFromTheStoredChoice() {
    World w;
    w.SetBasis(CLocationTree::kAreaCode, "Atlantis", "Nowhere");
    w.settings.Values().listKind = CLocationTree::kCountryCity;
    w.settings.Values().lastLocation.name = "Tokyo";
    w.settings.Values().lastLocation.country = "Japan";
    auto page = w.Page();
    QSignalSpy modified(page.get(), &CLogFilePage::modified);
    int openedView = -1;
    QString openedOn;
    OnNextModal<CSelectLocationDlg>([&](CSelectLocationDlg* dialog) {
      openedView = dialog->ViewBox()->currentIndex();
      openedOn = dialog->Tree()->currentItem() != nullptr ? dialog->Tree()->currentItem()->text(0)
                                                          : QString();
      dialog->reject();
    });
    Click(page->BrowseBasisButton());
    QCOMPARE(openedView, int{CLocationTree::kCountryCity});
    QCOMPARE(openedOn, QStringLiteral("Tokyo"));
    // Cancelled: nothing changes.
    QCOMPARE(modified.count(), 0);
    QCOMPARE(page->BasisField()->text(), QStringLiteral("Greenwich Mean Time"));
    page->Store();
    QCOMPARE(w.settings.Values().logLocationView, int{CLocationTree::kAreaCode});
  }

  void nameBrowsePutsTheFullPathInTheField() {
    World w;
    const std::string state = w.dir.File("state");
    test::ScopedEnv stateHome("XDG_STATE_HOME", state.c_str());
    auto page = w.Page();
    QCOMPARE(page->NameField()->text(), QStringLiteral("ZnWright.log"));
    QSignalSpy modified(page.get(), &CLogFilePage::modified);
    QString startedAt;
    std::optional<QString> answer;
    page->SetFileChooser([&](const QString& current) {
      startedAt = current;
      return answer;
    });
    Click(page->BrowseNameButton());
    // A bare name lives in the state directory, which must exist for the dialog to open there.
    const QString stateDir = QString::fromStdString(state) + "/zonewright";
    QCOMPARE(startedAt, stateDir + "/ZnWright.log");
    QVERIFY(QFileInfo(stateDir).isDir());
    QCOMPARE(modified.count(), 0);

    answer = QStringLiteral("alarms.log");
    Click(page->BrowseNameButton());
    const QString full = QString::fromStdString(w.dir.File("alarms.log"));
    QCOMPARE(page->NameField()->text(), full);
    QCOMPARE(modified.count(), 1);
    page->Store();
    QCOMPARE(w.settings.Values().logFileName, full.toStdString());
    answer.reset();
    Click(page->BrowseNameButton());
    QCOMPARE(startedAt, full);
  }

  void nameBrowseRefusesNamesThatWouldLogElsewhere() {
    World w;
    auto page = w.Page();
    std::optional<QString> answer;
    page->SetFileChooser([&](const QString&) { return answer; });
    answer = QString::fromStdString(w.dir.File("missing/alarms.log"));
    Click(page->BrowseNameButton());
    QCOMPARE(w.messages.Messages().size(), std::size_t{1});
    QVERIFY(w.messages.LastText().find("missing/alarms.log") != std::string::npos);
    answer = QString::fromStdString(w.dir.Path()) + '/' + QString(260, QLatin1Char('x'));
    Click(page->BrowseNameButton());
    QCOMPARE(w.messages.LastText(), std::string("Please enter no more than 255 characters."));
    QCOMPARE(page->NameField()->text(), QStringLiteral("ZnWright.log"));
  }

  void storedNameIsTheFileSystemsName() {
    World w;
    auto page = w.Page();
    const QString name = QStringLiteral("journ\u00e9e.log");
    page->SetFileChooser([&](const QString&) { return name; });
    Click(page->BrowseNameButton());
    page->Store();
    // The writer opens the stored bytes as they are: they must name the file the user chose.
    const std::string stored = w.settings.Values().logFileName;
    std::ofstream(stored) << "line\r\n";
    QVERIFY(QFile::exists(QString::fromStdString(w.dir.File("")) + name));
    // And they read back as the same name.
    CLogFilePage again(w.context.Context());
    QCOMPARE(again.NameField()->text(), page->NameField()->text());
  }

  void defaultFileDialogIsASaveDialogForLogFiles() {
    World w;
    auto page = w.Page();
    QString title;
    QStringList filters;
    bool saving = false;
    OnNextModal<QFileDialog>([&](QFileDialog* dialog) {
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      saving = dialog->acceptMode() == QFileDialog::AcceptSave;
      dialog->reject();
    });
    Click(page->BrowseNameButton());
    QCOMPARE(title, QStringLiteral("Specify Log File Name"));
    QCOMPARE(filters, QStringList{QStringLiteral("Log Files (*.log)")});
    QVERIFY(saving);
    QCOMPARE(page->NameField()->text(), QStringLiteral("ZnWright.log"));
  }
};

QTEST_MAIN(PrpLogFileTest)
#include "logfilepage_test.moc"
