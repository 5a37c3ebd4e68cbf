#include "ui/app/localedefaults.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest>

#include "settings/clocksettings.h"
#include "ui/widgets/monthgrid.h"

using namespace zw;

class LocaleDefaultsTest : public QObject {
  Q_OBJECT

 private slots:
  // Whatever a locale's short formats look like, the chosen order and clock must agree with
  // how that locale itself writes 31 December 2026 and 15:00.
  void everyLocaleAgreesWithItsOwnWriting() {
    int checked = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
      const QString date = locale.toString(QDate(2026, 12, 31), QLocale::ShortFormat);
      const QString time = locale.toString(QTime(15, 0), QLocale::ShortFormat);
      const qsizetype day = date.indexOf(QStringLiteral("31"));
      const qsizetype month = date.indexOf(QStringLiteral("12"));
      const qsizetype year = date.indexOf(QStringLiteral("26"));
      if (day < 0 || month < 0 || year < 0) {
        continue;  // digits of another script, or a month written as a word
      }
      ClockSettings values;
      ApplyLocaleDefaults(values, locale);
      const CDateTime::DateOrder expected =
          year < day && year < month
              ? CDateTime::kYearMonthDay
              : (day < month ? CDateTime::kDayMonthYear : CDateTime::kMonthDayYear);
      QVERIFY2(values.dateOrder == expected, qPrintable(locale.name() + ": " + date));
      QVERIFY2(values.hour24 == time.contains(QStringLiteral("15")),
               qPrintable(locale.name() + ": " + time));
      ++checked;
    }
    QVERIFY(checked > 100);
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
    QStringList headings;
    for (const QLabel* label : grid.findChildren<QLabel*>()) {
      headings << label->text();
    }
    QCOMPARE(headings.value(0), QLocale::system().standaloneDayName(1, QLocale::ShortFormat));
    QCOMPARE(grid.MonthList()->itemText(2), QStringLiteral("März"));
  }
};

QTEST_MAIN(LocaleDefaultsTest)
#include "localedefaults_test.moc"
