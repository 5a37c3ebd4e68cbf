// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>

#include "settings/hourswitch.h"
#include "support/recordingsink.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "ui/app/helprouter.h"
#include "ui/app/helpwindow.h"
#include "ui/app/singleinstance.h"
#include "ui/app/splashwnd.h"
#include "ui/app/welcomedlg.h"
#include "ui/app/zoneapp.h"
#include "ui/locations/entertimedlg.h"
#include "ui/locations/locationpropsdlg.h"
#include "ui/widgets/calendardlg.h"

using namespace zw;

class StartupWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void secondCopyBringsTheFirstForwardAndEnds() {
    test::TempDir dir;
    CSingleInstance first(QString::fromStdString(dir.Path()));
    QVERIFY(first.Acquire());
    QSignalSpy raised(&first, &CSingleInstance::activationRequested);

    CSingleInstance second(QString::fromStdString(dir.Path()));
    QVERIFY(!second.Acquire());
    QVERIFY(raised.wait(2000));
    QCOMPARE(raised.count(), 1);

    // Once the first copy lets go, as it does before a restart, a new copy starts normally.
    first.Release();
    CSingleInstance third(QString::fromStdString(dir.Path()));
    QVERIFY(third.Acquire());
  }

  void welcomePanelRemembersTheBoxOnlyOnContinue_data() {
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("viaContinue");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("continue, checked") << true << true << true;
    QTest::newRow("continue, unchecked") << false << true << false;
    QTest::newRow("escape, checked") << true << false << false;
  }

  void welcomePanelRemembersTheBoxOnlyOnContinue() {
    QFETCH(bool, checked);
    QFETCH(bool, viaContinue);
    QFETCH(bool, hidden);
    CWelcomeDlg dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Welcome"));
    QVERIFY(!dlg.HideBox()->isChecked());
    QCOMPARE(dlg.HideBox()->text(), QStringLiteral("&Do not display this panel during startup."));
    QTimer::singleShot(0, &dlg, [&] {
      dlg.HideBox()->setChecked(checked);
      if (viaContinue) {
        dlg.findChild<QPushButton*>()->click();
      } else {
        QTest::keyClick(&dlg, Qt::Key_Escape);
      }
    });
    dlg.exec();
    QCOMPARE(dlg.HideFromNowOn(), hidden);
  }

  void splashBarFillsInThirtyStepsAndStops() {
    CSplashWnd splash;
    QCOMPARE(splash.Progress(), 0);
    for (int i = 0; i < 30; ++i) {
      splash.Step();
    }
    QCOMPARE(splash.Progress(), 300);
    splash.Step();
    QCOMPARE(splash.Progress(), 300);
  }

  // A bad /H switch is reported while the splash shows; the splash stays on top, so the box
  // would open behind it and the program would look frozen.
  void startMessagesAreNotHiddenBehindTheSplash() {
    test::TempDir dir;
    for (const char* sub : {"run", "config", "data"}) {
      std::filesystem::create_directory(dir.File(sub));
    }
    std::filesystem::permissions(dir.File("run"), std::filesystem::perms::owner_all);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir.File("run")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.File("config")));
    qputenv("ZONEWRIGHT_DATA_DIR", QByteArray::fromStdString(dir.File("data")));
    QString warning;
    bool splashVisible = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        warning = box->text();
        for (const QWidget* w : QApplication::topLevelWidgets()) {
          splashVisible |= qobject_cast<const CSplashWnd*>(w) != nullptr && w->isVisible();
        }
        box->button(QMessageBox::Ok)->click();
      } else if (auto* welcome = qobject_cast<CWelcomeDlg*>(modal)) {
        welcome->reject();
      }
    });
    answer.start(10);
    CZoneApp app;
    QVERIFY(app.InitInstance({QStringLiteral("zonewright"), QStringLiteral("/H99")}));
    QCOMPARE(warning, QString::fromLatin1(CHourSwitch::kInvalidMessage.data(),
                                          CHourSwitch::kInvalidMessage.size()));
    QVERIFY(!splashVisible);
    app.ExitInstance(0);
  }

  // Every page the dialogs' F1 opens is in the program, down to its anchor.
  void everyDialogsHelpPageExists() {
    for (const CHelpRouter::Page& p : CHelpRouter::Pages()) {
      const QString page = QString::fromLatin1(p.page);
      QFile file(QStringLiteral(":/help/") + page.section(u'#', 0, 0));
      QVERIFY2(file.open(QIODevice::ReadOnly), p.page);
      const QString anchor = page.section(u'#', 1);
      if (!anchor.isEmpty()) {
        QVERIFY2(file.readAll().contains(("name=\"" + anchor + "\"").toLatin1()), p.page);
      }
    }
  }

  // F1 in a dialog opens its own page in a window that takes input beside the modal dialog
  // (it belongs to it) and lies wholly on the screen, even for a dialog in a corner.
  void f1InADialogOpensItsOwnPage_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("page");
    QTest::newRow("calendar") << "calendar"
                              << "calendar.html";
    QTest::newRow("location properties") << "properties"
                                         << "locations.html#properties";
    QTest::newRow("enter time") << "time"
                                << "compare.html#moment";
  }

  void f1InADialogOpensItsOwnPage() {
    QFETCH(QString, dialog);
    QFETCH(QString, page);
    test::RecordingSink sink;
    const test::TestContext context({.messages = &sink});
    std::unique_ptr<QDialog> open;
    if (dialog == "calendar") {
      open = std::make_unique<CCalendarDlg>(2026, 1, 14);
    } else if (dialog == "properties") {
      open = std::make_unique<CLocationPropsDlg>(context.Context(), nullptr, CLocation::kCity);
    } else {
      open = std::make_unique<CEnterTimeDlg>(nullptr, 0, 0, sink);
    }
    CHelpRouter router;
    qApp->installEventFilter(&router);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    open->adjustSize();
    open->move(screen.bottomRight() - QPoint(open->width(), open->height()));
    QString shown;
    const QWidget* owner = nullptr;
    bool onScreen = false;
    QTimer::singleShot(0, open.get(), [&] {
      QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : open.get();
      QTest::keyClick(focus, Qt::Key_F1);
      if (const CHelpWindow* help = router.Window(); help != nullptr && help->isVisible()) {
        shown = help->source().toString();
        owner = help->parentWidget();
        onScreen = screen.contains(help->frameGeometry());
      }
      open->reject();
    });
    open->exec();
    QCOMPARE(shown, QStringLiteral("qrc:/help/") + page);
    QCOMPARE(owner, open.get());
    QVERIFY(onScreen);
  }
};

QTEST_MAIN(StartupWidgetsTest)
#include "startupwidgets_test.moc"
