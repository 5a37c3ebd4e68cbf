#include "ui/app/commandline.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QtTest>

using zw::CCommandLine;

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void answersOrRuns_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");  // -1: the program runs and nothing is written
    QTest::addColumn<QString>("written");
    QTest::newRow("nothing") << QStringList{} << -1 << "";
    QTest::newRow("hour value apart") << QStringList{"/H", "-12"} << -1 << "";
    QTest::newRow("help") << QStringList{"/H+2", "--help"} << 0 << "[/H±hours]";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "Zonewright 9.8\n";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "frobnicate";
    QTest::newRow("letters after a dash") << QStringList{"/H", "-x5"} << 2 << "Usage";
  }

  void answersOrRuns() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, written);
    QCoreApplication::setApplicationName(QStringLiteral("Zonewright"));
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8"));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const std::optional<int> code =
        CCommandLine::ExitCode(QStringList{"zonewright"} + arguments, outStream, errStream);
    outStream.flush(), errStream.flush();
    QCOMPARE(code.value_or(-1), exitCode);
    QVERIFY(code || (out.isEmpty() && err.isEmpty()));
    // Answers go to standard output, complaints to standard error.
    QCOMPARE(out.contains(written) && !written.isEmpty(), exitCode == 0);
    QCOMPARE(err.contains(written) && !written.isEmpty(), exitCode > 0);
  }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "commandline_test.moc"
