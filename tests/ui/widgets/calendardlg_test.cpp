// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/calendardlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace zw;

namespace {

void AddMonthColumns() {
  QTest::addColumn<int>("year");
  QTest::addColumn<int>("month");
  QTest::addColumn<int>("firstPosition");
  QTest::addColumn<int>("days");
}

void AddMonthRows() {
  QTest::newRow("February 2026 starts on Sunday") << 2026 << 2 << 1 << 28;
  QTest::newRow("August 2026 starts on Saturday") << 2026 << 8 << 7 << 31;
  QTest::newRow("leap February 2028") << 2028 << 2 << 3 << 29;
  QTest::newRow("30-day month on Saturday") << 2029 << 9 << 7 << 30;
  QTest::newRow("first month of the list") << 1970 << 1 << 5 << 31;
  QTest::newRow("last month of the list") << 2037 << 12 << 3 << 31;
}

// Buttons firstPosition .. firstPosition + days - 1 shown with labels 1 .. days, all others
// hidden.
void ExpectMonth(const CCalendarDlg& dlg, int firstPosition, int days) {
  for (int k = 1; k <= CCalendarDlg::kDayButtons; ++k) {
    const QPushButton* button = dlg.DayButton(k);
    const int day = k - firstPosition + 1;
    const bool inMonth = day >= 1 && day <= days;
    QVERIFY2(button->isHidden() != inMonth, qPrintable(QStringLiteral("button %1").arg(k)));
    if (inMonth) {
      QCOMPARE(button->text(), QString::number(day));
    }
  }
}

}  // namespace

class CalendarDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void lists() {
    CCalendarDlg dlg(2026, 8, 1);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Calendar"));
    QCOMPARE(dlg.MonthList()->count(), 12);
    QCOMPARE(dlg.MonthList()->itemText(0), QStringLiteral("January"));
    QCOMPARE(dlg.MonthList()->itemText(11), QStringLiteral("December"));
    QCOMPARE(dlg.YearList()->count(), 130);
    QCOMPARE(dlg.YearList()->itemText(0), QStringLiteral("1970"));
    QCOMPARE(dlg.YearList()->itemText(129), QStringLiteral("2099"));
    QStringList headings;
    for (const QLabel* label : dlg.findChildren<QLabel*>()) {
      headings << label->text();
    }
    QCOMPARE(headings, QStringList({"Su ", "M", "Tu", "W", "Th", "F", "Sa"}));
  }

  void opening_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("yearIndex");
    QTest::addColumn<int>("focusPosition");
    QTest::addColumn<int>("shownYear");

    QTest::newRow("mid-month") << 2026 << 8 << 15 << 56 << 21 << 2026;
    QTest::newRow("year before the list") << 1969 << 1 << 1 << 0 << 5 << 1970;
    QTest::newRow("year after the list") << 2100 << 12 << 31 << 129 << 33 << 2099;
    QTest::newRow("day past the month's end") << 2026 << 2 << 31 << 56 << 28 << 2026;
  }

  void opening() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, focusPosition);
    CCalendarDlg dlg(year, month, day);
    QCOMPARE(dlg.MonthList()->currentIndex(), month - 1);
    QTEST(dlg.YearList()->currentIndex(), "yearIndex");
    QTEST(dlg.Year(), "shownYear");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(QApplication::focusWidget(), dlg.DayButton(focusPosition));
    QVERIFY(dlg.DayButton(focusPosition)->isDefault());
  }

  void laysOutMonth_data() {
    AddMonthColumns();
    AddMonthRows();
  }

  void laysOutMonth() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, firstPosition);
    QFETCH(int, days);
    CCalendarDlg dlg(year, month, 1);
    ExpectMonth(dlg, firstPosition, days);
  }

  // Reached through the lists from another month, so a layout that only hides what it had
  // shown before, or keeps old labels, shows up.
  void choosingAnotherMonthLaysOutAgain_data() {
    AddMonthColumns();
    AddMonthRows();
  }

  void choosingAnotherMonthLaysOutAgain() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, firstPosition);
    QFETCH(int, days);
    CCalendarDlg dlg(2026, 5, 1);
    dlg.YearList()->setCurrentIndex(year - CCalendarDlg::kFirstYear);
    dlg.MonthList()->setCurrentIndex(month - 1);
    ExpectMonth(dlg, firstPosition, days);
  }

  void pressingADayPicksIt_data() {
    QTest::addColumn<int>("monthIndex");
    QTest::addColumn<int>("yearIndex");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");

    QTest::newRow("first day, Sunday start") << 1 << 56 << 1 << 2026 << 2 << 1;
    QTest::newRow("last day, Sunday start") << 1 << 56 << 28 << 2026 << 2 << 28;
    QTest::newRow("first day, Saturday start") << 7 << 56 << 7 << 2026 << 8 << 1;
    QTest::newRow("last button") << 7 << 56 << 37 << 2026 << 8 << 31;
    QTest::newRow("leap day") << 1 << 58 << 31 << 2028 << 2 << 29;
  }

  void pressingADayPicksIt() {
    QFETCH(int, monthIndex);
    QFETCH(int, yearIndex);
    QFETCH(int, position);
    CCalendarDlg dlg(2030, 11, 5);
    dlg.MonthList()->setCurrentIndex(monthIndex);
    dlg.YearList()->setCurrentIndex(yearIndex);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.DayButton(position), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QTEST(dlg.Year(), "year");
    QTEST(dlg.Month(), "month");
    QTEST(dlg.Day(), "day");
  }

  // Enter presses the default button, which follows the opening day into the month shown.
  void enterPicksTheOpeningDayOfTheShownMonth() {
    CCalendarDlg dlg(2026, 1, 31);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.MonthList()->setCurrentIndex(1);
    QTest::keyClick(&dlg, Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.Month(), 2);
    QCOMPARE(dlg.Day(), 28);
  }

  void escapeCancelsAndKeepsTheOpeningDate() {
    CCalendarDlg dlg(2026, 3, 9);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.MonthList()->setCurrentIndex(6);
    dlg.YearList()->setCurrentIndex(0);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(dlg.Year(), 2026);
    QCOMPARE(dlg.Month(), 3);
    QCOMPARE(dlg.Day(), 9);
  }

  void dateText_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("text");

    QTest::newRow("month/day/year") << 2026 << 3 << 7 << 0 << "3/7/2026";
    QTest::newRow("year-month-day") << 2026 << 3 << 7 << 1 << "2026-3-7";
    QTest::newRow("day.month.year") << 2026 << 3 << 7 << 2 << "7.3.2026";
    QTest::newRow("two-digit fields") << 2037 << 12 << 31 << 0 << "12/31/2037";
    QTest::newRow("zeros inside fields") << 2000 << 10 << 20 << 2 << "20.10.2000";
    QTest::newRow("unknown order") << 1970 << 1 << 1 << 5 << "1/1/1970";
  }

  void dateText() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, order);
    QTEST(CCalendarDlg::DateText(year, month, day, order), "text");
  }
};

QTEST_MAIN(CalendarDlgTest)
#include "calendardlg_test.moc"
