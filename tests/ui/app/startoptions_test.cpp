// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/commandline.h"
#include "ui/app/localedefaults.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QTextStream>
#include <QtTest>

#include "settings/clocksettings.h"
#include "ui/widgets/monthgrid.h"

using namespace zw;

class StartOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  // The chosen order and clock must agree with how every locale itself writes 31 December
  // 2026 and 15:00; locales with other digits or month words are passed over.
  void everyLocaleAgreesWithItsOwnWriting() {
    int checked = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
      const QString date = locale.toString(QDate(2026, 12, 31), QLocale::ShortFormat);
      const qsizetype day = date.indexOf("31"), month = date.indexOf("12");
      const qsizetype year = date.indexOf("26");
      if (day < 0 || month < 0 || year < 0) {
        continue;
      }
      ClockSettings values;
      ApplyLocaleDefaults(values, locale);
      const auto expected = year < day && year < month ? CDateTime::kYearMonthDay
                            : day < month              ? CDateTime::kDayMonthYear
                                                       : CDateTime::kMonthDayYear;
      QVERIFY2(values.dateOrder == expected, qPrintable(locale.name() + ' ' + date));
      const QString time = locale.toString(QTime(15, 0), QLocale::ShortFormat);
      QVERIFY2(values.hour24 == time.contains("15"), qPrintable(locale.name() + ' ' + time));
      ++checked;
    }
    QVERIFY(checked > 100);
  }

  void answersOrRuns_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");  // -1: the program runs and nothing is written
    QTest::addColumn<QString>("written");
    QTest::newRow("nothing") << QStringList{} << -1 << "";
    QTest::newRow("hour value apart") << QStringList{"/H", "-12"} << -1 << "";
    QTest::newRow("help") << QStringList{"/H+2", "--help"} << 0 << "[options] [/H±hours]";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "Zonewright 9.8\n";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "frobnicate";
    QTest::newRow("letters after a dash") << QStringList{"/H", "-x5"} << 2 << "Usage";
  }

  void answersOrRuns() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, written);
    QCoreApplication::setApplicationName(QStringLiteral("Zonewright"));
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8"));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const std::optional<int> code =
        zw::CCommandLine::ExitCode(QStringList{"zonewright"} + arguments, outStream, errStream);
    outStream.flush(), errStream.flush();
    QCOMPARE(code.value_or(-1), exitCode);
    QVERIFY(code || (out.isEmpty() && err.isEmpty()));
    // Answers go to standard output, complaints to standard error.
    QCOMPARE(out.contains(written) && !written.isEmpty(), exitCode == 0);
    QCOMPARE(err.contains(written) && !written.isEmpty(), exitCode > 0);
  }

  // ctest runs this under LC_ALL=de_DE.UTF-8, as a German user's first start would be.
  void aGermanFirstStart() {
    if (QLocale::system().name() != QStringLiteral("de_DE")) {
      QSKIP("needs LC_ALL=de_DE.UTF-8");
    }
    ClockSettings values;
    ApplyLocaleDefaults(values, QLocale::system());
    QCOMPARE(values.dateOrder, CDateTime::kDayMonthYear);
    QVERIFY(values.hour24);
    CMonthGrid grid;
    grid.ShowMonth(2026, 12);  // the 1st is a Tuesday
    QCOMPARE(grid.ButtonOfDay(1), grid.DayButton(2));
    QCOMPARE(grid.findChildren<QLabel*>().value(0)->text(), QStringLiteral("Mo"));
    QCOMPARE(grid.MonthList()->itemText(2), QStringLiteral("März"));
  }
};

QTEST_MAIN(StartOptionsTest)
#include "startoptions_test.moc"
