#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "support/tempdir.h"
#include "ui/app/singleinstance.h"
#include "ui/app/splashwnd.h"
#include "ui/app/welcomedlg.h"

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
    QCOMPARE(dlg.HideBox()->text(), QStringLiteral("Do not display this panel during startup."));
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
};

QTEST_MAIN(StartupWidgetsTest)
#include "startupwidgets_test.moc"
