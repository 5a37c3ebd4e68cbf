// SPDX-License-Identifier: GPL-3.0-or-later
// The meeting planner window: its grid, the chosen hour on the clipboard and the working
// hours it keeps in its own file.

#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "locations/location.h"
#include "support/fakeclock.h"
#include "support/tempdir.h"
#include "ui/locations/meetingplannerdlg.h"

using namespace zw;

namespace {

std::unique_ptr<CLocation> Place(const char* name, const char* country, int hours) {
  auto place = std::make_unique<CLocation>();
  place->SetName(name);
  place->SetCountry(country);
  place->SetOffset(hours);
  return place;
}

// Picks the row whose working hours the editors show, the way the user does.
void ClickRow(CMeetingPlannerDlg& dlg, int row) {
  dlg.show();
  QTableWidget* grid = dlg.Grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                    grid->visualItemRect(grid->item(row, 0)).center());
}

struct World {
  test::FakeClock clock{2026, 12, 8, 15, 0, 0};
  test::TempDir dir;
  std::string hoursPath = dir.Path() + "/planner.conf";
  std::unique_ptr<CLocation> london = Place("London", "United Kingdom", 0);
  std::unique_ptr<CLocation> tokyo = Place("Tokyo", "Japan", 9);
  std::vector<const CLocation*> Places() const { return {london.get(), tokyo.get()}; }
};

}  // namespace

class MeetingPlannerTest : public QObject {
  Q_OBJECT

 private slots:
  void gridShowsEachPlacesHoursShadedAndCopiesTheChosenOne() {
    World w;
    CMeetingPlannerDlg dlg(w.Places(), w.hoursPath);
    QCOMPARE(dlg.DateEdit()->date(), QDate(2026, 12, 8));
    QCOMPARE(dlg.Grid()->rowCount(), 2);
    QCOMPARE(dlg.Grid()->columnCount(), 24);
    // London 08:00 is Tokyo 17:00 the same day; London 15:00 is Tokyo's midnight, named by
    // the day it begins, and the hours after it are set apart.
    QCOMPARE(dlg.Grid()->item(1, 8)->text(), QStringLiteral("17"));
    QVERIFY(!dlg.Grid()->item(1, 14)->font().italic());
    QCOMPARE(dlg.Grid()->item(1, 15)->text(), QStringLiteral("Wed"));
    QVERIFY(dlg.Grid()->item(1, 16)->font().italic());
    const QColor working = dlg.Grid()->item(0, 9)->background().color();
    QCOMPARE(dlg.Grid()->item(1, 0)->background().color(), working);
    QVERIFY(dlg.Grid()->item(0, 17)->background().color() != working);
    dlg.ChooseColumn(8);
    const QString expected = QStringLiteral(
        "London, United Kingdom  Tue 8 Dec 2026 08:00\nTokyo, Japan            Tue 8 Dec 2026 "
        "17:00\n");
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(dlg.SummaryLabel()->text() + QLatin1Char('\n'), expected);
  }

  void workingHoursAreKeptPerPlaceAndAnUnreadableFileIsKept() {
    World w;
    {
      CMeetingPlannerDlg dlg(w.Places(), w.hoursPath);
      ClickRow(dlg, 1);
      dlg.StartEdit()->setTime(QTime(7, 30));
      // Tokyo's 07:30 start reaches London's evening before.
      QCOMPARE(dlg.Grid()->item(1, 23)->text(), QStringLiteral("08"));
      QCOMPARE(dlg.Grid()->item(1, 23)->background().color(),
               dlg.Grid()->item(0, 9)->background().color());
    }
    std::ifstream saved(w.hoursPath);
    std::string line;
    std::getline(saved, line);
    QCOMPARE(QString::fromStdString(line), QStringLiteral("Tokyo,Japan=07:30-17:00"));
    {
      CMeetingPlannerDlg again(w.Places(), w.hoursPath);
      ClickRow(again, 1);
      QCOMPARE(again.StartEdit()->time(), QTime(7, 30));
    }
    // Too large to be ours: read as defaults and never written over.
    std::filesystem::resize_file(w.hoursPath, CWorkingHoursFile::kMaxBytes + 1);
    CMeetingPlannerDlg big(w.Places(), w.hoursPath);
    ClickRow(big, 1);
    QCOMPARE(big.StartEdit()->time(), QTime(9, 0));
    big.EndEdit()->setTime(QTime(18, 0));
    QCOMPARE(std::filesystem::file_size(w.hoursPath), CWorkingHoursFile::kMaxBytes + 1);
  }
};

QTEST_MAIN(MeetingPlannerTest)
#include "meetingplanner_test.moc"
