// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/autostart.h"
#include "settings/clocksettings.h"
#include "settings/filesettingsstore.h"
#include "support/fakeclock.h"
#include "support/menutext.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "ui/clock/aboutdlg.h"
#include "ui/clock/clocktray.h"
#include "ui/clock/clockwnd.h"
#include "ui/clock/desktoppage.h"
#include "ui/clock/propertysheet.h"

using namespace zw;

namespace {

// The default clock, New York (GMT-5) then London, on temporary files at 15:00 GMT.
struct Fixture {
  Fixture() {
    CLocation* newYork = Insert("New York", -5);
    CLocation* london = Insert("London", 0);
    wnd = std::make_unique<CClockWnd>(ClockServices{settings, store, db});
    db.ClearClock();
    db.AddToClock(newYork);
    db.AddToClock(london);
    wnd->Tick();
  }

  CLocation* Insert(const char* name, int offset) {
    auto loc = std::make_unique<CLocation>();
    CLocation* raw = loc.get();
    loc->SetName(name);
    loc->SetCountry("Somewhere");
    loc->SetOffset(offset);
    db.Insert(std::move(loc));
    return raw;
  }

  test::FakeClock clock{2026, 12, 8, 15, 0, 0};
  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  CFileSettingsStore store{files, dir.Path() + "/SETTINGS"};
  test::RecordingSink messages;
  CClockSettings settings;
  CLocationDB db;
  test::TestContext context{
      {.db = &db, .settings = &settings, .store = &store, .files = &files, .messages = &messages}};
  std::unique_ptr<CClockWnd> wnd;
};

QStringList Texts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* a : menu.actions()) {
    texts << (a->isSeparator() ? QStringLiteral("-") : test::PlainText(a->text()));
  }
  return texts;
}

QMenu* Submenu(const QMenu& menu, const char* path0, const char* path1) {
  for (const QAction* a : menu.actions()) {
    if (a->menu() != nullptr && test::PlainText(a->text()) == QLatin1String(path0)) {
      for (const QAction* b : a->menu()->actions()) {
        if (b->menu() != nullptr && test::PlainText(b->text()) == QLatin1String(path1)) {
          return b->menu();
        }
      }
    }
  }
  return nullptr;
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void trayToolTipFollowsTheFirstClockLine() {
    Fixture f;
    CClockTray tray(*f.wnd, f.db);
    QCOMPARE(tray.Icon().toolTip(), QStringLiteral("New York  10:00:00 AM"));
    // The tooltip moves with the clock's tick, hidden or not.
    f.wnd->hide();
    f.clock.Advance(61);
    f.wnd->Tick();
    QCOMPARE(tray.Icon().toolTip(), QStringLiteral("New York  10:01:01 AM"));
    f.wnd->RemoveFromClock(0);
    f.wnd->Tick();
    QCOMPARE(tray.Icon().toolTip(), QStringLiteral("London  03:01:01 PM"));
    f.wnd->RemoveFromClock(0);
    f.wnd->Tick();
    QCOMPARE(tray.Icon().toolTip(), QStringLiteral("Zonewright"));
  }

  // The clock's own menu under an entry that brings it back, made anew on every opening
  // without piling up the submenus of earlier ones.
  void trayMenuIsTheClocksMenuEachTimeItOpens() {
    Fixture f;
    CClockTray tray(*f.wnd, f.db);
    QCOMPARE(tray.Icon().contextMenu(), &tray.Menu());
    const auto clockMenu = f.wnd->BuildPopupMenu();
    QCOMPARE(Texts(tray.Menu()), (QStringList{"Show Clock", "-"} + Texts(*clockMenu)));
    const auto submenus = tray.Menu().findChildren<QMenu*>().size();
    for (int i = 0; i < 3; ++i) {
      emit tray.Menu().aboutToShow();
    }
    QCOMPARE(tray.Menu().findChildren<QMenu*>().size(), submenus);
    QCOMPARE(Texts(*Submenu(tray.Menu(), "Clock", "Remove")), (QStringList{"New York", "London"}));

    f.wnd->RemoveFromClock(0);
    emit tray.Menu().aboutToShow();
    QCOMPARE(Texts(*Submenu(tray.Menu(), "Clock", "Remove")), QStringList{"London"});

    // Show Clock brings a hidden clock back; the shared commands still act on the clock.
    f.wnd->hide();
    tray.Menu().actions().front()->trigger();
    QVERIFY(f.wnd->isVisible());
  }

  void closingCanLeaveTheProgramInTheTray() {
    for (const bool toTray : {false, true}) {
      Fixture f;
      f.wnd->show();
      f.wnd->SetHideOnClose(toTray);
      QSignalSpy closed(f.wnd.get(), &CClockWnd::closed);
      f.wnd->close();
      QCOMPARE(closed.count(), toTray ? 0 : 1);
      QVERIFY(!f.wnd->isVisible());
      if (!toTray) {
        continue;
      }
      f.wnd->Present();
      QVERIFY(f.wnd->isVisible());
      // Exit ends the program even from the tray, with the window hidden.
      f.wnd->hide();
      f.wnd->Actions().exit->trigger();
      QTRY_COMPARE(closed.count(), 1);
    }
  }

  void desktopPageStoresItsChoicesAndTheLoginEntry() {
    Fixture f;
    DesktopPrefs prefs;
    CDesktopPrefsFile file(f.dir.File("desktop.conf"));
    CAutostart autostart(f.dir.File("autostart/zw.desktop"));
    int applied = 0;
    const DesktopServices services{
        prefs, file, autostart, "/opt/zw/bin/zonewright", true, [&applied] { ++applied; }};
    {
      CPropertySheet sheet(f.context.Context(), *f.wnd, nullptr, &services);
      CDesktopPage& page = *sheet.DesktopPage();
      QVERIFY(page.BothButton()->isChecked());
      QVERIFY(!page.LoginBox()->isChecked());
      page.NotificationButton()->click();
      page.TrayBox()->click();
      page.LoginBox()->click();
      QVERIFY(page.MarkBox()->isChecked());
      page.MarkBox()->click();
      QVERIFY(sheet.ApplyButton()->isEnabled());
      sheet.OkButton()->click();
    }
    QCOMPARE(prefs.alerts, AlertStyle::kNotification);
    QVERIFY(prefs.closeToTray);
    QCOMPARE(file.Load().alerts, AlertStyle::kNotification);
    QVERIFY(!prefs.markChanges);
    QVERIFY(!file.Load().markChanges);
    QVERIFY(autostart.IsEnabled());
    QCOMPARE(applied, 1);

    // Unchecked again, the entry goes; an entry that cannot be written is reported and the
    // box shows what is true.
    CDesktopPage page(services, f.messages);
    QVERIFY(page.TrayBox()->isChecked());
    page.LoginBox()->click();
    page.Store();
    QVERIFY(!std::filesystem::exists(f.dir.File("autostart/zw.desktop")));
    std::filesystem::remove_all(f.dir.File("autostart"));
    std::ofstream(f.dir.File("autostart")) << "a file where the folder should be";
    page.LoginBox()->click();
    page.Store();
    QVERIFY(!page.LoginBox()->isChecked());
    QCOMPARE(f.messages.Messages().back().text, std::string(CDesktopPage::kAutostartFailed));
  }

  // The sources whose licences ask for credit are named in the box itself, and the notes
  // installed with the data are shown whole; a missing file is said to be missing.
  void aboutCreditsTheDataSources() {
    const CAboutDlg about(CAboutDlg::InstalledCredits());
    for (const char* credit : {"GeoNames (CC BY 4.0)", "tz database (public domain)",
                               "iso-codes (LGPL 2.1", "libphonenumber (Apache License 2.0)"}) {
      QVERIFY2(about.Sources()->text().contains(QLatin1String(credit)), credit);
    }
    const QString notes = about.Credits()->toPlainText();
    QVERIFY(notes.contains(QStringLiteral("Creative Commons Attribution 4.0")));
    QVERIFY(notes.contains(QStringLiteral("Apache License, Version 2.0")));
    const CAboutDlg missing(QStringLiteral("/nonexistent/CREDITS"));
    QVERIFY(missing.Credits()->toPlainText().contains(QStringLiteral("could not be read")));
  }

  void withoutATrayClosingToItIsNotOffered() {
    Fixture f;
    DesktopPrefs prefs;
    CDesktopPrefsFile file(f.dir.File("desktop.conf"));
    CAutostart autostart(f.dir.File("zw.desktop"));
    const CDesktopPage page({prefs, file, autostart, "zw", false, {}}, f.messages);
    QVERIFY(!page.TrayBox()->isEnabled());
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
