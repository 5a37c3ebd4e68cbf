// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clockwnd.h"

#include <QAccessible>
#include <QColorDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "support/fakeclock.h"
#include "support/menutext.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "ui/clock/qtfonts.h"

using namespace zw;

namespace {

struct Place {
  const char* name;
  const char* country;
  int offset;
};

// Everything a clock window needs, on temporary files.
struct Fixture {
  explicit Fixture(std::initializer_list<Place> places, int displayMode = 2) {
    for (const Place& p : places) {
      auto loc = std::make_unique<CLocation>();
      loc->SetName(p.name);
      loc->SetCountry(p.country);
      loc->SetOffset(p.offset);
      db.Insert(std::move(loc));
    }
    settings.Values().displayMode = static_cast<DisplayOptions::Mode>(displayMode);
  }

  std::unique_ptr<CClockWnd> Open() {
    auto wnd = std::make_unique<CClockWnd>(ClockServices{settings, store, db});
    wnd->show();
    QCoreApplication::processEvents();
    wnd->repaint();
    return wnd;
  }

  std::vector<std::string> ClockNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < db.ClockCount(); ++i) {
      names.push_back(db.ClockAt(i)->Name());
    }
    return names;
  }

  test::FakeClock clock{2026, 12, 8, 15, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  CFileSettingsStore store{files, dir.Path() + "/SETTINGS"};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
};

const std::initializer_list<Place> kWorld = {{"New York", "United States", -5},
                                             {"London", "United Kingdom", 0},
                                             {"San Francisco", "United States", -8},
                                             {"Tokyo", "Japan", 9}};

QStringList Texts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions()) {
    texts << (a->isSeparator() ? QStringLiteral("-") : test::PlainText(a->text()));
  }
  return texts;
}

QMenu* Submenu(const QMenu* menu, const QString& title) {
  for (const QAction* a : menu->actions()) {
    if (a->menu() != nullptr && test::PlainText(a->text()) == title) {
      return a->menu();
    }
  }
  return nullptr;
}

// Every entry of `menu` and its submenus can be chosen by a key of its own.
void CheckMnemonics(const QMenu* menu) {
  QSet<QKeySequence> seen;
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      continue;
    }
    const QKeySequence key = QKeySequence::mnemonic(a->text());
    QVERIFY2(!key.isEmpty(), qPrintable(a->text()));
    QVERIFY2(!seen.contains(key), qPrintable(a->text()));
    seen.insert(key);
    if (a->menu() != nullptr) {
      CheckMnemonics(a->menu());
    }
  }
}

// Where `open` opened a popup menu, which is closed again; (-1, -1) when none opened.
QPoint OpenedMenuAt(const std::function<void()>& open) {
  QPoint at(-1, -1);
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&at] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      at = popup->pos();
      popup->close();
    }
  });
  timer.start(0);
  open();
  return at;
}

QPoint Centre(const CellRect& r) {
  return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace

class ClockWndTest : public QObject {
  Q_OBJECT

 private slots:
  void defaultsShowTheThreeDefaultPlacesOnDarkRed() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    QCOMPARE(f.ClockNames(), (std::vector<std::string>{"London", "New York", "San Francisco"}));
    const QImage image = wnd->grab().toImage();
    const int y = wnd->height() - 3;
    QCOMPARE(image.pixelColor(2, y), QColor(128, 0, 0));
    // Something is drawn in white: the names and times.
    bool white = false;
    for (int x = 0; x < image.width() && !white; ++x) {
      for (int yy = 0; yy < image.height() && !white; ++yy) {
        white = image.pixelColor(x, yy) == QColor(255, 255, 255);
      }
    }
    QVERIFY(white);
  }

  void lineTooltipTellsThePlacesNextChange() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const CellRect r = wnd->Face().lines[1].frameRect;
    const QPoint inside((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    QHelpEvent help(QEvent::ToolTip, inside, wnd->mapToGlobal(inside));
    QApplication::sendEvent(wnd.get(), &help);
    // This world's New York keeps no daylight saving: the line under the pointer is named.
    QCOMPARE(QToolTip::text(), QStringLiteral("New York\nNo change of offset coming"));
  }

  void screenshotShowsTheThreeDefaultNames() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const QString path = QString::fromStdString(f.dir.File("clock.png"));
    QVERIFY(wnd->grab().save(path));
    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), wnd->size() * wnd->devicePixelRatio());
    // Each name's own rectangle holds drawn text in the line's colour, and nowhere else in
    // it is there anything but background and text.
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      const CellRect& r = wnd->Face().lines[i].nameRect;
      QVERIFY(r.right - r.left > 20);
      int inked = 0;
      for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
          inked += image.pixelColor(x, y) != QColor(128, 0, 0) ? 1 : 0;
        }
      }
      QVERIFY2(inked > 20, f.db.ClockAt(i)->Name().c_str());
    }
    // The three names differ in length, and so do their drawn widths.
    QVERIFY(wnd->Face().lines[0].nameRect.right < wnd->Face().lines[2].nameRect.right);
  }

  void timeOnlyLayoutStartsRightOfTheIndentation() {
    Fixture f(kWorld, DisplayOptions::kTimeOnly);
    auto wnd = f.Open();
    const ClockMetrics& m = wnd->Metrics();
    const double w = m.DigitCellWidth();
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      const ClockLineFace& d = wnd->Face().lines[i];
      QVERIFY(wnd->LineTime(i) != nullptr);
      QCOMPARE(wnd->LineTime(i)->date, std::string());
      const int column = static_cast<int>(9 + m.nameAverageWidth + 1.5 * w);
      QCOMPARE(d.timeCells[0].left, static_cast<int>(column - w / 2));
      QCOMPARE(d.frameRect.bottom, d.timeCells[0].bottom);
    }
  }

  void markerCellsAreOneFifthWider() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const ClockLineFace& d = wnd->Face().lines[0];
    QVERIFY(wnd->LineTime(0) != nullptr);
    QCOMPARE(wnd->LineTime(0)->time.size(), std::size_t{11});
    const int digit = d.timeCells[0].right - d.timeCells[0].left;
    const int marker = d.timeCells[9].right - d.timeCells[9].left;
    const int m = d.timeCells[10].right - d.timeCells[10].left;
    const double expected = wnd->Metrics().DigitCellWidth() * 1.2;
    QVERIFY(std::abs(marker - expected) <= 1.5);
    QVERIFY(std::abs(m - expected) <= 1.5);
    QVERIFY(marker > digit || digit < 5);
    // Every time starts at the same column.
    for (std::size_t i = 1; i < f.db.ClockCount(); ++i) {
      QCOMPARE(wnd->Face().lines[i].timeCells[0].left, d.timeCells[0].left);
    }
  }

  void plainTickInvalidatesOnlyTheChangedSecondCells() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    f.clock.Advance(1);
    wnd->Tick();
    QVERIFY(!wnd->RelayoutPending());
    const auto& invalidated = wnd->LastInvalidated();
    QCOMPARE(invalidated.size(), f.db.ClockCount());
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      const CellRect& seconds = wnd->Face().lines[i].timeCells[7];
      const QRect cell(QPoint(seconds.left, seconds.top),
                       QPoint(seconds.right - 1, seconds.bottom - 1));
      QVERIFY(std::find(invalidated.begin(), invalidated.end(), cell) != invalidated.end());
    }
    // After the repaint the same second invalidates nothing.
    wnd->repaint();
    wnd->Tick();
    QVERIFY(wnd->LastInvalidated().empty());
  }

  // The tick waits for the wall clock's next whole second, or minute with the seconds hidden,
  // whatever part of a second the clock was started or last ticked in.
  void tickIsArmedForTheNextBoundary() {
    Fixture f(kWorld);
    f.clock.SetMilliseconds(300);
    auto wnd = f.Open();
    QVERIFY(wnd->NextTickInMs() <= 700 && wnd->NextTickInMs() > 600);
    f.settings.Values().showSeconds = false;
    f.clock.Advance(20);
    wnd->RefreshTexts();
    QVERIFY(wnd->NextTickInMs() <= 39700 && wnd->NextTickInMs() > 39600);
    // A move is saved and followed at once, not at the next minute.
    QSignalSpy moved(wnd.get(), &CClockWnd::moved);
    wnd->move(wnd->pos() + QPoint(15, 0));
    QVERIFY(moved.wait(2000));
  }

  void midnightRollOverLaysOutAgain() {
    Fixture f({{"London", "United Kingdom", 0}});
    f.clock.Set(CDateTime(2026, 12, 8, 23, 59, 59).Seconds());
    auto wnd = f.Open();
    f.clock.Advance(1);
    wnd->Tick();
    QCOMPARE(wnd->LastInvalidated().size(), std::size_t{1});
    QCOMPARE(wnd->LastInvalidated()[0], wnd->rect());
    QVERIFY(wnd->LineTime(0) != nullptr);
    QCOMPARE(wnd->LineTime(0)->date, std::string("12/09/2026"));
  }

  void toolbarKeepsAMinimumWidth() {
    Fixture f({{"X", "Y", 0}}, DisplayOptions::kDateOnly);
    f.settings.Values().clockSlots[0].place.name = "X";
    f.settings.Values().clockSlots[0].place.country = "Y";
    auto wnd = f.Open();
    QVERIFY(wnd->width() >= 186 + 9);
    f.settings.Values().showToolbar = false;
    wnd->RequestRelayout();
    QVERIFY(wnd->width() < 186 + 9);
  }

  // The narrowest clock there is (time only, 24 hours, tight digits) still shows every
  // toolbar button: an overflow arrow would vanish on the red background, taking the popup
  // menu's button with it.
  void narrowestClockShowsEveryToolbarButton() {
    Fixture f({{"X", "Y", 0}}, DisplayOptions::kTimeOnly);
    f.settings.Values().clockSlots[0].place.name = "X";
    f.settings.Values().clockSlots[0].place.country = "Y";
    f.settings.Values().hour24 = true;
    f.settings.Values().digitSpacing = 0;
    auto wnd = f.Open();
    const auto* toolbar = wnd->findChild<QToolBar*>();
    for (QAction* action : toolbar->actions()) {
      if (!action->isSeparator()) {
        QVERIFY2(toolbar->widgetForAction(action)->isVisible(), qPrintable(action->text()));
      }
    }
  }

  // A window manager may maximise the clock anyway; it comes back at once, and what is stored
  // is its own place and size.
  void maximisingIsUndoneAndNeverStored() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    wnd->move(40, 50);
    QCoreApplication::processEvents();
    const QRect normal = wnd->geometry();
    wnd->showMaximized();
    QTRY_VERIFY(!wnd->isMaximized());
    QCOMPARE(wnd->geometry(), normal);
    wnd->close();
    const std::array<int, 4>& r = f.settings.Values().windowRect;
    QCOMPARE(QRect(QPoint(r[0], r[1]), QPoint(r[2] - 1, r[3] - 1)), normal);
  }

  void autoSizeSavesTheSettings() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const auto stored = f.store.Read("BinSet", 2000);
    QVERIFY(stored.has_value());
    QCOMPARE(stored->size(), std::size_t{1928});
  }

  void dragReordersLines_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("toGap");  // -1: below the last line
    QTest::addColumn<QString>("expected");
    QTest::newRow("first below last") << 0 << -1 << "New York,San Francisco,London";
    QTest::newRow("last above first") << 2 << 0 << "San Francisco,London,New York";
    QTest::newRow("next to itself, after") << 0 << 1 << "London,New York,San Francisco";
    QTest::newRow("next to itself, before") << 1 << 1 << "London,New York,San Francisco";
    QTest::newRow("over another line") << 0 << 99 << "London,New York,San Francisco";
  }

  void dragReordersLines() {
    QFETCH(int, from);
    QFETCH(int, toGap);
    QFETCH(QString, expected);
    Fixture f(kWorld);
    auto wnd = f.Open();
    std::vector<CellRect> frames;
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      frames.push_back(wnd->Face().lines[i].frameRect);
    }
    const QPoint press(40, Centre(frames[static_cast<std::size_t>(from)]).y());
    int y = 0;
    if (toGap == -1) {
      y = frames.back().bottom + 4;
    } else if (toGap == 99) {
      y = Centre(frames[2]).y();
    } else if (toGap == 0) {
      y = frames[0].top - 2;
    } else {
      y = (frames[static_cast<std::size_t>(toGap) - 1].bottom +
           frames[static_cast<std::size_t>(toGap)].top) /
          2;
    }
    QTest::mousePress(wnd.get(), Qt::LeftButton, Qt::NoModifier, press);
    QCOMPARE(wnd->HeldLine(), from);
    QMouseEvent move(QEvent::MouseMove, QPointF(40, y), wnd->mapToGlobal(QPointF(40, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(wnd.get(), &move);
    QTest::mouseRelease(wnd.get(), Qt::LeftButton, Qt::NoModifier, QPoint(40, y));
    QStringList names;
    for (const std::string& n : f.ClockNames()) {
      names << QString::fromStdString(n);
    }
    QCOMPARE(names.join(','), expected);
    QCOMPARE(wnd->HeldLine(), -1);
    QCOMPARE(wnd->SelectedLine(), -1);
    // Each line, moved or not, shows its own place's time.
    wnd->repaint();
    for (std::size_t i = 0; i < f.db.ClockCount(); ++i) {
      const PlaceTime own = PlaceTime::Current(*f.db.ClockAt(i), CDateTime(), f.settings.Display());
      QVERIFY(wnd->LineTime(i) != nullptr);
      QCOMPARE(wnd->LineTime(i)->time, own.time);
      QCOMPARE(wnd->Face().lines[i].drawnTime.substr(0, own.time.size()), own.time);
    }
  }

  void popupMenuEntriesAndChecks() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const auto menu = wnd->BuildPopupMenu();
    QCOMPARE(Texts(menu.get()),
             (QStringList{"Clock", "Events", "Compare Times...\tAlt+C", "-",
                          "Currency Conversion...\tAlt+D", "Measurement Conversion...\tAlt+M", "-",
                          "Update via Internet", "-", "Window", "Properties...\tAlt+P", "-", "Help",
                          "-", "Exit\tAlt+F4"}));
    QMenu* clock = Submenu(menu.get(), "Clock");
    QCOMPARE(Texts(clock), (QStringList{"Add/Change...\tAlt+A", "Remove"}));
    QCOMPARE(Texts(Submenu(clock, "Remove")), (QStringList{"London", "New York", "San Francisco"}));
    QCOMPARE(Texts(Submenu(menu.get(), "Events")),
             (QStringList{"Set...\tAlt+S", "Browse Schedule\tAlt+B"}));
    QCOMPARE(Texts(Submenu(menu.get(), "Update via Internet")),
             (QStringList{"Update Database...\tAlt+U", "Synchronize Time...\tAlt+T"}));
    QCOMPARE(Texts(Submenu(menu.get(), "Help")), (QStringList{"Help Topics", "About Zonewright"}));
    QMenu* window = Submenu(menu.get(), "Window");
    QCOMPARE(Texts(window),
             (QStringList{"Show Titlebar", "Show Toolbar", "Keep on Top", "-", "Minimize"}));
    QVERIFY(window->actions()[0]->isChecked());
    QVERIFY(window->actions()[1]->isChecked());
    QVERIFY(!window->actions()[2]->isChecked());
  }

  void everyMenuEntryHasAMnemonicOfItsOwn() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    // Names the user chose may share their first letters or hold an '&' of their own.
    for (const char* name : {"Lagos & Abuja", "Lima", "Lisbon"}) {
      auto loc = std::make_unique<CLocation>();
      loc->SetName(name);
      loc->SetCountry("Anywhere");
      CLocation* raw = loc.get();
      f.db.Insert(std::move(loc));
      QVERIFY(f.db.AddToClock(raw));
    }
    const auto menu = wnd->BuildPopupMenu();
    CheckMnemonics(menu.get());
    QCOMPARE(
        Texts(Submenu(Submenu(menu.get(), "Clock"), "Remove")),
        (QStringList{"London", "New York", "San Francisco", "Lagos & Abuja", "Lima", "Lisbon"}));
  }

  void keyboardOpensTheMenuOnTheFirstLine() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const QPoint line = wnd->mapToGlobal(wnd->LineRect(0).center());
    QCOMPARE(OpenedMenuAt([&] { QTest::keyClick(wnd.get(), Qt::Key_F10, Qt::ShiftModifier); }),
             line);
    // The Menu key reaches the clock as a keyboard context menu, wherever the pointer is.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(-500, -500), QPoint(-500, -500));
    QCOMPARE(OpenedMenuAt([&] { QApplication::sendEvent(wnd.get(), &menuKey); }), line);
    QCOMPARE(OpenedMenuAt([&] { QTest::keyClick(wnd.get(), Qt::Key_F10); }), QPoint(-1, -1));
  }

  void screenReadersHearEachLineAndOnlyItsChanges() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    Fixture f(kWorld);
    auto wnd = f.Open();
    QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(wnd.get());
    QVERIFY(clock != nullptr);
    QStringList heard;
    for (int i = 0; i < 3; ++i) {
      heard << clock->child(i)->text(QAccessible::Name);
      QCOMPARE(clock->indexOfChild(clock->child(i)), i);
    }
    QCOMPARE(heard, (QStringList{"London, 03:00:00 PM, Tuesday 8 December",
                                 "New York, 10:00:00 AM, Tuesday 8 December",
                                 "San Francisco, 07:00:00 AM, Tuesday 8 December"}));
    const QPoint middle = wnd->mapToGlobal(wnd->LineRect(1).center());
    QCOMPARE(clock->childAt(middle.x(), middle.y()), clock->child(1));

    f.clock.Advance(1);
    wnd->Tick();
    QVERIFY(wnd->LastAnnounced().empty());  // nobody listens
    wnd->SetListening([] { return true; });
    f.clock.Advance(1);
    wnd->Tick();
    QCOMPARE(wnd->LastAnnounced(), (std::vector<int>{0, 1, 2}));
    QCOMPARE(QString::fromStdString(wnd->Face().lines[0].spoken),
             QStringLiteral("London, 03:00:02 PM, Tuesday 8 December"));
    wnd->Tick();
    QVERIFY(wnd->LastAnnounced().empty());  // the same second again

    QAccessibleInterface* last = clock->child(2);
    wnd->RemoveFromClock(2);
    QVERIFY(!last->isValid());
    // The toolbar follows the lines.
    QCOMPARE(clock->child(2)->object(), wnd->findChild<QToolBar*>());
  }

  void linesWhoseClocksChangeWithinAWeekAreMarked() {
    Fixture f(kWorld);
    // London keeps summer time from April to the second Sunday of December, 13 December 2026.
    f.db.At(static_cast<std::size_t>(f.db.Find("London", "United Kingdom")))
        ->SetDstRule(1, 0, 0, 3, 2, 1, 0, 11, 2);
    f.clock.Set(CDateTime(2026, 12, 5, 15, 0, 0).Seconds());
    auto wnd = f.Open();
    const int plainWidth = wnd->width();
    const auto markPixels = [&wnd] {
      const QImage image = wnd->grab().toImage();
      const ClockLineFace& line = wnd->Face().lines[0];
      const CellRect& last = line.timeCells[std::string_view(line.drawnTime).find_last_not_of(' ')];
      int lit = 0;
      for (int x = last.right; x < image.width(); ++x) {
        for (int y = last.top; y < last.bottom; ++y) {
          lit += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
        }
      }
      return lit;
    };
    QCOMPARE(wnd->MarkOf(0), CChangeMarks::Mark::kNone);  // eight days ahead
    QCOMPARE(markPixels(), 0);

    f.clock.Set(CDateTime(2026, 12, 8, 15, 0, 0).Seconds());
    wnd->Tick();
    QCOMPARE(wnd->MarkOf(0), CChangeMarks::Mark::kBack);
    QCOMPARE(wnd->MarkOf(1), CChangeMarks::Mark::kNone);
    QVERIFY(wnd->width() > plainWidth);
    QVERIFY(markPixels() > 0);
    QVERIFY(wnd->SpokenText(0).endsWith(QStringLiteral(", clocks change within a week")));

    wnd->SetMarkChanges(false);
    QCOMPARE(wnd->MarkOf(0), CChangeMarks::Mark::kNone);
    QCOMPARE(wnd->width(), plainWidth);
    QCOMPARE(markPixels(), 0);
    wnd->SetMarkChanges(true);

    f.clock.Set(CDateTime(2026, 12, 13, 3, 0, 0).Seconds());
    wnd->Tick();
    QCOMPARE(wnd->MarkOf(0), CChangeMarks::Mark::kNone);  // the next is in April
  }

  void removeEntriesFollowTheClockList() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const auto removeEntry = [&wnd](int index) {
      const auto menu = wnd->BuildPopupMenu();
      Submenu(Submenu(menu.get(), "Clock"), "Remove")->actions()[index]->trigger();
    };
    removeEntry(1);
    QCOMPARE(f.ClockNames(), (std::vector<std::string>{"London", "San Francisco"}));
    wnd->RemoveFromClock(7);
    QCOMPARE(f.ClockNames().size(), std::size_t{2});
    removeEntry(0);
    removeEntry(0);
    const auto menu = wnd->BuildPopupMenu();
    QVERIFY(Submenu(Submenu(menu.get(), "Clock"), "Remove")->actions().isEmpty());
    // The removal reached the stored record at once.
    CClockSettings reread;
    reread.Load(f.store);
    QVERIFY(reread.Values().clockSlots[0].place.Empty());
  }

  void titlebarToggleTwiceGivesTheFirstFrameBack() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    const Qt::WindowFlags before = wnd->windowFlags();
    wnd->Actions().showTitlebar->trigger();
    QVERIFY(wnd->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!f.settings.Values().showTitlebar);
    QVERIFY(!Submenu(wnd->BuildPopupMenu().get(), "Window")->actions()[0]->isChecked());
    wnd->Actions().showTitlebar->trigger();
    QCOMPARE(wnd->windowFlags(), before);
    QVERIFY(f.settings.Values().showTitlebar);
    QVERIFY(Submenu(wnd->BuildPopupMenu().get(), "Window")->actions()[0]->isChecked());
    wnd->Actions().keepOnTop->trigger();
    QVERIFY(wnd->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(f.settings.Values().keepOnTop);
  }

  void doubleClickChangesColourOrKeepsItOnCancel() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    std::optional<QColor> answer;
    bool selectedWhileOpen = false;
    wnd->SetColorChooser([&](const QColor&) {
      selectedWhileOpen = wnd->SelectedLine() == 1;
      return answer;
    });
    const QPoint line(40, Centre(wnd->Face().lines[1].frameRect).y());
    QTest::mouseDClick(wnd.get(), Qt::LeftButton, Qt::NoModifier, line);
    QVERIFY(selectedWhileOpen);
    QCOMPARE(f.db.ClockColor(*f.db.ClockAt(1)), 0xFFFFFFu);
    QCOMPARE(wnd->SelectedLine(), -1);
    answer = QColor(0, 255, 0);
    QTest::mouseDClick(wnd.get(), Qt::LeftButton, Qt::NoModifier, line);
    QCOMPARE(f.db.ClockColor(*f.db.ClockAt(1)), 0x00FF00u);
  }

  // The real chooser opens beside the clock, never over the line it colours.
  void colourChooserLeavesTheLineInSight() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    wnd->move(20, 20);
    QCoreApplication::processEvents();
    const CellRect& frame = wnd->Face().lines[1].frameRect;
    const QRect line(wnd->mapToGlobal(QPoint(frame.left, frame.top)),
                     QSize(frame.right - frame.left, frame.bottom - frame.top));
    QRect chooser;
    QTimer::singleShot(0, wnd.get(), [&] {
      auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      if (dialog != nullptr) {
        chooser = dialog->frameGeometry();
        dialog->reject();
      }
    });
    QTest::mouseDClick(wnd.get(), Qt::LeftButton, Qt::NoModifier, QPoint(40, Centre(frame).y()));
    QVERIFY(chooser.isValid());
    QVERIFY(!chooser.intersects(line));
  }

  void unconnectedCommandsDoNothingAndConnectedOnesRunFromMenuToolbarAndKeys() {
    Fixture f(kWorld);
    auto wnd = f.Open();
    QAction* currency = wnd->Actions().currency;
    currency->trigger();
    int runs = 0;
    QObject::connect(currency, &QAction::triggered, [&runs] { ++runs; });
    const auto menu = wnd->BuildPopupMenu();
    QVERIFY(menu->actions().contains(currency));
    QVERIFY(wnd->findChild<QToolBar*>()->actions().contains(currency));
    currency->trigger();
    QTest::keyClick(wnd.get(), Qt::Key_D, Qt::AltModifier);
    QCOMPARE(runs, 2);
  }
};

QTEST_MAIN(ClockWndTest)
#include "clockwnd_test.moc"
