// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/comparetimedlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "locations/locationdb.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "timecore/datetimeentry.h"
#include "ui/locations/entertimedlg.h"
#include "ui/locations/locationtree.h"
#include "ui/widgets/calendardlg.h"
#include "ui/widgets/dialogpositions.h"

using namespace zw;

using namespace zw::test;

namespace {

using Side = CCompareTimeDlg::Side;
constexpr Side kLeft = CCompareTimeDlg::kLeft;
constexpr Side kRight = CCompareTimeDlg::kRight;

struct Place {
  const char* name;
  const char* country;
  int hours;
  int minutes;
  int type;
};

// A handful of places; New York keeps daylight time from the 2nd Sunday of March (March 8,
// 2026) to the 1st Sunday of November (November 1, 2026), both at 2:00.
struct Fixture {
  Fixture() {
    const Place places[] = {
        {"Paris", "France", 1, 0, CLocation::kCity},
        {"Lyon", "France", 1, 0, CLocation::kCity},
        {"London", "United Kingdom", 0, 0, CLocation::kCity},
        {"New York", "United States", -5, 0, CLocation::kCity},
        {"Bombay", "India", 5, 30, CLocation::kCity},
        {"S\xe3o Paulo", "Brazil", -3, 0, CLocation::kCity},
        {"201", "New Jersey", -5, 0, CLocation::kAreaCode},
    };
    for (const Place& p : places) {
      auto loc = std::make_unique<CLocation>();
      loc->SetName(p.name);
      loc->SetCountry(p.country);
      loc->SetOffset(p.hours);
      loc->SetOffsetMinutes(p.minutes);
      loc->SetType(p.type);
      if (std::string_view(p.name) == "New York") {
        loc->SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
      }
      db.Insert(std::move(loc));
    }
  }

  std::unique_ptr<CCompareTimeDlg> Open() {
    auto dlg = std::make_unique<CCompareTimeDlg>(context.Context());
    dlg->show();
    QCoreApplication::processEvents();
    return dlg;
  }

  void Store(Side side, const char* name, const char* country) {
    ClockSettings& f = settings.Values();
    (side == kLeft ? f.lastLocation : f.compareRight) = PlaceName{name, country};
  }

  CLocation* Find(const char* name, const char* country) const {
    return db.At(static_cast<std::size_t>(db.Find(name, country)));
  }

  test::FakeClock clock{2026, 12, 8, 15, 0, 0};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{{.db = &db, .settings = &settings, .messages = &messages}};
};

bool Select(CCompareTimeDlg& dlg, Side side, const char* name, const char* country) {
  return dlg.Locations(side).SelectByName(name, country);
}

void SelectGroup(CCompareTimeDlg& dlg, Side side, const char* group) {
  const QList<QTreeWidgetItem*> found =
      dlg.Tree(side)->findItems(QString::fromLatin1(group), Qt::MatchExactly);
  QVERIFY(!found.isEmpty());
  dlg.Tree(side)->setCurrentItem(found.front());
}

QStringList Texts(const CCompareTimeDlg& dlg) {
  return {dlg.TimeLine(kLeft)->text(), dlg.TimeLine(kRight)->text(), dlg.SentenceLine()->text()};
}

// How many of "Select Time..." (both) and "Current Time" are enabled.
int EnabledButtons(const CCompareTimeDlg& dlg) {
  return int{dlg.SelectTimeButton(kLeft)->isEnabled()} +
         int{dlg.SelectTimeButton(kRight)->isEnabled()} + int{dlg.CurrentTimeButton()->isEnabled()};
}

// Presses a button that opens a modal dialog and lets `drive` work on it while it is open.
// Whatever `drive` leaves open is cancelled, so a failing test cannot hang.
template <typename Dialog>
bool WhileModal(QPushButton* button, const std::function<void(Dialog&)>& drive) {
  return test::WhileModal<Dialog>([button] { button->click(); }, drive);
}

bool EnterTime(QPushButton* button, const std::function<void(CEnterTimeDlg&)>& drive) {
  return WhileModal<CEnterTimeDlg>(button, drive);
}

void Type(CEnterTimeDlg& enter, const char* date, const char* time) {
  enter.DateEdit()->setText(QString::fromLatin1(date));
  enter.TimeEdit()->setText(QString::fromLatin1(time));
}

QPushButton* DayButton(const CCalendarDlg& calendar, int day) {
  for (int position = 1; position <= CCalendarDlg::kDayButtons; ++position) {
    QPushButton* button = calendar.DayButton(position);
    if (button->isVisible() && button->text() == QString::number(day)) {
      return button;
    }
  }
  return nullptr;
}

}  // namespace

class CompareTimeDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void buttonsNeedALocationInBothTrees() {
    Fixture f;
    auto dlg = f.Open();
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Compare Time"));
    QCOMPARE(dlg->ListBy()->count(), CLocationTree::kViewCount);
    QCOMPARE(EnabledButtons(*dlg), 0);

    QVERIFY(Select(*dlg, kLeft, "Paris", "France"));
    QCOMPARE(EnabledButtons(*dlg), 0);
    QVERIFY(Select(*dlg, kRight, "London", "United Kingdom"));
    QCOMPARE(EnabledButtons(*dlg), 3);

    // A group item is no location: buttons off, and the comparison shown goes blank.
    dlg->CurrentTimeButton()->click();
    QVERIFY(!dlg->SentenceLine()->text().isEmpty());
    SelectGroup(*dlg, kLeft, "France");
    QCOMPARE(EnabledButtons(*dlg), 0);
    QCOMPARE(Texts(*dlg), QStringList({"", "", ""}));
    QVERIFY(Select(*dlg, kLeft, "Paris", "France"));
    QCOMPARE(EnabledButtons(*dlg), 3);
    QCOMPARE(dlg->TimeLine(kLeft)->text(), QStringLiteral("12/08/2026  04:00:00 PM"));
  }

  void selectionsAndViewAreKeptAcrossOpenings() {
    Fixture f;
    {
      auto dlg = f.Open();
      QVERIFY(Select(*dlg, kLeft, "Bombay", "India"));
      QVERIFY(Select(*dlg, kRight, "New York", "United States"));
      dlg->ListBy()->setCurrentIndex(CLocationTree::kCity);
      QTest::keyClick(dlg.get(), Qt::Key_Escape);
      QVERIFY(!dlg->isVisible());
    }
    const ClockSettings& fields = f.settings.Values();
    QCOMPARE(fields.lastLocation, (PlaceName{"Bombay", "India"}));
    QCOMPARE(fields.compareRight, (PlaceName{"New York", "United States"}));
    QCOMPARE(fields.listKind, static_cast<std::int32_t>(CLocationTree::kCity));

    auto dlg = f.Open();
    QCOMPARE(dlg->ListBy()->currentIndex(), static_cast<int>(CLocationTree::kCity));
    QCOMPARE(dlg->Locations(kLeft).Selected(), f.Find("Bombay", "India"));
    QCOMPARE(dlg->Locations(kRight).Selected(), f.Find("New York", "United States"));
    QCOMPARE(EnabledButtons(*dlg), 3);
    QVERIFY(!dlg->Comparison().HasTime());
    QCOMPARE(Texts(*dlg), QStringList({"", "", ""}));
  }

  void closingRemembersTheRectangleHoweverItIsClosed() {
    Fixture f;
    CDialogPositions& positions = f.context.Positions();
    {
      auto dlg = f.Open();
      dlg->setGeometry(40, 50, 720, 520);
      dlg->close();  // the window's close button
      QVERIFY(positions.IsRemembered(CDialogPositions::kCompareTime));
    }
    auto dlg = f.Open();
    QCOMPARE(dlg->geometry(), QRect(40, 50, 720, 520));
    dlg->ListBy()->setCurrentIndex(CLocationTree::kCustomList);
    dlg->close();
    QCOMPARE(f.settings.Values().listKind, static_cast<std::int32_t>(CLocationTree::kCustomList));
  }

  void currentTimeShowsBothLocationsAndTheSentence() {
    Fixture f;
    f.Store(kLeft, "Paris", "France");
    f.Store(kRight, "New York", "United States");
    auto dlg = f.Open();
    dlg->CurrentTimeButton()->click();
    QCOMPARE(Texts(*dlg), QStringList({"12/08/2026  04:00:00 PM", "12/08/2026  10:00:00 AM",
                                       "Paris in France is 6 hours later than New York in "
                                       "United States"}));

    // Another selection is compared at the same moment, not at a new "now".
    f.clock.Advance(3600);
    QVERIFY(Select(*dlg, kRight, "Bombay", "India"));
    QCOMPARE(Texts(*dlg), QStringList({"12/08/2026  04:00:00 PM", "12/08/2026  08:30:00 PM",
                                       "Paris in France is 4 hours 30 minutes earlier than "
                                       "Bombay in India"}));
    QVERIFY(Select(*dlg, kRight, "Lyon", "France"));
    QCOMPARE(dlg->SentenceLine()->text(),
             QStringLiteral("Paris in France has the same time as Lyon in France"));
    QVERIFY(Select(*dlg, kRight, "S\xe3o Paulo", "Brazil"));
    QCOMPARE(dlg->SentenceLine()->text(),
             QString::fromUtf8("Paris in France is 4 hours later than S\u00e3o Paulo in Brazil"));
    QVERIFY(Select(*dlg, kRight, "Paris", "France"));
    QCOMPARE(Texts(*dlg), QStringList({"12/08/2026  04:00:00 PM", "12/08/2026  04:00:00 PM", ""}));

    // The display options of the clock apply.
    f.settings.Values().dateOrder = CDateTime::kYearMonthDay;
    f.settings.Values().hour24 = 1;
    f.settings.Values().showSeconds = 0;
    dlg->CurrentTimeButton()->click();
    QCOMPARE(dlg->TimeLine(kLeft)->text(), QStringLiteral("2026-12-08  17:00"));
  }

  void listByChangeDropsTheComparisonAndKeepsTheSelections() {
    Fixture f;
    f.Store(kLeft, "Paris", "France");
    f.Store(kRight, "London", "United Kingdom");
    auto dlg = f.Open();
    dlg->CurrentTimeButton()->click();
    QVERIFY(dlg->Comparison().HasTime());

    dlg->ListBy()->setCurrentIndex(CLocationTree::kCity);
    QVERIFY(!dlg->Comparison().HasTime());
    QCOMPARE(Texts(*dlg), QStringList({"", "", ""}));
    QCOMPARE(dlg->Locations(kLeft).Selected(), f.Find("Paris", "France"));
    QCOMPARE(dlg->Locations(kRight).Selected(), f.Find("London", "United Kingdom"));
    QCOMPARE(dlg->Tree(kLeft)->topLevelItemCount(), 6);  // flat list of the cities
    QCOMPARE(EnabledButtons(*dlg), 3);

    // A comparison made after the change is shown again on selection changes.
    dlg->CurrentTimeButton()->click();
    QVERIFY(Select(*dlg, kLeft, "Lyon", "France"));
    QCOMPARE(dlg->SentenceLine()->text(),
             QStringLiteral("Lyon in France is 1 hour later than London in United Kingdom"));

    // A view without them leaves nothing selected, but the stored choice survives it.
    dlg->ListBy()->setCurrentIndex(CLocationTree::kAreaCode);
    QCOMPARE(EnabledButtons(*dlg), 0);
    QCOMPARE(Texts(*dlg), QStringList({"", "", ""}));
    QCOMPARE(f.settings.Values().lastLocation.name, std::string("Lyon"));
    QCOMPARE(f.settings.Values().compareRight.name, std::string("London"));
  }

  void enterTimeStartsFromTodayOrFromTheComparison() {
    Fixture f;
    f.Store(kLeft, "Paris", "France");
    f.Store(kRight, "New York", "United States");
    // Late enough that Paris is already in the next day: the date offered is GMT's.
    f.clock.Set(CDateTime(2026, 12, 8, 23, 30, 0).Seconds());
    f.settings.Values().dateOrder = CDateTime::kYearMonthDay;
    auto dlg = f.Open();

    QString title, date, time;
    QVERIFY(EnterTime(dlg->SelectTimeButton(kLeft), [&](CEnterTimeDlg& enter) {
      title = enter.windowTitle();
      date = enter.DateEdit()->text();
      time = enter.TimeEdit()->text();
    }));
    QCOMPARE(title, QStringLiteral("Enter Time for Comparison"));
    QCOMPARE(date, QStringLiteral("2026-12-08"));
    QCOMPARE(time, QString());
    QVERIFY(!dlg->Comparison().HasTime());

    // With a comparison shown, the location's own converted date and time, in the clock's
    // formats; Cancel changes nothing.
    f.settings.Values().dateOrder = CDateTime::kDayMonthYear;
    f.settings.Values().hour24 = 1;
    dlg->CurrentTimeButton()->click();
    const QStringList before = Texts(*dlg);
    QVERIFY(EnterTime(dlg->SelectTimeButton(kRight), [&](CEnterTimeDlg& enter) {
      date = enter.DateEdit()->text();
      time = enter.TimeEdit()->text();
      enter.reject();
    }));
    QCOMPARE(date, QStringLiteral("08.12.2026"));
    QCOMPARE(time, QStringLiteral("18:30:00"));
    QCOMPARE(Texts(*dlg), before);
  }

  // The dialog is at least as wide as its title with the caption's icon and buttons.
  void enterTimeShowsItsWholeTitle() {
    test::RecordingSink messages;
    CEnterTimeDlg enter(nullptr, 0, 0, messages);
    enter.show();
    QCOMPARE(enter.windowTitle(), QStringLiteral("Enter Time for Comparison"));
    QVERIFY(enter.width() >= enter.fontMetrics().horizontalAdvance(enter.windowTitle()) + 96);
  }

  void rejectedFieldsKeepTheEnterTimeDialogOpen() {
    Fixture f;
    f.Store(kLeft, "Paris", "France");
    f.Store(kRight, "New York", "United States");
    auto dlg = f.Open();

    bool openAfterTime = false, timeFocused = false;
    bool openAfterDate = false, dateFocused = false;
    bool closedAfterGood = false;
    QString canonicalDate, canonicalTime, timeAfterBadDate;
    QVERIFY(EnterTime(dlg->SelectTimeButton(kLeft), [&](CEnterTimeDlg& enter) {
      Type(enter, "12/8/26", "");
      enter.accept();
      openAfterTime = enter.isVisible();
      timeFocused = enter.focusWidget() == enter.TimeEdit();

      Type(enter, "13/1/26", "9:30 pm");
      enter.accept();
      openAfterDate = enter.isVisible();
      dateFocused = enter.focusWidget() == enter.DateEdit();
      timeAfterBadDate = enter.TimeEdit()->text();

      Type(enter, "12/8/26", "9:30 pm");
      enter.accept();
      closedAfterGood = !enter.isVisible();
      canonicalDate = enter.DateEdit()->text();
      canonicalTime = enter.TimeEdit()->text();
    }));
    QVERIFY(openAfterTime);
    QVERIFY(timeFocused);
    QVERIFY(openAfterDate);
    QVERIFY(dateFocused);
    QCOMPARE(timeAfterBadDate, QStringLiteral("9:30 pm"));
    QVERIFY(closedAfterGood);
    QCOMPARE(canonicalDate, QStringLiteral("12/08/2026"));
    QCOMPARE(canonicalTime, QStringLiteral("09:30:00 PM"));

    const auto& warnings = f.messages.Messages();
    QCOMPARE(warnings.size(), std::size_t{2});
    QCOMPARE(warnings[0].text, std::string(CDateTimeEntry::kTime12FormatMessage));
    QCOMPARE(warnings[1].text, std::string(CDateTimeEntry::kMonthMessage));

    // 21:30 in Paris is 20:30 GMT and 15:30 in New York.
    QCOMPARE(Texts(*dlg), QStringList({"12/08/2026  09:30:00 PM", "12/08/2026  03:30:00 PM",
                                       "Paris in France is 6 hours later than New York in "
                                       "United States"}));
  }

  void calendarStartsOnTheTypedDateAndReplacesIt() {
    Fixture f;
    f.Store(kLeft, "Paris", "France");
    f.Store(kRight, "London", "United Kingdom");
    auto dlg = f.Open();
    int month = 0;
    QString year, picked;
    QVERIFY(EnterTime(dlg->SelectTimeButton(kLeft), [&](CEnterTimeDlg& enter) {
      enter.DateEdit()->setText(QStringLiteral("3/8/27"));
      WhileModal<CCalendarDlg>(enter.CalendarButton(), [&](CCalendarDlg& calendar) {
        month = calendar.MonthList()->currentIndex() + 1;
        year = calendar.YearList()->currentText();
        if (QPushButton* day = DayButton(calendar, 15)) {
          day->click();
        }
      });
      picked = enter.DateEdit()->text();
    }));
    QCOMPARE(month, 3);
    QCOMPARE(year, QStringLiteral("2027"));
    QCOMPARE(picked, QStringLiteral("3/15/2027"));
  }

  void enteredTimesInTheSwitchHoursResolveAsStandardTime() {
    Fixture f;
    f.Store(kLeft, "London", "United Kingdom");
    f.Store(kRight, "New York", "United States");
    auto dlg = f.Open();

    // 2:30 does not exist in New York on March 8; it is taken as 2:30 standard time, which
    // the clocks show as 3:30 daylight time.
    QVERIFY(EnterTime(dlg->SelectTimeButton(kRight), [](CEnterTimeDlg& enter) {
      Type(enter, "03/08/2026", "2:30 am");
      enter.accept();
    }));
    QVERIFY(dlg->Comparison().HasTime());
    QCOMPARE(*dlg->Comparison().Time(), CDateTime(2026, 3, 8, 7, 30, 0));
    QCOMPARE(Texts(*dlg), QStringList({"03/08/2026  07:30:00 AM", "03/08/2026  03:30:00 AM",
                                       "London in United Kingdom is 4 hours later than New York "
                                       "in United States"}));

    // 1:30 happens twice on November 1; the second time, standard time, is taken.
    QVERIFY(EnterTime(dlg->SelectTimeButton(kRight), [](CEnterTimeDlg& enter) {
      Type(enter, "11/01/2026", "1:30 am");
      enter.accept();
    }));
    QCOMPARE(*dlg->Comparison().Time(), CDateTime(2026, 11, 1, 6, 30, 0));
    QCOMPARE(Texts(*dlg), QStringList({"11/01/2026  06:30:00 AM", "11/01/2026  01:30:00 AM",
                                       "London in United Kingdom is 5 hours later than New York "
                                       "in United States"}));
  }
};

QTEST_MAIN(CompareTimeDlgTest)
#include "comparetimedlg_test.moc"
