#include "ui/app/commandline.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QtTest>

using zw::CCommandLine;

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral("9.8")); }

  void answersOrRuns_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");  // -1: the program runs
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("nothing") << QStringList{} << -1 << ""
                             << "";
    QTest::newRow("hour switch") << QStringList{"/H+5"} << -1 << ""
                                 << "";
    QTest::newRow("hour value apart") << QStringList{"/H", "-12"} << -1 << ""
                                      << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "[/H±hours]"
                          << "";
    QTest::newRow("short help") << QStringList{"-h"} << 0 << "--version"
                                << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << " 9.8\n"
                             << "";
    QTest::newRow("help wins over the switch") << QStringList{"/H+2", "--help"} << 0 << "Usage"
                                               << "";
    QTest::newRow("unknown option")
        << QStringList{"--frobnicate"} << CCommandLine::kUsageError << ""
        << "frobnicate";
    QTest::newRow("letters after a dash")
        << QStringList{"/H", "-x5"} << CCommandLine::kUsageError << ""
        << "Usage";
  }

  void answersOrRuns() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QString printed;
    QString complained;
    QTextStream outStream(&printed);
    QTextStream errStream(&complained);
    const std::optional<int> code = CCommandLine::ExitCode(
        QStringList{QStringLiteral("zonewright")} + arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    QCOMPARE(code.value_or(-1), exitCode);
    // An empty expectation means nothing may be written there at all.
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.contains(out), qPrintable(printed));
    QVERIFY2(err.isEmpty() ? complained.isEmpty() : complained.contains(err),
             qPrintable(complained));
  }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "commandline_test.moc"
