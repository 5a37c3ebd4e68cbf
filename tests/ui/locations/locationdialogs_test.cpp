// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <functional>
#include <random>

#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "locations/namefolding.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "ui/locations/locationlistdlg.h"
#include "ui/locations/locationpropsdlg.h"
#include "ui/locations/locationtree.h"
#include "ui/locations/selectlocationdlg.h"

using namespace zw;

using namespace zw::test;

namespace {

struct Row {
  int type;
  const char* country;
  const char* name;
  int offset;
};

// A small database of the test's own: two Springfields, a lone German city, area codes and a
// custom location.
struct World {
  World() {
    const Row rows[] = {{1, "United States", "Springfield", -6},
                        {1, "Australia", "Springfield", 9},
                        {1, "Germany", "Berlin", 1},
                        {1, "India", "Mumbai", 5},
                        {2, "California", "415", -8},
                        {9, "Friends", "Anna", 2}};
    for (const Row& r : rows) {
      auto loc = std::make_unique<CLocation>();
      loc->SetType(r.type);
      loc->SetCountry(r.country);
      loc->SetName(r.name);
      loc->SetOffset(r.offset);
      db.Insert(std::move(loc));
    }
  }

  CLocation* Find(const char* name, const char* country) const {
    const int i = db.Find(name, country);
    return i < 0 ? nullptr : db.At(static_cast<std::size_t>(i));
  }

  std::function<void()> CountClockChanges() {
    return [this] { ++clockChanges; };
  }

  test::FakeClock clock{2026, 12, 8, 12, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{
      {.db = &db, .settings = &settings, .files = &files, .messages = &messages}};
  int clockChanges = 0;
};

QStringList TopLevel(const QTreeWidget* tree) {
  QStringList texts;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    texts << tree->topLevelItem(i)->text(0);
  }
  return texts;
}

// A grouped view makes a country's places when the country is opened.
QTreeWidgetItem* FirstPlace(QTreeWidget* tree, int group) {
  tree->expandItem(tree->topLevelItem(group));
  return tree->topLevelItem(group)->child(0);
}

}  // namespace

class LocationDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void viewsGroupAndFilterByType() {
    World w;
    QTreeWidget tree;
    CLocationTree t(&tree, w.db);
    t.Fill(CLocationTree::kCity);
    // The two Springfields are told apart by their countries.
    QCOMPARE(TopLevel(&tree), (QStringList{"Berlin", "Mumbai", "Springfield (Australia)",
                                           "Springfield (United States)"}));
    t.Fill(CLocationTree::kCountryCity);
    QCOMPARE(TopLevel(&tree), (QStringList{"Australia", "Germany", "India", "United States"}));
    QCOMPARE(FirstPlace(&tree, 0)->text(0), QStringLiteral("Springfield"));
    t.Fill(CLocationTree::kAreaCode);
    QCOMPARE(TopLevel(&tree), (QStringList{"California"}));
    t.Fill(CLocationTree::kCustomList);
    QCOMPARE(TopLevel(&tree), (QStringList{"Friends"}));
    // A location not shown in the view has no item to select.
    QVERIFY(!t.SelectByName("Berlin", "Germany"));
    QVERIFY(t.SelectByName("Anna", "Friends"));
    QCOMPARE(t.Selected(), w.Find("Anna", "Friends"));
  }

  // Names and countries come in the reader's order, accents folded, not in the bytes' order
  // that puts "Liège" after "Livorno" and "Åland Islands" after "Zambia".
  void viewsSortAsPeopleRead() {
    CLocationDB db;
    const Row rows[] = {{1, "Italy", "Livorno", 1},
                        {1, "Belgium", "Li\xE8ge", 1},
                        {1, "\xC5land Islands", "Mariehamn", 2},
                        {1, "Zambia", "lusaka", 2},
                        {1, "France", "\xC9tretat", 1},
                        {1, "Croatia", "Zagreb", 1}};
    for (const Row& r : rows) {
      auto loc = std::make_unique<CLocation>();
      loc->SetType(r.type);
      loc->SetCountry(r.country);
      loc->SetName(r.name);
      db.Insert(std::move(loc));
    }
    QTreeWidget tree;
    CLocationTree t(&tree, db);
    t.Fill(CLocationTree::kCity);
    QCOMPARE(TopLevel(&tree), (QStringList{"\u00C9tretat", "Li\u00E8ge", "Livorno", "lusaka",
                                           "Mariehamn", "Zagreb"}));
    t.Fill(CLocationTree::kCountryCity);
    QCOMPARE(TopLevel(&tree), (QStringList{"\u00C5land Islands", "Belgium", "Croatia", "France",
                                           "Italy", "Zambia"}));
    QCOMPARE(FirstPlace(&tree, 3)->text(0), QStringLiteral("\u00C9tretat"));
    // The database keeps its own order.
    QCOMPARE(db.At(0)->Country(), std::string("Belgium"));
  }

  // The flat view of a database far larger than its first batch of items makes the rest as
  // they are needed, in the order a full sort by the reader's collation gives: selecting,
  // typing and scrolling to the end each reach every place.
  void flatViewMakesItemsOnDemandInFullOrder() {
    CLocationDB db;
    std::mt19937 rng(7);
    const char letters[] = "aeiouAEIOU\xE9\xC9\xF6\xD6lz";
    constexpr int kCount = 3000;
    for (int i = 0; i < kCount; ++i) {
      auto loc = std::make_unique<CLocation>();
      loc->SetCountry(i % 3 == 0 ? "Ruritania" : "Arcadia");
      std::string name;
      for (int k = 0; k < 2; ++k) {
        name += letters[rng() % (sizeof(letters) - 1)];
      }
      loc->SetName(name + std::to_string(i));
      db.Insert(std::move(loc));
    }
    QLocale locale;
    QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<CLocation*> expected;
    for (std::size_t i = 0; i < db.Count(); ++i) {
      expected.push_back(db.At(i));
    }
    std::stable_sort(expected.begin(), expected.end(), [&](CLocation* a, CLocation* b) {
      return collator.compare(QString::fromLatin1(a->Name()), QString::fromLatin1(b->Name())) < 0;
    });

    QTreeWidget tree;
    tree.resize(300, 400);
    tree.show();
    CLocationTree t(&tree, db);
    t.Fill(CLocationTree::kCity);
    QVERIFY(tree.topLevelItemCount() < kCount / 4);
    QVERIFY(t.Select(expected[kCount / 2]));
    QCOMPARE(t.Selected(), expected[kCount / 2]);
    const std::string typed = CNameFolding::FoldLatin1(expected[kCount * 3 / 4]->Name());
    QTest::keyClicks(&tree, QString::fromLatin1(typed));
    QCOMPARE(CNameFolding::FoldLatin1(t.Selected()->Name()), typed);
    for (int step = 0; step < 20 && tree.topLevelItemCount() < kCount; ++step) {
      tree.verticalScrollBar()->setValue(tree.verticalScrollBar()->maximum());
    }
    QCOMPARE(tree.topLevelItemCount(), kCount);
    for (int i = 0; i < kCount; ++i) {
      tree.setCurrentItem(tree.topLevelItem(i));
      QCOMPARE(t.Selected(), expected[static_cast<std::size_t>(i)]);
    }
  }

  void viewChangeKeepsTheSelectionWhenShown() {
    World w;
    QTreeWidget tree;
    CLocationTree t(&tree, w.db);
    t.Fill(CLocationTree::kCountryCity);
    QVERIFY(t.SelectByName("Springfield", "Australia"));
    t.ChangeView(CLocationTree::kCity);
    QCOMPARE(t.Selected(), w.Find("Springfield", "Australia"));
    t.ChangeView(CLocationTree::kAreaCode);
    QCOMPARE(t.Selected(), nullptr);
  }

  // Trees over one database keep their own items: the Location List, the time comparison and
  // the event editor may all be open, and closing one must not blind another.
  void treesOpenTogetherKeepTheirOwnItems() {
    World w;
    QTreeWidget listed;
    CLocationTree list(&listed, w.db);
    list.Fill(CLocationTree::kCountryCity);
    QCOMPARE(listed.topLevelItem(0)->childCount(), 0);
    QVERIFY(list.SelectByName("Springfield", "Australia"));
    {
      QTreeWidget other;
      CLocationTree second(&other, w.db);
      second.Fill(CLocationTree::kCity);
      QVERIFY(second.SelectByName("Springfield", "Australia"));
      QVERIFY(other.currentItem() != listed.currentItem());
    }
    QCOMPARE(list.Selected(), w.Find("Springfield", "Australia"));
    QVERIFY(list.SelectByName("Berlin", "Germany"));
    QCOMPARE(list.Selected(), w.Find("Berlin", "Germany"));
    // A deleted place is no longer answered for, though its item is still there.
    w.db.RemoveAt(static_cast<std::size_t>(w.db.Find("Berlin", "Germany")), true);
    QCOMPARE(list.Selected(), nullptr);
  }

  void groupItemIsNoLocationAndSelectWarns() {
    World w;
    CSelectLocationDlg dlg(w.context.Context(), CLocationTree::kCountryCity, nullptr);
    dlg.Tree()->setCurrentItem(dlg.Tree()->topLevelItem(0));
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(QString::fromStdString(w.messages.LastText()),
             QStringLiteral("Please select a valid location within the group. Press the \"+\" "
                            "sign next to the group to display a list of locations"));
    dlg.Tree()->setCurrentItem(FirstPlace(dlg.Tree(), 1));
    dlg.accept();
    QCOMPARE(dlg.Chosen(), w.Find("Berlin", "Germany"));
    QCOMPARE(dlg.ChosenView(), int(CLocationTree::kCountryCity));
  }

  void listShowsLiveTimeAndEnablesButtons() {
    World w;
    w.settings.Values().lastLocation.name = "Mumbai";
    w.settings.Values().lastLocation.country = "India";
    w.db.AddToClock(w.Find("Berlin", "Germany"));
    CLocationListDlg dlg(w.context.Context(), nullptr, w.CountClockChanges());
    QCOMPARE(dlg.Caption()->text(), QStringLiteral("The current date and time of Mumbai is:"));
    QCOMPARE(dlg.Line(0)->text(), QStringLiteral("12/08/2026"));
    QCOMPARE(dlg.Line(2)->text(), QStringLiteral("05:00:00 PM"));
    QVERIFY(dlg.Button("Show On Clock")->isEnabled());
    w.clock.Advance(1);
    dlg.OnTick();
    QCOMPARE(dlg.Line(2)->text(), QStringLiteral("05:00:01 PM"));

    w.settings.Values().displayMode = DisplayOptions::kTimeOnly;
    dlg.OnTick();
    QCOMPARE(dlg.Caption()->text(), QStringLiteral("The current time of Mumbai is:"));
    QCOMPARE(dlg.Line(1)->text(), QStringLiteral("05:00:01 PM"));

    // A location already on the clock cannot be put there again.
    QVERIFY(dlg.LocationTree().SelectByName("Berlin", "Germany"));
    QVERIFY(!dlg.Button("Show On Clock")->isEnabled());
    QVERIFY(dlg.Button("Delete")->isEnabled());
    dlg.Tree()->setCurrentItem(dlg.Tree()->topLevelItem(0));
    QVERIFY(!dlg.Button("Change...")->isEnabled());
    QVERIFY(dlg.Caption()->text().isEmpty());
  }

  // Below the live time there is only the dialog's margin, whatever the clock shows and
  // however tall the dialog is made: the list takes the room.
  void listEndsWithTheLiveTime_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("lastLine");
    QTest::newRow("date and time") << 2 << 2;
    QTest::newRow("time only") << int(DisplayOptions::kTimeOnly) << 1;
  }

  void listEndsWithTheLiveTime() {
    QFETCH(int, mode);
    QFETCH(int, lastLine);
    World w;
    w.settings.Values().displayMode = static_cast<DisplayOptions::Mode>(mode);
    CLocationListDlg dlg(w.context.Context(), nullptr, w.CountClockChanges());
    QVERIFY(dlg.LocationTree().SelectByName("Berlin", "Germany"));
    dlg.show();
    dlg.resize(dlg.width(), dlg.height() + 120);
    QCoreApplication::processEvents();
    const int margin = dlg.layout()->contentsMargins().bottom();
    QCOMPARE(dlg.height() - dlg.Line(lastLine)->geometry().bottom() - 1, margin);
    const int treeHeight = dlg.Tree()->height();
    dlg.resize(dlg.width(), dlg.height() + 50);
    QCoreApplication::processEvents();
    QCOMPARE(dlg.Tree()->height(), treeHeight + 50);
  }

  void showOnClockStopsAtTen() {
    World w;
    for (int i = 0; i < 10; ++i) {
      auto loc = std::make_unique<CLocation>();
      loc->SetCountry("Zed");
      loc->SetName("Town " + std::to_string(i));
      CLocation* raw = loc.get();
      w.db.Insert(std::move(loc));
      w.db.AddToClock(raw);
    }
    CLocationListDlg dlg(w.context.Context(), nullptr, w.CountClockChanges());
    QVERIFY(dlg.LocationTree().SelectByName("Mumbai", "India"));
    dlg.ShowOnClock();
    QCOMPARE(w.db.ClockCount(), std::size_t{10});
    QVERIFY(w.messages.LastText().rfind("A maximum of 10 locations", 0) == 0);
    QCOMPARE(w.clockChanges, 0);
    w.db.RemoveFromClock(0);
    dlg.ShowOnClock();
    QCOMPARE(w.db.ClockCount(), std::size_t{10});
    QVERIFY(!dlg.Button("Show On Clock")->isEnabled());
    QCOMPARE(w.clockChanges, 1);
  }

  void deleteAsksRefusesForEventsAndDropsEmptyGroups() {
    World w;
    CEventList alarms(w.db);
    auto alarm = std::make_unique<CEvent>();
    CEvent::SetText(alarm->Fields().name, "Call Anna");
    CEvent::SetText(alarm->Fields().locationName, "Berlin");
    CEvent::SetText(alarm->Fields().locationCountry, "Germany");
    alarms.Add(std::move(alarm));
    CLocationListDlg dlg(w.context.Context(), &alarms, w.CountClockChanges());

    QVERIFY(dlg.LocationTree().SelectByName("Berlin", "Germany"));
    w.messages.Answer(false);
    QTest::keyClick(dlg.Tree(), Qt::Key_Delete);
    QCOMPARE(QString::fromStdString(w.messages.LastText()),
             QStringLiteral("You are about to delete \"Berlin\" from the database.  Do you want to "
                            "proceed?"));
    QVERIFY(w.Find("Berlin", "Germany") != nullptr);
    // Shift+Delete is not the delete key's command.
    QTest::keyClick(dlg.Tree(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(w.messages.Messages().size(), std::size_t{1});

    w.messages.Answer(true);
    dlg.DeleteLocation();
    QCOMPARE(QString::fromStdString(w.messages.LastText()),
             QStringLiteral("This location has an alarm associated with it.  Remove the alarm "
                            "named \"Call Anna\" first."));
    QVERIFY(w.Find("Berlin", "Germany") != nullptr);

    alarms.RemoveAt(0);
    w.messages.Answer(true);
    dlg.DeleteLocation();
    QVERIFY(w.Find("Berlin", "Germany") == nullptr);
    QVERIFY(!TopLevel(dlg.Tree()).contains("Germany"));
    // Both files were written at once.
    std::ifstream zones(w.dir.File("TIME_ZON.DAT"));
    const std::string text((std::istreambuf_iterator<char>(zones)), {});
    QVERIFY(text.find("Berlin") == std::string::npos);
    QVERIFY(text.find("Mumbai") != std::string::npos);
    QVERIFY(std::filesystem::exists(w.dir.File("CUST_ZON.DAT")));
  }

  void propertiesOffsetHalfHourAndWrap() {
    World w;
    CLocationPropsDlg dlg(w.context.Context(), nullptr, CLocation::kCity);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Add New City"));
    QVERIFY(dlg.HalfHourBox()->isHidden());
    dlg.OffsetBox()->setValue(5);
    QVERIFY(!dlg.HalfHourBox()->isHidden());
    QCOMPARE(dlg.HalfHourBox()->text(), QStringLiteral("+ &30min"));
    dlg.HalfHourBox()->setChecked(true);
    QCOMPARE(dlg.ZoneNames()->text(),
             QStringLiteral("Bombay, Calcutta, Madras, NewDelhi, Columbo"));
    dlg.OffsetBox()->setValue(-3);
    QVERIFY(!dlg.HalfHourBox()->isChecked());
    QCOMPARE(dlg.HalfHourBox()->text(), QStringLiteral("- &30min"));
    dlg.OffsetBox()->setValue(-5);
    QVERIFY(dlg.HalfHourBox()->isHidden());
    dlg.OffsetBox()->setValue(12);
    dlg.OffsetBox()->stepUp();
    QCOMPARE(dlg.OffsetBox()->value(), -11);
    QCOMPARE(dlg.ZoneNames()->text(), QStringLiteral("Midway Island, Samoa"));
    dlg.OffsetBox()->stepDown();
    QCOMPARE(dlg.OffsetBox()->value(), 12);
  }

  // Qt's spin box would drop the 3 of "13" and put the old value back into an emptied field;
  // whatever is typed stays, and OK (or Enter) refuses it.
  void propertiesOffsetRefusesOutOfRangeAndEmpty_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::newRow("13, then OK") << "13" << false;
    QTest::newRow("-12, then Enter") << "-12" << true;
    QTest::newRow("emptied, then OK") << "" << false;
  }

  void propertiesOffsetRefusesOutOfRangeAndEmpty() {
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    World w;
    CLocationPropsDlg dlg(w.context.Context(), w.Find("Berlin", "Germany"), CLocation::kCity);
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QSpinBox* offset = dlg.OffsetBox();
    offset->setFocus();
    offset->selectAll();
    QTest::keyClick(offset, Qt::Key_Delete);
    QTest::keyClicks(offset, typed);
    if (enter) {
      QTest::keyClick(offset, Qt::Key_Return);
    } else {
      dlg.NameEdit()->setFocus();
      dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
    QCOMPARE(QString::fromStdString(w.messages.LastText()),
             QStringLiteral("Please enter an integer between -11 and 12."));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(dlg.isVisible());
    QCOMPARE(offset->text(), typed);
  }

  // With daylight saving off a new location stores the usual rule, not what the combos were
  // left at before the box was unticked.
  void propertiesNewLocationWithoutDstStoresTheUsualRule() {
    World w;
    CLocationPropsDlg add(w.context.Context(), nullptr, CLocation::kCity);
    add.DstBox()->setChecked(true);
    add.RuleBox(2)->setCurrentIndex(4);
    add.RuleBox(7)->setCurrentIndex(5);
    add.DstBox()->setChecked(false);
    add.NameEdit()->setText("Nowhere");
    add.accept();
    QCOMPARE(add.result(), int(QDialog::Accepted));
    QCOMPARE(add.Values().Rule(), DstRule{});
  }

  void propertiesDstDefaultsAndDuplicates() {
    World w;
    {
      CLocationPropsDlg add(w.context.Context(), nullptr, CLocation::kCity);
      QVERIFY(!add.RuleBox(0)->isEnabled());
      QCOMPARE(add.RuleBox(0)->currentIndex(), -1);
      add.DstBox()->setChecked(true);
      QCOMPARE(add.RuleBox(0)->currentText(), QStringLiteral("1st"));
      QCOMPARE(add.RuleBox(2)->currentText(), QStringLiteral("April"));
      QCOMPARE(add.RuleBox(3)->currentText(), QStringLiteral(" 2:00 AM"));
      QCOMPARE(add.RuleBox(4)->currentText(), QStringLiteral("Last"));
      QCOMPARE(add.RuleBox(6)->currentText(), QStringLiteral("October"));
      QCOMPARE(add.RuleBox(1)->itemText(6), QStringLiteral("Staturday"));
      add.NameEdit()->setText("Springfield  ");
      add.CountryBox()->setEditText("United States");
      add.accept();
      QCOMPARE(QString::fromStdString(w.messages.LastText()),
               QStringLiteral("A location already exists matching the new name and country "
                              "entered."));
      QCOMPARE(add.result(), int(QDialog::Rejected));
      add.NameEdit()->clear();
      add.accept();
      QCOMPARE(QString::fromStdString(w.messages.LastText()),
               QStringLiteral("A location name must be entered"));
    }
    CLocation* berlin = w.Find("Berlin", "Germany");
    CLocationPropsDlg change(w.context.Context(), berlin, CLocation::kCity);
    QCOMPARE(change.windowTitle(), QStringLiteral("Change Berlin in Germany"));
    QCOMPARE(change.CountryBox()->count(), 4);
    change.accept();
    QCOMPARE(change.result(), int(QDialog::Accepted));
    QCOMPARE(change.Values().name, std::string("Berlin"));
  }

  void propertiesZoneFollowingAndPicking() {
    World w;
    CLocation* berlin = w.Find("Berlin", "Germany");
    berlin->SetTzZone(w.db.TzZones().Find("Europe/Berlin"));
    berlin->SetFollowsTz(true);
    {
      // A supplied place shows its zone, cannot pick another, and stops following once its
      // offset or its daylight-saving fields change.
      CLocationPropsDlg change(w.context.Context(), berlin, CLocation::kCity);
      QCOMPARE(change.ZoneBox()->currentText(), QStringLiteral("Europe/Berlin"));
      QVERIFY(!change.ZoneBox()->isEnabled());
      QVERIFY(change.FollowBox()->isChecked());
      QCOMPARE(test::PlainText(change.FollowBox()->text()),
               QStringLiteral("Follow the time zone database"));
      QCOMPARE(change.NextChangeLabel()->text(),
               QStringLiteral("Clocks go forward 1 h on Sun 28 Mar 2027 at 02:00 local"));
      change.DstBox()->click();
      QVERIFY(!change.FollowBox()->isChecked());
      change.FollowBox()->setChecked(true);
      change.OffsetBox()->setValue(2);
      QVERIFY(!change.FollowBox()->isChecked());
      change.accept();
      QCOMPARE(change.Values().zone, std::string("Europe/Berlin"));
      QVERIFY(!change.Values().followsZone);
    }
    CLocation* anna = w.Find("Anna", "Friends");
    {
      // A custom place picks a zone from the database's list, and only from it.
      CLocationPropsDlg custom(w.context.Context(), anna, CLocation::kCustom);
      QVERIFY(custom.ZoneBox()->isEnabled());
      QVERIFY(!custom.FollowBox()->isEnabled());
      QVERIFY(custom.ZoneBox()->findText(QStringLiteral("Asia/Kathmandu")) > 0);
      custom.ZoneBox()->setEditText(QStringLiteral("Nowhere/Land"));
      custom.accept();
      QCOMPARE(custom.result(), int(QDialog::Rejected));
      QCOMPARE(QString::fromStdString(w.messages.LastText()),
               QStringLiteral("Choose a time zone from the list, or leave it empty."));
      custom.ZoneBox()->setEditText(QStringLiteral("Asia/Kathmandu"));
      QVERIFY(custom.FollowBox()->isChecked());
      custom.accept();
      QCOMPARE(custom.result(), int(QDialog::Accepted));
      custom.Values().ApplyTo(*anna, w.db.TzZones());
      QCOMPARE(anna->Zone().Tz(), w.db.TzZones().Find("Asia/Kathmandu"));
    }
    // Copy From takes the zone and the choice along with the rule.
    anna->SetFollowsTz(false);
    berlin->SetFollowsTz(true);
    CLocationPropsDlg copy(w.context.Context(), anna, CLocation::kCustom);
    OnNextModal<CSelectLocationDlg>([](CSelectLocationDlg* select) {
      select->ViewBox()->setCurrentIndex(CLocationTree::kCountryCity);
      select->Tree()->setCurrentItem(FirstPlace(select->Tree(), 1));
      select->accept();
    });
    copy.CopyFromButton()->click();
    QCOMPARE(copy.ZoneBox()->currentText(), QStringLiteral("Europe/Berlin"));
    QVERIFY(copy.FollowBox()->isChecked());
  }

  void addAndChangeSaveAndFollowEvents() {
    World w;
    CEventList alarms(w.db);
    auto alarm = std::make_unique<CEvent>();
    CEvent::SetText(alarm->Fields().locationName, "Mumbai");
    CEvent::SetText(alarm->Fields().locationCountry, "India");
    CEvent::SetText(alarm->Fields().timeText, "08:00:00");
    alarms.Add(std::move(alarm));
    CLocationListDlg dlg(w.context.Context(), &alarms, w.CountClockChanges());

    OnNextModal<CLocationPropsDlg>([](CLocationPropsDlg* props) {
      props->NameEdit()->setText("Kathmandu");
      props->CountryBox()->setEditText("Nepal");
      props->OffsetBox()->setValue(5);
      props->HalfHourBox()->setChecked(true);
      props->accept();
    });
    dlg.AddLocation();
    CLocation* added = w.Find("Kathmandu", "Nepal");
    QVERIFY(added != nullptr);
    QCOMPARE(added->GetOffsetMinutes(), 30);
    QCOMPARE(dlg.LocationTree().Selected(), added);

    QVERIFY(dlg.LocationTree().SelectByName("Mumbai", "India"));
    OnNextModal<CLocationPropsDlg>([](CLocationPropsDlg* props) {
      props->NameEdit()->setText("Bombay");
      props->accept();
    });
    dlg.ChangeLocation();
    QVERIFY(w.Find("Bombay", "India") != nullptr);
    QCOMPARE(alarms.GetAlarm(0)->LocationName(), std::string("Bombay"));
    QCOMPARE(w.clockChanges, 1);
    // The event still finds its location after a restart.
    CLocationDB reloaded;
    QVERIFY(reloaded.Load(w.files, w.messages));
    CEventList reloadedAlarms(reloaded);
    reloadedAlarms.Load(w.files, w.messages);
    QCOMPARE(reloadedAlarms.GetCount(), std::size_t{1});
  }

  void closingStoresTheView() {
    World w;
    CLocationListDlg dlg(w.context.Context(), nullptr, w.CountClockChanges());
    dlg.ViewBox()->setCurrentIndex(CLocationTree::kAreaCode);
    dlg.accept();
    QCOMPARE(w.settings.Values().listKind, int(CLocationTree::kAreaCode));
  }
};

QTEST_MAIN(LocationDialogsTest)
#include "locationdialogs_test.moc"
