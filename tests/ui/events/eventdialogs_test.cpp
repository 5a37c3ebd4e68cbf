// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>
#include <bit>
#include <filesystem>
#include <fstream>

#include "events/eventlist.h"
#include "events/eventwords.h"
#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "support/fakeclock.h"
#include "support/recordingactions.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/scopedtz.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "ui/events/alarmservice.h"
#include "ui/events/annualpage.h"
#include "ui/events/dailypage.h"
#include "ui/events/eventeditdlg.h"
#include "ui/events/eventlistdlg.h"
#include "ui/events/monthlypage.h"
#include "ui/events/onetimepage.h"
#include "ui/events/weeklypage.h"
#include "ui/locations/locationtree.h"
#include "ui/widgets/spinfield.h"

using namespace zw;

using namespace zw::test;

namespace {

// A place east of GMT, so its wall clock and the computer's GMT clock differ by hours.
struct World {
  World() {
    auto tokyo = std::make_unique<CLocation>();
    tokyo->SetName("Tokyo");
    tokyo->SetCountry("Japan");
    tokyo->SetOffset(9);
    db.Insert(std::move(tokyo));
    settings.Values().listKind = CLocationTree::kCountryCity;
    settings.Values().lastLocation.name = "Tokyo";
    settings.Values().lastLocation.country = "Japan";
  }

  // 2026-12-08 12:00 GMT is 21:00 in Tokyo.
  test::FakeClock clock{2026, 12, 8, 12, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  CFileSettingsStore store{files, dir.Path() + "/SETTINGS"};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{
      {.db = &db, .settings = &settings, .store = &store, .files = &files, .messages = &messages}};
};

std::unique_ptr<CEvent> NewAlarm() {
  return std::make_unique<CEvent>();
}

// An event at Tokyo.
void AddAt(CEventList& list, const char* name, int frequency, const char* time, const char* date,
           EventExtras extras = {}) {
  auto alarm = std::make_unique<CEvent>();
  CEvent::SetText(alarm->Fields().name, name);
  CEvent::SetText(alarm->Fields().locationName, "Tokyo");
  CEvent::SetText(alarm->Fields().locationCountry, "Japan");
  CEvent::SetText(alarm->Fields().timeText, time);
  CEvent::SetText(alarm->Fields().dateText, date);
  alarm->Fields().frequency = frequency;
  alarm->Fields().weekday = 3;
  alarm->Fields().showMessage = 1;
  alarm->SetExtras(extras);
  list.Add(std::move(alarm));
}

QStringList Column(const QTreeWidget* list, int column) {
  QStringList texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    texts << list->topLevelItem(row)->text(column);
  }
  return texts;
}

QString Last(const test::RecordingSink& s) {
  return QString::fromStdString(s.LastText());
}

}  // namespace

class EventDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void requiredFieldsInOrder() {
    World w;
    auto alarm = NewAlarm();
    CEventEditDlg dlg(w.context.Context(), *alarm);
    dlg.accept();
    QCOMPARE(Last(w.messages), QStringLiteral("Alarm name must be entered."));
    dlg.NameEdit()->setText("Stand-up");
    dlg.LocationTree().Tree()->setCurrentItem(dlg.LocationTree().Tree()->topLevelItem(0));
    dlg.accept();
    QCOMPARE(Last(w.messages),
             QStringLiteral("A valid location must be selected in order to determine the time "
                            "zone used by the alarm."));
    QVERIFY(dlg.LocationTree().SelectByName("Tokyo", "Japan"));
    dlg.accept();
    QCOMPARE(Last(w.messages), QStringLiteral("Please enter the alarm time."));
    dlg.CurrentPage()->TimeEdit()->setText("7:15");
    dlg.accept();
    QCOMPARE(Last(w.messages),
             QStringLiteral("Invalid time entered. Must be in HH:MM:SS AM/PM (12-hour) format.  "
                            "Minutes and seconds are optional."));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
  }

  void noActionAnsweredNoStoresAnEventThatDoesNothing() {
    World w;
    auto alarm = NewAlarm();
    CEventEditDlg dlg(w.context.Context(), *alarm);
    QVERIFY(dlg.LocationTree().Selected() != nullptr);  // the last selected location
    dlg.NameEdit()->setText("Stand-up");
    dlg.CurrentPage()->TimeEdit()->setText("9:30 am");
    dlg.PreNotifyBox()->setValue(15);
    w.messages.Answer(false);
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(Last(w.messages),
             QStringLiteral("No alarm action has been specified.  Do you want to enter an "
                            "action?"));
    QCOMPARE(alarm->TimeText(), std::string("09:30:00"));
    QCOMPARE(alarm->LocationName(), std::string("Tokyo"));
    QCOMPARE(alarm->Fields().preNotifyMinutes, 15);
    QCOMPARE(alarm->Fields().showMessage + alarm->Fields().playMedia + alarm->Fields().runProgram,
             0);
    QCOMPARE(dlg.CurrentPage()->TimeEdit()->text(), QStringLiteral("09:30:00 AM"));
  }

  void switchingAFilledPageAsksFirst() {
    World w;
    auto alarm = NewAlarm();
    CEventEditDlg dlg(w.context.Context(), *alarm);
    // An empty page is left without a question.
    dlg.Tabs()->setCurrentIndex(kWeekly);
    QVERIFY(w.messages.Messages().empty());
    dlg.Tabs()->setCurrentIndex(kDaily);
    dlg.CurrentPage()->TimeEdit()->setText("10:00 am");
    w.messages.Answer(false);
    dlg.Tabs()->setCurrentIndex(kWeekly);
    QCOMPARE(Last(w.messages), QStringLiteral("Should the daily alarm settings be discarded?"));
    QCOMPARE(dlg.Tabs()->currentIndex(), int(kDaily));
    QCOMPARE(dlg.CurrentPage()->TimeEdit()->text(), QStringLiteral("10:00 am"));
    w.messages.Answer(true);
    dlg.Tabs()->setCurrentIndex(kWeekly);
    QCOMPARE(dlg.CurrentPage()->Frequency(), int(kWeekly));
    QVERIFY(dlg.CurrentPage()->TimeEdit()->text().isEmpty());
    dlg.Tabs()->setCurrentIndex(kDaily);
    QVERIFY(dlg.CurrentPage()->TimeEdit()->text().isEmpty());
  }

  void pageRules_data() {
    QTest::addColumn<int>("frequency");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("weekly without a day")
        << int(kWeekly) << "" << false << "Please select a day of the week." << false;
    QTest::newRow("monthly day 0") << int(kMonthly) << "0" << false
                                   << "The day of the month must be between 1 and 31." << false;
    QTest::newRow("monthly day 32") << int(kMonthly) << "32" << false
                                    << "The day of the month must be between 1 and 31." << false;
    QTest::newRow("monthly day 29, no") << int(kMonthly) << "29" << false
                                        << "The day of the month entered is greater than 28 "
                                           "which will cause this alarm to skip certain months.  "
                                           "Do you want to continue using the day of month "
                                           "specified?"
                                        << false;
    QTest::newRow("monthly empty day")
        << int(kMonthly) << "" << false << "Please enter day of the month." << false;
    QTest::newRow("annual February 30")
        << int(kAnnual) << "30" << false << "The day entered for the selected month is invalid."
        << false;
    QTest::newRow("annual February 29") << int(kAnnual) << "29" << false << "" << true;
    QTest::newRow("one-time before Tokyo's now") << int(kOneTime) << "12/08/2026" << false
                                                 << "Please enter a date and time in the future.  "
                                                    "Check the current time of the selected "
                                                    "location."
                                                 << false;
    QTest::newRow("one-time empty date")
        << int(kOneTime) << "" << false << "Please enter the alarm date." << false;
  }

  void pageRules() {
    QFETCH(int, frequency);
    QFETCH(QString, field);
    QFETCH(bool, answer);
    QFETCH(QString, message);
    QFETCH(bool, accepted);
    World w;
    auto alarm = NewAlarm();
    alarm->Fields().frequency = frequency;
    CEventEditDlg dlg(w.context.Context(), *alarm);
    dlg.NameEdit()->setText("Rule");
    // 8:00 PM in Tokyo is before its 9:00 PM now, though after the computer's 12:00 GMT.
    dlg.CurrentPage()->TimeEdit()->setText("8:00 pm");
    dlg.Actions().showMessage = true;
    dlg.Actions().messageText = "Hello";
    if (frequency == kMonthly) {
      static_cast<CMonthlyPage*>(dlg.CurrentPage())->DayField()->SetText(field);
    } else if (frequency == kAnnual) {
      static_cast<CAnnualPage*>(dlg.CurrentPage())->MonthList()->setCurrentIndex(1);
      static_cast<CAnnualPage*>(dlg.CurrentPage())->DayField()->SetText(field);
    } else if (frequency == kOneTime) {
      static_cast<COneTimePage*>(dlg.CurrentPage())->DateEdit()->setText(field);
    }
    w.messages.Answer(answer);
    dlg.accept();
    QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
    if (!message.isEmpty()) {
      QCOMPARE(Last(w.messages), message);
    }
    if (accepted && frequency == kAnnual) {
      QCOMPARE(alarm->Fields().annualMonth, 2);
      QCOMPARE(alarm->Fields().annualDay, 29);
      QCOMPARE(alarm->Fields().showMessage, 1);
    }
  }

  void existingEventFillsItsPageInTheUsersForms() {
    World w;
    w.settings.Values().dateOrder = CDateTime::kDayMonthYear;
    w.settings.Values().hour24 = 1;
    auto alarm = NewAlarm();
    CEvent::SetText(alarm->Fields().name, "Flight");
    CEvent::SetText(alarm->Fields().locationName, "Tokyo");
    CEvent::SetText(alarm->Fields().locationCountry, "Japan");
    CEvent::SetText(alarm->Fields().timeText, "18:45:00");
    CEvent::SetText(alarm->Fields().dateText, "01/31/2027");
    alarm->Fields().frequency = kOneTime;
    CEventEditDlg dlg(w.context.Context(), *alarm);
    QCOMPARE(dlg.CurrentPage()->TimeEdit()->text(), QStringLiteral("18:45:00"));
    QCOMPARE(static_cast<COneTimePage*>(dlg.CurrentPage())->DateEdit()->text(),
             QStringLiteral("31.01.2027"));
    QCOMPARE(dlg.LocationTree().Selected()->Name(), std::string("Tokyo"));
    QCOMPARE(dlg.NameEdit()->text(), QStringLiteral("Flight"));
  }

  void setEventAddChangeDelete() {
    World w;
    CEventList& alarms = w.context.Events();
    CEventListDlg set(w.context.Context());
    QVERIFY(!set.ChangeButton()->isEnabled());
    QVERIFY(!set.DeleteButton()->isEnabled());

    OnNextModal<CEventEditDlg>([](CEventEditDlg* dlg) {
      dlg->NameEdit()->setText("Call home");
      dlg->CurrentPage()->TimeEdit()->setText("10:00 pm");
      dlg->Actions().showMessage = true;
      dlg->Actions().messageText = "Ring";
      dlg->accept();
    });
    set.AddEvent();
    QCOMPARE(alarms.GetCount(), std::size_t{1});
    QCOMPARE(set.List()->topLevelItem(0)->text(CEventListDlg::kNameColumn),
             QStringLiteral("Call home"));
    QVERIFY(set.ChangeButton()->isEnabled());
    QVERIFY(std::filesystem::exists(w.dir.File("ALM_ZON.DAT")));
    QCOMPARE(*alarms.GetSchedule(0)->Next(), CDateTime(2026, 12, 8, 22, 0, 0));

    // Cancelling a change leaves the event and its schedule as they were.
    OnNextModal<CEventEditDlg>([](CEventEditDlg* dlg) {
      dlg->NameEdit()->setText("Renamed");
      dlg->reject();
    });
    set.ChangeEvent();
    QCOMPARE(alarms.GetAlarm(0)->Name(), std::string("Call home"));

    OnNextModal<CEventEditDlg>([](CEventEditDlg* dlg) {
      dlg->CurrentPage()->TimeEdit()->setText("11:00 pm");
      dlg->accept();
    });
    set.ChangeEvent();
    QCOMPARE(*alarms.GetSchedule(0)->Next(), CDateTime(2026, 12, 8, 23, 0, 0));

    w.messages.Answer(true);
    set.DeleteEvent();
    QCOMPARE(Last(w.messages), QStringLiteral("You are about to delete the alarm named \"Call "
                                              "home\".  Do you want to proceed?"));
    QCOMPARE(alarms.GetCount(), std::size_t{0});
    QVERIFY(!set.ChangeButton()->isEnabled());
    QVERIFY(!std::filesystem::exists(w.dir.File("ALM_ZON.DAT")));
  }

  // Past the 32-bit end of time: both kinds of dated event are taken, kept and listed.
  void eventsAfter2038SurviveTheRoundTrip() {
    World w;
    w.clock.Set(CDateTime(2040, 2, 15, 12, 0, 0).Seconds());
    CEventListDlg set(w.context.Context());
    const auto add = [&](const char* name, int frequency) {
      OnNextModal<CEventEditDlg>([=](CEventEditDlg* dlg) {
        dlg->NameEdit()->setText(name);
        dlg->Tabs()->setCurrentIndex(frequency);
        dlg->CurrentPage()->TimeEdit()->setText("9:00 am");
        if (frequency == kAnnual) {
          auto* page = static_cast<CAnnualPage*>(dlg->CurrentPage());
          page->MonthList()->setCurrentIndex(2);
          page->DayField()->SetText("1");
        } else {
          static_cast<COneTimePage*>(dlg->CurrentPage())->DateEdit()->setText("03/01/2040");
        }
        dlg->Actions().showMessage = true;
        dlg->Actions().messageText = "Sakura";
        dlg->accept();
      });
      set.AddEvent();
    };
    add("Hanami", kAnnual);
    add("Flight", kOneTime);
    QCOMPARE(w.context.Events().GetCount(), std::size_t{2});
    QCOMPARE(Column(set.List(), CEventListDlg::kPlaceTimeColumn),
             QStringList({"03/01/2040 09:00:00 AM", "03/01/2040 09:00:00 AM"}));

    CEventList reloaded(w.db);
    QVERIFY(reloaded.Load(w.files, w.messages));
    QCOMPARE(reloaded.GetCount(), std::size_t{2});
    for (std::size_t i = 0; i < reloaded.GetCount(); ++i) {
      QCOMPARE(*reloaded.GetSchedule(i)->Next(), CDateTime(2040, 3, 1, 9, 0, 0));
    }
    // A year on, the annual one comes again and the one-time one is gone.
    w.clock.Set(CDateTime(2041, 2, 15, 12, 0, 0).Seconds());
    reloaded.GetSchedule(0)->Reschedule();
    reloaded.GetSchedule(1)->Reschedule();
    QCOMPARE(*reloaded.GetSchedule(0)->Next(), CDateTime(2041, 3, 1, 9, 0, 0));
    QVERIFY(!reloaded.GetSchedule(1)->Next());
  }

  // The list tells when and where each event comes next, sorts by every column, switches
  // events off and on in place, and carries events out to a calendar file and back in.
  void setEventListTellsSortsSwitchesAndTransfers() {
    test::ScopedTz utc("UTC");
    World w;
    w.settings.Values().hour24 = true;
    CEventList& alarms = w.context.Events();
    AddAt(alarms, "Standup", kDaily, "22:00:00", "12/01/2026");
    AddAt(alarms, "Gym", kWeekly, "07:30:00", "12/01/2026",
          {.kind = RepeatKind::kEveryNWeeks, .weekdays = EventExtras::kMondayToFriday});
    AddAt(alarms, "Flight", kOneTime, "06:00:00", "12/20/2026", {.off = true});
    CEventListDlg set(w.context.Context());
    QTreeWidget* list = set.List();

    list->sortByColumn(CEventListDlg::kNameColumn, Qt::AscendingOrder);
    QCOMPARE(Column(list, CEventListDlg::kNameColumn), (QStringList{"Flight", "Gym", "Standup"}));
    QCOMPARE(Column(list, CEventListDlg::kRepeatColumn)[1],
             QStringLiteral("Every weekday at 07:30, Tokyo"));
    QCOMPARE(Column(list, CEventListDlg::kPlaceTimeColumn),
             (QStringList{"", "12/09/2026 07:30:00", "12/08/2026 22:00:00"}));
    QCOMPARE(Column(list, CEventListDlg::kHereTimeColumn),
             (QStringList{"", "12/08/2026 22:30:00", "12/08/2026 13:00:00"}));
    QCOMPARE(list->topLevelItem(0)->checkState(CEventListDlg::kOnColumn), Qt::Unchecked);
    QVERIFY(list->topLevelItem(0)->foreground(1) != list->topLevelItem(1)->foreground(1));

    // Each column sorts by what it shows: times by instant, with no next time last.
    const std::vector<std::pair<int, QStringList>> orders{
        {CEventListDlg::kOnColumn, {"Gym", "Standup", "Flight"}},
        {CEventListDlg::kPlaceTimeColumn, {"Standup", "Gym", "Flight"}},
        {CEventListDlg::kHereTimeColumn, {"Standup", "Gym", "Flight"}},
    };
    for (const auto& [column, names] : orders) {
      list->sortByColumn(column, Qt::AscendingOrder);
      QCOMPARE(Column(list, CEventListDlg::kNameColumn).mid(column == 0 ? 2 : 0),
               names.mid(column == 0 ? 2 : 0));
    }

    // Switched on from the list: it is due again, and the file says so.
    list->sortByColumn(CEventListDlg::kNameColumn, Qt::AscendingOrder);
    list->topLevelItem(0)->setCheckState(CEventListDlg::kOnColumn, Qt::Checked);
    QVERIFY(!alarms.GetAlarm(2)->IsOff());
    QCOMPARE(list->topLevelItem(0)->text(CEventListDlg::kPlaceTimeColumn),
             QStringLiteral("12/20/2026 06:00:00"));
    list->topLevelItem(2)->setCheckState(CEventListDlg::kOnColumn, Qt::Unchecked);
    {
      CEventList reloaded(w.db);
      QVERIFY(reloaded.Load(w.files, w.messages));
      QVERIFY(!reloaded.GetAlarm(2)->IsOff());
      QVERIFY(reloaded.GetAlarm(0)->IsOff());
    }

    // Out with only the chosen event, then all of them; all come back in, a day-long event
    // is named as skipped.
    const QString path = QString::fromStdString(w.dir.File("events.ics"));
    set.SetFileChooser([&](bool) { return path; });
    set.SetPlaceChooser([&] { return w.db.At(0); });
    const auto exported = [&](bool onlyChosen) {
      w.messages.Answer(onlyChosen);
      set.ExportEvents();
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    list->clearSelection();
    list->topLevelItem(1)->setSelected(true);
    QCOMPARE(exported(true).count("BEGIN:VEVENT"), 1);
    QByteArray text = exported(false);
    text.insert(text.lastIndexOf("END:VCALENDAR"),
                "BEGIN:VEVENT\r\nUID:h@x\r\nDTSTAMP:20261208T000000Z\r\n"
                "DTSTART;VALUE=DATE:20261224\r\nSUMMARY:Holiday\r\nEND:VEVENT\r\n");
    QFile all(path);
    QVERIFY(all.open(QIODevice::WriteOnly | QIODevice::Truncate) && all.write(text) > 0);
    all.close();
    while (alarms.GetCount() > 0) {
      alarms.RemoveAt(0);
    }
    set.ImportEvents();
    QCOMPARE(alarms.GetCount(), std::size_t{3});
    QCOMPARE(Column(list, CEventListDlg::kRepeatColumn)[1],
             QStringLiteral("Every weekday at 07:30, Tokyo"));
    QVERIFY(Last(w.messages).contains("Imported 3 events."));
    QVERIFY(Last(w.messages).contains("Holiday: an all-day event has no time of day"));
  }

  // The richer repeats as the pages write them, and back into fresh pages: every ordinal with
  // every weekday of the monthly page, every weekday set, every day count.
  void repeatPagesStoreAndShowTheRicherRepeats() {
    World w;
    w.settings.Values().hour24 = true;
    const PageContext context{w.messages, 0, CDateTime::kTwentyFourHour, w.db.At(0)};
    const auto store = [&](CFrequencyPage& page) {
      CEvent alarm;
      alarm.SetOff(true);
      page.TimeEdit()->setText("09:00");
      if (!page.ValidateAndStore(alarm, context)) {
        qFatal("the page refused its own settings");
      }
      alarm.Fields().frequency = page.Frequency();
      CEvent::SetText(alarm.Fields().locationName, "Tokyo");
      return alarm;
    };
    CWeeklyPage weekly(0, CDateTime::kTwentyFourHour);
    weekly.ChooseWorkdays();
    QCOMPARE(RepeatWords(store(weekly), true), std::string("Every weekday at 09:00, Tokyo"));
    for (int days = 1; days <= EventExtras::kWeekdayBits; ++days) {
      weekly.Reset();
      weekly.DayList()->setCurrentIndex(std::countr_zero(static_cast<unsigned>(days)));
      for (int day = 0; day < 7; ++day) {
        weekly.AlsoOn(day)->setChecked(days >> day & 1);
      }
      weekly.IntervalBox()->setValue(days % 3 + 1);
      const CEvent alarm = store(weekly);
      CWeeklyPage shown(0, CDateTime::kTwentyFourHour);
      shown.Fill(alarm);
      QCOMPARE(alarm.Repeat() == RepeatKind::kPlain,
               days == (days & -days) && weekly.IntervalBox()->value() == 1);
      QCOMPARE(shown.DayList()->currentIndex(), weekly.DayList()->currentIndex());
      QCOMPARE(shown.IntervalBox()->value(), weekly.IntervalBox()->value());
    }
    CMonthlyPage monthly(0, CDateTime::kTwentyFourHour);
    for (int ordinal = 0; ordinal < monthly.OrdinalList()->count(); ++ordinal) {
      for (int day = 0; day < 7; ++day) {
        monthly.NthWeekday()->setChecked(true);
        monthly.OrdinalList()->setCurrentIndex(ordinal);
        monthly.WeekdayList()->setCurrentIndex(day);
        monthly.IntervalBox()->setValue(day + 1);
        const CEvent alarm = store(monthly);
        QCOMPARE(alarm.Repeat(), RepeatKind::kNthWeekday);
        CMonthlyPage shown(0, CDateTime::kTwentyFourHour);
        shown.Fill(alarm);
        QVERIFY(shown.NthWeekday()->isChecked());
        QCOMPARE(shown.OrdinalList()->currentIndex(), ordinal);
        QCOMPARE(shown.WeekdayList()->currentIndex(), day);
        QCOMPARE(shown.IntervalBox()->value(), day + 1);
      }
    }
    CDailyPage daily(0, CDateTime::kTwentyFourHour);
    for (int interval = 1; interval <= EventExtras::kMaxInterval; ++interval) {
      daily.IntervalBox()->setValue(interval);
      CEvent alarm = store(daily);
      QCOMPARE(alarm.Repeat() == RepeatKind::kEveryNDays, interval > 1);
      // The page keeps the event off, and a repeat that counts days starts today there.
      QVERIFY(alarm.IsOff());
      QCOMPARE(alarm.DateText(), std::string(interval > 1 ? "12/08/2026" : ""));
      daily.Fill(alarm);
      QCOMPARE(daily.IntervalBox()->value(), interval);
    }
  }

  // Every day of a year, typed in the user's order, becomes the day a count of days or weeks
  // starts from and shows again; a count of one has no start, and a day that is no date is
  // refused.
  void repeatsThatCountStartOnTheDayChosen() {
    World w;
    const PageContext context{w.messages, CDateTime::kDayMonthYear, CDateTime::kTwentyFourHour,
                              w.db.At(0)};
    CDailyPage daily(CDateTime::kDayMonthYear, CDateTime::kTwentyFourHour);
    CWeeklyPage weekly(CDateTime::kDayMonthYear, CDateTime::kTwentyFourHour);
    weekly.DayList()->setCurrentIndex(3);
    for (CFrequencyPage* page : std::initializer_list<CFrequencyPage*>{&daily, &weekly}) {
      auto* interval = page->findChild<QSpinBox*>();
      page->TimeEdit()->setText("09:00");
      QVERIFY(!page->StartEdit()->isEnabled());
      interval->setValue(3);
      QVERIFY(page->StartEdit()->isEnabled());
      for (CDateTime day(2027, 1, 1, 0, 0, 0); day.Year() == 2027; day += CDateSpan(1, 0, 0, 0)) {
        page->StartEdit()->setText(QString::fromStdString(day.FormatDate(2, ".", 4)));
        CEvent alarm;
        QVERIFY(page->ValidateAndStore(alarm, context));
        QCOMPARE(alarm.DateText(), day.FormatDate(CDateTime::kMonthDayYear, "/", 4));
        alarm.Fields().frequency = page->Frequency();
        page->StartEdit()->clear();
        page->Fill(alarm);
        QCOMPARE(page->StartEdit()->text().toStdString(), day.FormatDate(2, ".", 4));
      }
      // Left empty, the count starts today at the place.
      page->StartEdit()->clear();
      CEvent alarm;
      QVERIFY(page->ValidateAndStore(alarm, context));
      QCOMPARE(alarm.DateText(), std::string("12/08/2026"));
      w.messages.Clear();
      page->StartEdit()->setText("31.02.2027");
      QVERIFY(!page->ValidateAndStore(alarm, context));
      QVERIFY(!w.messages.LastText().empty());
      interval->setValue(1);
      QVERIFY(!page->StartEdit()->isEnabled());
    }
  }

  void eventCreatedThroughTheDialogsFiresAtItsTime() {
    World w;
    test::RecordingActions& actions = w.context.Actions();
    CAlarmService& alarms = w.context.Alarms();
    CEventListDlg set(w.context.Context());

    OnNextModal<CEventEditDlg>([](CEventEditDlg* dlg) {
      dlg->NameEdit()->setText("Boarding");
      dlg->Tabs()->setCurrentIndex(kOneTime);
      dlg->CurrentPage()->TimeEdit()->setText("9:05 pm");
      static_cast<COneTimePage*>(dlg->CurrentPage())->DateEdit()->setText("12/8/26");
      dlg->Actions().showMessage = true;
      dlg->Actions().messageText = "Gate 12";
      dlg->accept();
    });
    set.AddEvent();
    OnNextModal<CEventEditDlg>([](CEventEditDlg* dlg) {
      dlg->NameEdit()->setText("Taxi");
      dlg->CurrentPage()->TimeEdit()->setText("9:10 pm");
      dlg->Actions().showMessage = true;
      dlg->Actions().messageText = "Downstairs";
      dlg->accept();
    });
    set.AddEvent();
    QCOMPARE(set.List()->topLevelItemCount(), 2);

    // 21:05 in Tokyo: the one-time event fires and leaves the open list.
    w.clock.Set(CDateTime(2026, 12, 8, 12, 5, 0).Seconds());
    alarms.CheckDue();
    QTRY_COMPARE(actions.Calls().size(), std::size_t{2});
    QCOMPARE(actions.Calls()[0].what, std::string("message"));
    QCOMPARE(actions.Calls()[0].text, std::string("Boarding\r\n\r\nGate 12"));
    QCOMPARE(set.List()->topLevelItemCount(), 1);
    QCOMPARE(set.List()->topLevelItem(0)->text(CEventListDlg::kNameColumn), QStringLiteral("Taxi"));

    // The daily one is found three minutes late.
    actions.Clear();
    w.clock.Set(CDateTime(2026, 12, 8, 12, 13, 0).Seconds());
    alarms.CheckDue();
    QTRY_COMPARE(actions.Calls().size(), std::size_t{1});
    QCOMPARE(actions.Calls()[0].text,
             std::string("Taxi\r\n\r\n** LATE NOTIFICATION **\r\n\r\nDownstairs"));
    // The file holds the next due instant, tomorrow at 21:10 Tokyo time.
    CEventList reloaded(w.db);
    reloaded.Load(w.files, w.messages);
    QCOMPARE(reloaded.GetCount(), std::size_t{1});
    QCOMPARE(*reloaded.GetSchedule(0)->Next(), CDateTime(2026, 12, 9, 21, 10, 0));
  }

  void startedProgramWritesItsLogLine() {
    World w;
    test::RecordingActions actions;
    CAlarmService alarms(w.settings, w.db, w.files, w.messages, actions);
    auto alarm = NewAlarm();
    CEvent::SetText(alarm->Fields().name, "Backup");
    CEvent::SetText(alarm->Fields().locationName, "Tokyo");
    CEvent::SetText(alarm->Fields().locationCountry, "Japan");
    CEvent::SetText(alarm->Fields().timeText, "21:01:00");
    alarm->Fields().runProgram = 1;
    CEvent::SetText(alarm->Fields().programCommand, "backup --all");
    alarms.Events().Add(std::move(alarm));
    w.clock.Set(CDateTime(2026, 12, 8, 12, 1, 0).Seconds());
    alarms.CheckDue();
    QTRY_COMPARE(actions.Calls().size(), std::size_t{1});
    std::ifstream log(w.dir.File("ZnWright.log"));
    std::string line;
    std::getline(log, line);
    QCOMPARE(QString::fromStdString(line),
             QStringLiteral("12/08/2026 12:01:00 PM (GMT time)  12/08/2026 09:01:00 PM (Tokyo, "
                            "Japan)  Successfully started program \"backup --all\" in directory "
                            "\"\"\r"));
  }
};

QTEST_MAIN(EventDialogsTest)
#include "eventdialogs_test.moc"
