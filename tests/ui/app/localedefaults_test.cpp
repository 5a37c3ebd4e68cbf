#include "ui/app/localedefaults.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QtTest>

#include "settings/clocksettings.h"
#include "ui/widgets/monthgrid.h"

using namespace zw;

class LocaleDefaultsTest : public QObject {
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

QTEST_MAIN(LocaleDefaultsTest)
#include "localedefaults_test.moc"
