// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/scheduledlg.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "events/eventlist.h"
#include "events/notesfile.h"
#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "ui/events/eventeditdlg.h"
#include "ui/events/eventsummarydlg.h"
#include "ui/events/onetimepage.h"
#include "ui/events/schedulemodel.h"
#include "ui/locations/selectlocationdlg.h"
#include "ui/widgets/dialogpositions.h"
#include "ui/widgets/monthgrid.h"

using namespace zw;

using namespace zw::test;

namespace {

constexpr int kTimeColumn = CScheduleListing::kTimeColumn;

// Now is Wednesday, January 14, 2026, 15:00 GMT: already Thursday the 15th in Tokyo.
struct Fixture {
  Fixture() {
    AddPlace("London", 0);
    AddPlace("Paris", 1);
    AddPlace("Tokyo", 9);
  }

  void AddPlace(const char* name, int hours) {
    auto location = std::make_unique<CLocation>();
    location->SetName(name);
    location->SetCountry("Country");
    location->SetOffset(hours);
    db.Insert(std::move(location));
  }

  CEvent& Add(const char* name, const char* time, const char* location = "London",
              int preNotify = 0) {
    auto alarm = std::make_unique<CEvent>();
    AlarmRecord& r = alarm->Fields();
    CEvent::SetText(r.name, name);
    CEvent::SetText(r.locationName, location);
    CEvent::SetText(r.locationCountry, "Country");
    CEvent::SetText(r.timeText, time);
    r.frequency = kDaily;
    r.preNotifyMinutes = preNotify;
    r.showMessage = 1;
    CEvent::SetText(r.messageText, "Time for it");
    CEvent& added = *alarm;
    alarms.Add(std::move(alarm));
    return added;
  }

  void StoreBasis(const char* name) {
    settings.Values().scheduleBasis.name = name;
    settings.Values().scheduleBasis.country = "Country";
  }

  std::unique_ptr<CScheduleDlg> Open() {
    auto dlg = std::make_unique<CScheduleDlg>(context.Context());
    dlg->show();
    QCoreApplication::processEvents();
    return dlg;
  }

  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  test::FakeClock clock{2026, 1, 14, 15, 0, 0};
  test::RecordingSink messages;
  MemoryStore store;
  CPosixFileLayer files;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{
      {.db = &db, .settings = &settings, .store = &store, .files = &files, .messages = &messages}};
  CEventList& alarms = context.Events();
};

QStringList Column(const CScheduleDlg& dlg, int column) {
  QStringList texts;
  const CScheduleModel* model = dlg.Model();
  for (int row = 0; row < model->rowCount(); ++row) {
    texts << model->data(model->index(row, column), Qt::DisplayRole).toString();
  }
  return texts;
}

QString Header(const CScheduleDlg& dlg, int column) {
  return dlg.Model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString Padded(const char* text, int length) {
  return QString::fromLatin1(text).leftJustified(length, QLatin1Char(' '));
}

// Days 1..31 of the shown month that can be pressed.
QList<int> EnabledDays(const CScheduleDlg& dlg) {
  QList<int> days;
  for (int day = 1; day <= 31; ++day) {
    const QPushButton* button = dlg.Grid()->ButtonOfDay(day);
    if (button != nullptr && button->isEnabled()) {
      days << day;
    }
  }
  return days;
}

QList<int> CheckedDays(const CScheduleDlg& dlg) {
  QList<int> days;
  for (int position = 1; position <= CMonthGrid::kDayButtons; ++position) {
    const QPushButton* button = dlg.Grid()->DayButton(position);
    if (button->isChecked()) {
      days << button->text().toInt();
    }
  }
  return days;
}

void PressDay(CScheduleDlg& dlg, int day) {
  QPushButton* button = dlg.Grid()->ButtonOfDay(day);
  QVERIFY(button != nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

void ShowMonth(CScheduleDlg& dlg, int year, int month) {
  dlg.Grid()->YearList()->setCurrentIndex(year - CMonthGrid::kFirstYear);
  dlg.Grid()->MonthList()->setCurrentIndex(month - 1);
}

void SelectRow(CScheduleDlg& dlg, int row) {
  dlg.List()->setCurrentIndex(dlg.Model()->index(row, 0));
}

void ClickHeader(CScheduleDlg& dlg, int column) {
  QHeaderView* header = dlg.List()->header();
  const QPoint at(header->sectionViewportPosition(column) + 4, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Runs `start`, which opens a modal dialog, and lets `drive` work on the dialog while it is
// open. Whatever `drive` leaves open is cancelled, so a failing test cannot hang.
QStringList MenuTexts(QMenu& menu, bool enabledOnly) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    if (!action->isSeparator() && (!enabledOnly || action->isEnabled())) {
      texts << action->text();
    }
  }
  return texts;
}

QAction* MenuAction(QMenu& menu, const char* text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == QLatin1String(text)) {
      return action;
    }
  }
  return nullptr;
}

}  // namespace

class ScheduleDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTodayAtGreenwich() {
    Fixture f;
    f.settings.Values().scheduleDays = 2;
    f.Add("Stand-up", "10:00:00");
    auto dlg = f.Open();
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Scheduled Events"));
    QCOMPARE(dlg->Grid()->YearList()->count(), 130);
    QCOMPARE(dlg->Grid()->YearList()->itemText(129), QStringLiteral("2099"));
    QCOMPARE(dlg->Grid()->YearList()->currentText(), QStringLiteral("2026"));
    QCOMPARE(dlg->Grid()->MonthList()->currentText(), QStringLiteral("January"));
    QCOMPARE(CheckedDays(*dlg), QList<int>{14});
    QCOMPARE(EnabledDays(*dlg).front(), 14);
    QCOMPARE(EnabledDays(*dlg).size(), 18);
    QCOMPARE(dlg->NotesLabel()->text(), QStringLiteral("&Notes for  1/14/2026"));
    QCOMPARE(dlg->BasisLabel()->text(), QStringLiteral("Greenwich Mean Time"));
    QCOMPARE(dlg->DaysBox()->value(), 2);

    QCOMPARE(Header(*dlg, 0), Padded("Event Name", 36));
    QCOMPARE(Header(*dlg, kTimeColumn), Padded("Greenwich Mean Time", 36));
    QCOMPARE(Header(*dlg, 2), Padded("Location", 28));
    QCOMPARE(Header(*dlg, 3), QStringLiteral("Frequency "));
    QCOMPARE(Header(*dlg, 4), QStringLiteral("Pre-notify"));
    const QHeaderView* header = dlg->List()->header();
    QCOMPARE(header->sectionSize(3), header->fontMetrics().horizontalAdvance("Frequency ") + 12);

    // The 10:00 stand-up of today has passed; the two following days remain.
    QCOMPARE(Column(*dlg, kTimeColumn),
             QStringList({"01/15/2026 10:00:00 AM", "01/16/2026 10:00:00 AM"}));
    QCOMPARE(Column(*dlg, 3), QStringList({"Daily", "Daily"}));
  }

  void daysFieldRefillsAndKeepsItsLimits() {
    Fixture f;
    f.Add("Stand-up", "16:00:00");
    auto dlg = f.Open();
    QCOMPARE(dlg->Model()->rowCount(), 1);
    dlg->DaysBox()->setValue(1);
    QCOMPARE(Column(*dlg, kTimeColumn),
             QStringList({"01/14/2026 04:00:00 PM", "01/15/2026 04:00:00 PM"}));
    QCOMPARE(f.settings.Values().scheduleDays, 1);

    dlg->DaysBox()->setValue(5000);
    QCOMPARE(dlg->DaysBox()->value(), 999);
    QCOMPARE(dlg->Model()->rowCount(), 1000);
    dlg->DaysBox()->setValue(-1);
    QCOMPARE(dlg->DaysBox()->value(), 0);
    QCOMPARE(dlg->Model()->rowCount(), 1);

    // A damaged stored count opens inside the range.
    dlg.reset();
    f.settings.Values().scheduleDays = 12345;
    dlg = f.Open();
    QCOMPARE(dlg->DaysBox()->value(), 999);
  }

  void pastDaysCannotBeSelected() {
    Fixture f;
    f.Add("Stand-up", "16:00:00");
    auto dlg = f.Open();
    PressDay(*dlg, 20);
    QCOMPARE(CheckedDays(*dlg), QList<int>{20});
    QCOMPARE(dlg->NotesLabel()->text(), QStringLiteral("&Notes for  1/20/2026"));

    ShowMonth(*dlg, 2025, 12);
    QVERIFY(EnabledDays(*dlg).isEmpty());
    QVERIFY(CheckedDays(*dlg).isEmpty());
    QVERIFY(!dlg->DaySelected());
    QCOMPARE(dlg->Model()->rowCount(), 0);
    QCOMPARE(dlg->NotesLabel()->text(), QStringLiteral("&Notes:"));
    QVERIFY(!dlg->NotesEdit()->isEnabled());

    // The day number is kept, so coming back selects it again.
    ShowMonth(*dlg, 2026, 1);
    QCOMPARE(CheckedDays(*dlg), QList<int>{20});
    QCOMPARE(dlg->Model()->rowCount(), 1);
    ShowMonth(*dlg, 2027, 3);
    QCOMPARE(EnabledDays(*dlg).size(), 31);
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"03/20/2027 04:00:00 PM"});
  }

  void thirtyFirstInAShorterMonthSelectsNothing() {
    Fixture f;
    f.Add("Stand-up", "16:00:00");
    auto dlg = f.Open();
    PressDay(*dlg, 31);
    QCOMPARE(dlg->Model()->rowCount(), 1);
    ShowMonth(*dlg, 2026, 4);
    QVERIFY(!dlg->DaySelected());
    QVERIFY(CheckedDays(*dlg).isEmpty());
    QCOMPARE(dlg->Model()->rowCount(), 0);
    ShowMonth(*dlg, 2026, 5);
    QCOMPARE(CheckedDays(*dlg), QList<int>{31});
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"05/31/2026 04:00:00 PM"});
  }

  void notesAreKeptPerDayAndSavedOnClosing() {
    Fixture f;
    f.settings.Values().dateOrder = CDateTime::kDayMonthYear;
    {
      auto dlg = f.Open();
      QCOMPARE(dlg->NotesLabel()->text(), QStringLiteral("&Notes for  14.1.2026"));
      dlg->NotesEdit()->setPlainText("Dentist at four");
      PressDay(*dlg, 15);
      QCOMPARE(dlg->NotesEdit()->toPlainText(), QString());
      dlg->NotesEdit()->setPlainText("Car to the garage");
      ShowMonth(*dlg, 2026, 2);
      QCOMPARE(dlg->NotesEdit()->toPlainText(), QString());
      ShowMonth(*dlg, 2026, 1);
      QCOMPARE(dlg->NotesEdit()->toPlainText(), QStringLiteral("Car to the garage"));
      PressDay(*dlg, 14);
      QCOMPARE(dlg->NotesEdit()->toPlainText(), QStringLiteral("Dentist at four"));
      // The notes of the day shown at closing are kept too.
      dlg->NotesEdit()->setPlainText("Dentist at five");
      QVERIFY(!std::filesystem::exists(f.dir.File("QLNOTES.DAT")));
      dlg->close();
      QVERIFY(std::filesystem::exists(f.dir.File("QLNOTES.DAT")));
    }
    CNotesFile notes(f.files, f.messages);
    QCOMPARE(notes.GetNote(CDateTime(2026, 1, 14, 0, 0, 0)), std::string("Dentist at five"));
    QCOMPARE(notes.GetNote(CDateTime(2026, 1, 15, 0, 0, 0)), std::string("Car to the garage"));
    QVERIFY(f.messages.Messages().empty());

    auto dlg = f.Open();
    QCOMPARE(dlg->NotesEdit()->toPlainText(), QStringLiteral("Dentist at five"));
  }

  // Every day of two months: bold where a Monday event still comes, underlined where a note
  // is kept, both where both.
  void monthGridMarksDaysWithEventsAndNotes() {
    Fixture f;
    f.Add("Review", "10:00:00").Fields().frequency = kWeekly;
    f.alarms.GetAlarm(0)->Fields().weekday = 2;
    f.alarms.GetSchedule(0)->Reschedule();
    {
      CNotesFile notes(f.files, f.messages);
      notes.SetNote(CDateTime(2026, 1, 26, 0, 0, 0), "Bring slides");
      notes.SetNote(CDateTime(2026, 2, 3, 0, 0, 0), "Dentist");
      notes.Save();
    }
    auto dlg = f.Open();
    for (const int month : {1, 2}) {
      ShowMonth(*dlg, 2026, month);
      for (int day = 1; day <= CDateTime::DaysInMonth(2026, month); ++day) {
        const CDateTime date(2026, month, day, 0, 0, 0);
        const bool event = date.DayOfWeek() == 2 && (month > 1 || day > 14);
        const bool note = (month == 1 && day == 26) || (month == 2 && day == 3);
        QCOMPARE(dlg->Grid()->MarksOf(day),
                 (event ? CMonthGrid::kHasEvents : 0) | (note ? CMonthGrid::kHasNotes : 0));
        QCOMPARE(dlg->Grid()->ButtonOfDay(day)->font().bold(), event);
      }
    }
  }

  void clearingANoteClearsIt() {
    Fixture f;
    {
      auto dlg = f.Open();
      dlg->NotesEdit()->setPlainText("Dentist");
      PressDay(*dlg, 15);
      PressDay(*dlg, 14);
      dlg->NotesEdit()->clear();
      PressDay(*dlg, 15);
      PressDay(*dlg, 14);
      QCOMPARE(dlg->NotesEdit()->toPlainText(), QString());
      // A day merely visited leaves no note of its own.
      PressDay(*dlg, 20);
      dlg->close();
    }
    CNotesFile notes(f.files, f.messages);
    QCOMPARE(notes.GetNote(CDateTime(2026, 1, 14, 0, 0, 0)), std::string());
    // One record of six bytes for the cleared note, none for the visited days.
    QCOMPARE(std::filesystem::file_size(f.dir.File("QLNOTES.DAT")), std::uintmax_t{6});
  }

  void notesHoldAtMost1999Characters() {
    Fixture f;
    auto dlg = f.Open();
    dlg->NotesEdit()->setPlainText(QString(1998, QLatin1Char('a')));
    dlg->NotesEdit()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(dlg->NotesEdit(), "xyz");
    const QString text = dlg->NotesEdit()->toPlainText();
    QCOMPARE(text.size(), 1999);
    QVERIFY(text.startsWith(QLatin1String("xa")));
    // Keystrokes at the limit do nothing; a paste that goes beyond is cut, and says so.
    QVERIFY(f.messages.Messages().empty());
    dlg->NotesEdit()->insertPlainText(QString(101, QLatin1Char('b')));
    QCOMPARE(dlg->NotesEdit()->toPlainText().size(), 1999);
    QCOMPARE(
        QString::fromStdString(f.messages.LastText()),
        QStringLiteral("A note holds at most 1999 characters.  101 characters were left out."));
  }

  void choosingABasisConvertsAndIsSaved() {
    Fixture f;
    f.Add("Tea", "16:00:00");
    auto dlg = f.Open();
    const bool seen =
        WhileModal<CSelectLocationDlg>([&] { dlg->ChooseBasisButton()->click(); },
                                       [](CSelectLocationDlg& select) {
                                         // Countries make their places when opened.
                                         QTreeWidget* tree = select.Tree();
                                         for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                                           tree->expandItem(tree->topLevelItem(i));
                                         }
                                         const auto found = select.Tree()->findItems(
                                             "Tokyo", Qt::MatchExactly | Qt::MatchRecursive);
                                         QVERIFY(!found.isEmpty());
                                         select.Tree()->setCurrentItem(found.front());
                                         select.accept();
                                       });
    QVERIFY(seen);
    QCOMPARE(dlg->BasisLabel()->text(), QStringLiteral("Tokyo,  Country"));
    QCOMPARE(Header(*dlg, kTimeColumn), Padded("Tokyo Time", 36));
    const QHeaderView* header = dlg->List()->header();
    QCOMPARE(header->sectionSize(kTimeColumn),
             header->fontMetrics().horizontalAdvance(Padded("Tokyo Time", 36)) + 15);
    const ClockSettings& fields = f.settings.Values();
    QCOMPARE(fields.scheduleBasis, (PlaceName{"Tokyo", "Country"}));
    QCOMPARE(fields.scheduleBasisView, 0);
    QCOMPARE(f.store.Writes(), 1);

    // It is already the 15th in Tokyo, so the 14th has become a past day.
    QCOMPARE(EnabledDays(*dlg).front(), 15);
    QVERIFY(!dlg->DaySelected());
    QCOMPARE(dlg->Model()->rowCount(), 0);
    PressDay(*dlg, 15);
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"01/15/2026 01:00:00 AM"});

    dlg->GmtButton()->click();
    QCOMPARE(dlg->BasisLabel()->text(), QStringLiteral("Greenwich Mean Time"));
    QCOMPARE(Header(*dlg, kTimeColumn), Padded(" Greenwich Mean Time", 36));
    QCOMPARE(fields.scheduleBasis, PlaceName{});
    QCOMPARE(f.store.Writes(), 1);
    QCOMPARE(EnabledDays(*dlg).front(), 14);
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"01/15/2026 04:00:00 PM"});
  }

  void storedBasisIsUsedOrFallsBackToGreenwich() {
    Fixture f;
    f.Add("Tea", "16:00:00");
    f.StoreBasis("Paris");
    auto dlg = f.Open();
    QCOMPARE(dlg->BasisLabel()->text(), QStringLiteral("Paris,  Country"));
    QCOMPARE(Header(*dlg, kTimeColumn), Padded("Paris Time", 36));
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"01/14/2026 05:00:00 PM"});

    dlg.reset();
    f.StoreBasis("Atlantis");
    dlg = f.Open();
    QCOMPARE(dlg->BasisLabel()->text(), QStringLiteral("Greenwich Mean Time"));
    QCOMPARE(Header(*dlg, kTimeColumn), Padded("Greenwich Mean Time", 36));
  }

  void headerClicksSortByTheirColumn() {
    Fixture f;
    f.Add("Zebra", "16:00:00");
    f.Add("Apple", "18:00:00", "Paris", 5);
    auto dlg = f.Open();
    dlg->DaysBox()->setValue(1);
    QCOMPARE(Column(*dlg, 0), QStringList({"Zebra", "Apple", "Zebra", "Apple"}));
    SelectRow(*dlg, 2);
    const QHeaderView* header = dlg->List()->header();
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), kTimeColumn);

    ClickHeader(*dlg, 0);
    QCOMPARE(Column(*dlg, 0), QStringList({"Apple", "Apple", "Zebra", "Zebra"}));
    QCOMPARE(Column(*dlg, 4), QStringList({"5 min.", "5 min.", "", ""}));
    QCOMPARE(header->sortIndicatorSection(), 0);
    // The selected row moves with its occurrence.
    QCOMPARE(dlg->List()->currentIndex().row(), 3);
    // Sorting is always ascending: a second click changes nothing.
    ClickHeader(*dlg, 0);
    QCOMPARE(Column(*dlg, 0), QStringList({"Apple", "Apple", "Zebra", "Zebra"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);

    ClickHeader(*dlg, kTimeColumn);
    QCOMPARE(Column(*dlg, 0), QStringList({"Zebra", "Apple", "Zebra", "Apple"}));
    QCOMPARE(header->sortIndicatorSection(), kTimeColumn);
    ClickHeader(*dlg, 4);
    QCOMPARE(Column(*dlg, 0), QStringList({"Zebra", "Zebra", "Apple", "Apple"}));
    QCOMPARE(header->sortIndicatorSection(), 4);
  }

  void everyColumnShowsAtTheFirstSize() {
    Fixture f;
    auto dlg = f.Open();
    const QHeaderView* header = dlg->List()->header();
    const int last = CScheduleListing::kColumnCount - 1;
    QVERIFY(header->sectionViewportPosition(last) + header->sectionSize(last) <=
            header->viewport()->width());
  }

  // The real editor shows the day chosen in the browser on its one-time page.
  void newOffersTheChosenDayInTheEditor() {
    Fixture f;
    auto dlg = f.Open();
    PressDay(*dlg, 20);
    QString shown;
    QVERIFY(WhileModal<CEventEditDlg>([&] { dlg->RunCommand(CScheduleDlg::kCmdNew); },
                                      [&](CEventEditDlg& editor) {
                                        shown =
                                            editor.findChild<COneTimePage*>()->DateEdit()->text();
                                      }));
    QCOMPARE(shown, QStringLiteral("01/20/2026"));
  }

  void popupMenuNeedsARowForAllButNew() {
    Fixture f;
    f.Add("Tea", "16:00:00");
    auto dlg = f.Open();
    auto menu = dlg->BuildPopupMenu();
    QCOMPARE(MenuTexts(*menu, false), QStringList({"Details", "New...", "Change...", "Delete"}));
    QCOMPARE(menu->actions().at(1)->isSeparator(), true);
    QCOMPARE(MenuTexts(*menu, true), QStringList{"New..."});

    SelectRow(*dlg, 0);
    menu = dlg->BuildPopupMenu();
    QCOMPARE(MenuTexts(*menu, true), QStringList({"Details", "New...", "Change...", "Delete"}));

    // The choice arrives as a posted command.
    MenuAction(*menu, "Delete")->trigger();
    QVERIFY(f.messages.Messages().empty());
    QCoreApplication::processEvents();
    QCOMPARE(f.messages.Messages().size(), std::size_t{1});
  }

  void rightClickOpensTheMenuOnTheRow() {
    Fixture f;
    f.Add("Tea", "16:00:00");
    auto dlg = f.Open();
    QStringList enabled;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu != nullptr) {
        enabled = MenuTexts(*menu, true);
        menu->close();
      }
    });
    SelectRow(*dlg, 0);
    const QRect row = dlg->List()->visualRect(dlg->Model()->index(0, 0));
    QWidget* viewport = dlg->List()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, row.center(),
                            viewport->mapToGlobal(row.center()));
    QApplication::sendEvent(viewport, &event);
    QCOMPARE(enabled, QStringList({"Details", "New...", "Change...", "Delete"}));
  }

  void deleteAsksOnceAndNoKeepsTheEvent() {
    Fixture f;
    f.Add("Tea \"strong\"", "16:00:00");
    auto dlg = f.Open();
    f.alarms.Save(f.files, f.messages);
    SelectRow(*dlg, 0);
    dlg->RunCommand(CScheduleDlg::kCmdDelete);
    QCOMPARE(f.messages.Messages().size(), std::size_t{1});
    QCOMPARE(f.messages.LastText(), std::string("You are about to delete the alarm named \"Tea "
                                                "\"strong\"\".  Do you want to proceed?"));
    QCOMPARE(f.alarms.GetCount(), std::size_t{1});
    QCOMPARE(dlg->Model()->rowCount(), 1);

    f.messages.Answer(true);
    dlg->RunCommand(CScheduleDlg::kCmdDelete);
    QCOMPARE(f.alarms.GetCount(), std::size_t{0});
    QCOMPARE(dlg->Model()->rowCount(), 0);
    QVERIFY(!std::filesystem::exists(f.dir.File("ALM_ZON.DAT")));
  }

  void newMakesAOneTimeEventOnTheSelectedDay() {
    Fixture f;
    f.StoreBasis("Paris");
    f.settings.Values().listKind = 1;
    auto dlg = f.Open();
    PressDay(*dlg, 20);
    CEvent offered;
    dlg->SetEventEditor([&](CEvent& alarm) {
      offered = alarm;
      return false;
    });
    dlg->RunCommand(CScheduleDlg::kCmdNew);
    QCOMPARE(offered.DateText(), std::string("01/20/2026"));
    QCOMPARE(offered.Fields().frequency, static_cast<std::int32_t>(kOneTime));
    QCOMPARE(offered.LocationName(), std::string("Paris"));
    QCOMPARE(offered.LocationCountry(), std::string("Country"));
    QCOMPARE(offered.Fields().listMode, 1);
    QCOMPARE(f.alarms.GetCount(), std::size_t{0});

    dlg->SetEventEditor([](CEvent& alarm) {
      CEvent::SetText(alarm.Fields().name, "Flight");
      CEvent::SetText(alarm.Fields().timeText, "07:30:00");
      return true;
    });
    dlg->RunCommand(CScheduleDlg::kCmdNew);
    QCOMPARE(f.alarms.GetCount(), std::size_t{1});
    QCOMPARE(Column(*dlg, 0), QStringList{"Flight"});
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"01/20/2026 07:30:00 AM"});
    QCOMPARE(Column(*dlg, 3), QStringList{"One-Time"});
    QCOMPARE(std::filesystem::file_size(f.dir.File("ALM_ZON.DAT")), std::uintmax_t{1404});

    // At Greenwich the new event has no location yet.
    dlg->GmtButton()->click();
    dlg->SetEventEditor([&](CEvent& alarm) {
      offered = alarm;
      return false;
    });
    dlg->RunCommand(CScheduleDlg::kCmdNew);
    QCOMPARE(offered.LocationName(), std::string());
  }

  void changeEditsACopyAndReschedules() {
    Fixture f;
    CEvent& tea = f.Add("Tea", "16:00:00");
    auto dlg = f.Open();
    SelectRow(*dlg, 0);
    dlg->SetEventEditor([](CEvent& alarm) {
      CEvent::SetText(alarm.Fields().timeText, "09:00:00");
      return false;
    });
    dlg->RunCommand(CScheduleDlg::kCmdChange);
    QCOMPARE(tea.TimeText(), std::string("16:00:00"));

    std::string offeredName;
    dlg->SetEventEditor([&](CEvent& alarm) {
      offeredName = alarm.Name();
      CEvent::SetText(alarm.Fields().timeText, "18:30:00");
      return true;
    });
    dlg->RunCommand(CScheduleDlg::kCmdChange);
    QCOMPARE(offeredName, std::string("Tea"));
    QCOMPARE(f.alarms.GetCount(), std::size_t{1});
    QCOMPARE(tea.TimeText(), std::string("18:30:00"));
    const std::optional<CDateTime>& next = f.alarms.GetSchedule(0)->Next();
    QVERIFY(next && *next == CDateTime(2026, 1, 14, 18, 30, 0));
    QCOMPARE(Column(*dlg, kTimeColumn), QStringList{"01/14/2026 06:30:00 PM"});
    QVERIFY(std::filesystem::exists(f.dir.File("ALM_ZON.DAT")));

    // An event that went away while it was being changed comes back as a new one.
    SelectRow(*dlg, 0);
    dlg->SetEventEditor([&](CEvent& alarm) {
      f.alarms.RemoveAt(0);
      CEvent::SetText(alarm.Fields().name, "Late tea");
      return true;
    });
    dlg->RunCommand(CScheduleDlg::kCmdChange);
    QCOMPARE(f.alarms.GetCount(), std::size_t{1});
    QCOMPARE(f.alarms.GetAlarm(0)->Name(), std::string("Late tea"));
    QCOMPARE(Column(*dlg, 0), QStringList{"Late tea"});
  }

  void detailsShowTheEventSummary() {
    Fixture f;
    f.Add("Tea", "18:00:00", "Paris", 10);
    auto dlg = f.Open();
    QStringList values;
    const auto read = [&](CEventSummaryDlg& summary) {
      QCOMPARE(summary.windowTitle(), QStringLiteral("Event Summary"));
      for (int line = 0; line < CEventSummaryDlg::kLineCount; ++line) {
        values << summary.Value(static_cast<CEventSummaryDlg::Line>(line))->text();
      }
    };
    // Nothing selected: nothing opens.
    QVERIFY(
        !WhileModal<CEventSummaryDlg>([&] { dlg->RunCommand(CScheduleDlg::kCmdDetails); }, read));

    SelectRow(*dlg, 0);
    QVERIFY(
        WhileModal<CEventSummaryDlg>([&] { dlg->RunCommand(CScheduleDlg::kCmdDetails); }, read));
    QCOMPARE(values,
             QStringList({"Wednesday, 01/14/2026  06:00:00 PM", "Tea", "Paris, Country", "Daily",
                          "10 minutes", "Display message box text: Time for it\n\n"}));

    values.clear();
    const QRect row = dlg->List()->visualRect(dlg->Model()->index(0, 0));
    QVERIFY(WhileModal<CEventSummaryDlg>(
        [&] {
          QWidget* viewport = dlg->List()->viewport();
          QTest::mouseClick(viewport, Qt::LeftButton, {}, row.center());
          QTest::mouseDClick(viewport, Qt::LeftButton, {}, row.center());
        },
        read));
    QCOMPARE(values.front(), QStringLiteral("Wednesday, 01/14/2026  06:00:00 PM"));
  }

  void rebuildFollowsEventsRemovedElsewhere() {
    Fixture f;
    f.Add("Tea", "16:00:00");
    f.Add("Supper", "19:00:00");
    auto dlg = f.Open();
    QCOMPARE(dlg->Model()->rowCount(), 2);
    f.alarms.RemoveAt(0);
    dlg->RebuildEventList();
    QCOMPARE(Column(*dlg, 0), QStringList{"Supper"});
  }

  void closingRemembersTheRectangle() {
    Fixture f;
    CDialogPositions& positions = f.context.Positions();
    {
      auto dlg = f.Open();
      dlg->setGeometry(60, 70, 800, 600);
      QTest::keyClick(dlg.get(), Qt::Key_Escape);
      QVERIFY(!dlg->isVisible());
      QVERIFY(positions.IsRemembered(CDialogPositions::kSchedule));
    }
    auto dlg = f.Open();
    QCOMPARE(dlg->geometry(), QRect(60, 70, 800, 600));
  }
};

QTEST_MAIN(ScheduleDlgTest)
#include "scheduledlg_test.moc"
