// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/convert/measuredlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "convert/testtables.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "support/testcontext.h"
#include "support/widgettest.h"
#include "ui/widgets/dialogpositions.h"
#include "ui/widgets/numedit.h"

using namespace zw;
using test::Bytes;

using namespace zw::test;

namespace {

constexpr auto kLeft = CMeasureDlg::kLeft;
constexpr auto kRight = CMeasureDlg::kRight;

// Temperatures at list position 4, as the program expects; volumes without any unit, areas
// without Other units.
constexpr const char* kTable =
    "L 0 0          Length\r\n"
    "A 0 0          Area\r\n"
    "V 0 0          Volume\r\n"
    "W 0 0          Weight\r\n"
    "T 0 32         Temperature\r\n"
    "L 1 1          Meter\r\n"
    "L 1 1000       Kilometer\r\n"
    "L 2 0.3048     Foot\r\n"
    "L 2 1609.344   Mile\r\n"
    "L 3 1852       Nautical Mile\r\n"
    "A 1 1          Square Meter\r\n"
    "A 2 4046.85642 Acre\r\n"
    "W 1 1          Gram\r\n"
    "W 2 28.3495231 Ounce\r\n"
    "W 3 0.2        Carat\r\n"
    "T 1 1          Celsius\r\n"
    "T 1 1          Centigrade\r\n"
    "T 2 0.5555556  Fahrenheit\r\n"
    "T 3 1.25       R\xe9"
    "aumur\r\n"
    "L 1 0.001      Millimeter";  // no CR: not a line

struct Fixture {
  Fixture() { Write(test::ToBytes(kTable)); }

  void Write(const Bytes& bytes) const { test::WriteFile(dir.File("MEASURE.DAT"), bytes); }

  void Store(char category, char left, char right, int leftUnit = 0, int rightUnit = 0) {
    ClockSettings& fields = settings.Values();
    fields.measureCategory = category;
    fields.measureLeftSystem = left;
    fields.measureRightSystem = right;
    fields.measureLeftUnit = leftUnit;
    fields.measureRightUnit = rightUnit;
  }

  std::unique_ptr<CMeasureDlg> Open(IFileLayer* layer = nullptr) {
    auto dlg = std::make_unique<CMeasureDlg>(layer ? context.WithFiles(*layer) : context.Context());
    if (!dlg->Failed()) {
      dlg->show();
      QCoreApplication::processEvents();
    }
    return dlg;
  }

  test::TempDir dir;
  test::ScopedCwd cwd{dir.Path()};
  CPosixFileLayer files;
  test::RecordingSink messages;
  test::MemoryStore store;
  CClockSettings settings;
  test::TestContext context{
      {.settings = &settings, .store = &store, .files = &files, .messages = &messages}};
  CDialogPositions& positions = context.Positions();
};

QStringList Amounts(const CMeasureDlg& dlg) {
  return {dlg.Field(kLeft)->text(), dlg.Field(kRight)->text()};
}

void Amounts(CMeasureDlg& dlg, const QString& left, const QString& right) {
  dlg.Field(kLeft)->setText(left);
  dlg.Field(kRight)->setText(right);
}

void ChooseUnit(CMeasureDlg& dlg, CMeasureDlg::Side side, const char* name) {
  const int index = dlg.UnitList(side)->findText(QString::fromLatin1(name));
  QVERIFY2(index >= 0, name);
  dlg.UnitList(side)->setCurrentIndex(index);
}

// Which system key is checked on a side; '\0' for none.
char Checked(const CMeasureDlg& dlg, CMeasureDlg::Side side) {
  for (const char system : {'1', '2', '3'}) {
    if (dlg.SystemButton(side, system)->isChecked()) {
      return system;
    }
  }
  return '\0';
}

}  // namespace

class MeasureDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void showsEveryControl() {
    Fixture f;
    auto dlg = f.Open();
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Measurement Conversion"));
    QCOMPARE(Items(dlg->CategoryList()),
             QStringList({"Length", "Area", "Volume", "Weight", "Temperature"}));
    for (const auto side : {kLeft, kRight}) {
      QCOMPARE(dlg->SystemButton(side, '1')->text(), QStringLiteral("Metric"));
      QCOMPARE(dlg->SystemButton(side, '2')->text(), QStringLiteral("U.S."));
      QCOMPARE(dlg->SystemButton(side, '3')->text(), QStringLiteral("Other"));
      // Only the file's units can be chosen; "banana" would convert as the selected one.
      QVERIFY(!dlg->UnitList(side)->isEditable());
    }
    QCOMPARE(dlg->EqualsButton()->text(), QStringLiteral("="));
    QCOMPARE(dlg->EqualsButton()->font().family(), QStringLiteral("Times"));
    QCOMPARE(dlg->EqualsButton()->font().pixelSize(), 20);
    QVERIFY(dlg->EqualsButton()->isDefault());
    QVERIFY(HasLabel(*dlg, "Calculations have a Precision of Four Digits."));
    QVERIFY(f.messages.Messages().empty());
  }

  void freshSettingsShowMetricAgainstUs() {
    Fixture f;
    auto dlg = f.Open();
    // The default category code "1" names none of the file's: the first is taken.
    QCOMPARE(dlg->CategoryList()->currentIndex(), 0);
    QCOMPARE(Checked(*dlg, kLeft), '1');
    QCOMPARE(Checked(*dlg, kRight), '2');
    // The last line had no CR, so the Millimeter is lost.
    QCOMPARE(Items(dlg->UnitList(kLeft)), QStringList({"Meter", "Kilometer"}));
    QCOMPARE(Items(dlg->UnitList(kRight)), QStringList({"Foot", "Mile"}));
    QCOMPARE(dlg->UnitList(kLeft)->currentIndex(), 0);
    QCOMPARE(dlg->UnitList(kRight)->currentIndex(), 0);
  }

  void restoresTheStoredChoices() {
    Fixture f;
    f.Store('T', '2', '3', 0, 0);
    auto dlg = f.Open();
    QCOMPARE(dlg->CategoryList()->currentText(), QStringLiteral("Temperature"));
    QCOMPARE(Checked(*dlg, kLeft), '2');
    QCOMPARE(Checked(*dlg, kRight), '3');
    QCOMPARE(dlg->UnitList(kLeft)->currentText(), QStringLiteral("Fahrenheit"));
    QCOMPARE(dlg->UnitList(kRight)->currentText(), QString::fromLatin1("R\xe9"
                                                                       "aumur"));

    Fixture g;
    g.Store('L', '1', '2', 1, 1);
    auto lengths = g.Open();
    QCOMPARE(lengths->UnitList(kLeft)->currentText(), QStringLiteral("Kilometer"));
    QCOMPARE(lengths->UnitList(kRight)->currentText(), QStringLiteral("Mile"));
  }

  void storedValuesThatDoNotFitAreLeftAside() {
    Fixture f;
    f.Store('L', 'x', '2', 5, -3);
    auto dlg = f.Open();
    QCOMPARE(Checked(*dlg, kLeft), '\0');
    QCOMPARE(dlg->UnitList(kLeft)->count(), 0);
    QVERIFY(!dlg->Field(kLeft)->isEnabled());
    QCOMPARE(dlg->UnitList(kRight)->currentIndex(), 0);
    QVERIFY(dlg->Field(kRight)->isEnabled());
    // Closing keeps what could not be shown.
    dlg->close();
    QCOMPARE(f.settings.Values().measureLeftSystem, 'x');
    QCOMPARE(f.settings.Values().measureLeftUnit, 5);
    QCOMPARE(f.settings.Values().measureRightUnit, 0);
  }

  void convertsByFactorsAndTheUsOffset_data() {
    QTest::addColumn<char>("category");
    QTest::addColumn<QString>("leftUnit");
    QTest::addColumn<QString>("rightUnit");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("212 Fahrenheit") << 'T' << "Fahrenheit"
                                    << "Celsius"
                                    << "212"
                                    << "" << QStringList{"212", "100"};
    QTest::newRow("zero Celsius") << 'T' << "Celsius"
                                  << "Fahrenheit"
                                  << "0"
                                  << "" << QStringList{"0", "32"};
    QTest::newRow("minus forty") << 'T' << "Celsius"
                                 << "Fahrenheit"
                                 << "-40"
                                 << "" << QStringList{"-40", "-40"};
    QTest::newRow("freezing") << 'T' << "Fahrenheit"
                              << "Celsius"
                              << "32"
                              << "" << QStringList{"32", "0"};
    QTest::newRow("below zero") << 'T' << "Fahrenheit"
                                << "Celsius"
                                << ""
                                << "-100" << QStringList{"-148", "-100"};
    QTest::newRow("zero elsewhere changes nothing") << 'L' << "Meter"
                                                    << "Foot"
                                                    << "0"
                                                    << "7" << QStringList{"0", "7"};
    QTest::newRow("miles") << 'L' << "Kilometer"
                           << "Mile"
                           << ""
                           << "1,000" << QStringList{"1,609.344", "1,000"};
    QTest::newRow("feet") << 'L' << "Meter"
                          << "Foot"
                          << "1"
                          << "" << QStringList{"1", "3.2808"};
    QTest::newRow("grouped") << 'L' << "Meter"
                             << "Meter"
                             << "01234567.891"
                             << "" << QStringList{"1,234,567.891", "1,234,567.891"};
  }

  void convertsByFactorsAndTheUsOffset() {
    QFETCH(char, category);
    QFETCH(QString, leftUnit);
    QFETCH(QString, rightUnit);
    QFETCH(QString, left);
    QFETCH(QString, right);
    Fixture f;
    const char rightSystem = rightUnit == "Celsius" || rightUnit == "Meter" ? '1' : '2';
    f.Store(category, '1', rightSystem);
    auto dlg = f.Open();
    dlg->SystemButton(kLeft, leftUnit == "Fahrenheit" ? '2' : '1')->click();
    ChooseUnit(*dlg, kLeft, leftUnit.toLatin1().constData());
    ChooseUnit(*dlg, kRight, rightUnit.toLatin1().constData());
    Amounts(*dlg, left, right);
    dlg->EqualsButton()->click();
    QTEST(Amounts(*dlg), "shown");
    QVERIFY(f.messages.Messages().empty());
  }

  void refusalsChangeNeitherField() {
    Fixture f;
    f.Store('T', '1', '1');
    auto dlg = f.Open();
    Amounts(*dlg, "-12345678901.5", "3");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"-12345678901.5", "3"}));
    QCOMPARE(QString::fromStdString(f.messages.LastText()),
             QStringLiteral(
                 "Number entered is too large.  Please choose a number with 12 or fewer digits."));
    Amounts(*dlg, "1.2.3", "3");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"1.2.3", "3"}));
    QCOMPARE(QString::fromStdString(f.messages.LastText()),
             QStringLiteral("Please enter a number."));
    QCOMPARE(f.messages.Messages().size(), std::size_t{2});
  }

  void minusOnlyInTheSignedCategory() {
    Fixture f;
    f.Store('T', '1', '2');
    auto dlg = f.Open();
    QTest::keyClicks(dlg->Field(kLeft), "-5");
    QCOMPARE(dlg->Field(kLeft)->text(), QStringLiteral("-5"));
    QTest::keyClicks(dlg->Field(kLeft), "-");
    QCOMPARE(dlg->Field(kLeft)->text(), QStringLiteral("-5"));

    dlg->CategoryList()->setCurrentIndex(0);
    QTest::keyClicks(dlg->Field(kLeft), "-5");
    QCOMPARE(dlg->Field(kLeft)->text(), QStringLiteral("5"));
    dlg->CategoryList()->setCurrentIndex(4);
    dlg->Field(kRight)->clear();
    QTest::keyClicks(dlg->Field(kRight), "-7");
    QCOMPARE(dlg->Field(kRight)->text(), QStringLiteral("-7"));
  }

  void aNewCategoryRefillsAndEmpties() {
    Fixture f;
    f.Store('T', '2', '1');
    auto dlg = f.Open();
    Amounts(*dlg, "212", "");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"212", "100"}));
    dlg->CategoryList()->setCurrentIndex(3);
    QCOMPARE(Amounts(*dlg), QStringList({"", ""}));
    QCOMPARE(Items(dlg->UnitList(kLeft)), QStringList({"Ounce"}));
    QCOMPARE(Items(dlg->UnitList(kRight)), QStringList({"Gram"}));
    // Volumes have no units at all: both sides go empty and their fields are disabled.
    dlg->CategoryList()->setCurrentIndex(2);
    QCOMPARE(dlg->UnitList(kLeft)->count(), 0);
    QCOMPARE(dlg->UnitList(kRight)->count(), 0);
    QVERIFY(!dlg->Field(kLeft)->isEnabled());
    QVERIFY(!dlg->Field(kRight)->isEnabled());
    Amounts(*dlg, "5", "");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"5", ""}));
  }

  void aSystemButtonRefillsItsSide() {
    Fixture f;
    f.Store('A', '1', '2');
    auto dlg = f.Open();
    Amounts(*dlg, "1", "");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"1", ".0002"}));
    QTest::mouseClick(dlg->SystemButton(kRight, '3'), Qt::LeftButton);
    QCOMPARE(Checked(*dlg, kRight), '3');
    QCOMPARE(dlg->UnitList(kRight)->count(), 0);
    QVERIFY(!dlg->Field(kRight)->isEnabled());
    QCOMPARE(Amounts(*dlg), QStringList({"", ""}));
    QCOMPARE(Items(dlg->UnitList(kLeft)), QStringList({"Square Meter"}));

    // Clicking the checked button again starts its side over too.
    QTest::mouseClick(dlg->SystemButton(kLeft, '2'), Qt::LeftButton);
    QCOMPARE(Items(dlg->UnitList(kLeft)), QStringList({"Acre"}));
    Amounts(*dlg, "3", "");
    QTest::mouseClick(dlg->SystemButton(kLeft, '2'), Qt::LeftButton);
    QCOMPARE(Amounts(*dlg), QStringList({"", ""}));
    QVERIFY(dlg->Field(kLeft)->isEnabled());
  }

  void aNewUnitReexpressesTheOtherSide() {
    Fixture f;
    f.Store('L', '1', '2');
    auto dlg = f.Open();
    Amounts(*dlg, "1", "");
    ChooseUnit(*dlg, kRight, "Mile");
    QCOMPARE(Amounts(*dlg), QStringList({"1", ".0006"}));
    Amounts(*dlg, "", "1");
    ChooseUnit(*dlg, kLeft, "Kilometer");
    QCOMPARE(Amounts(*dlg), QStringList({"1.6093", "1"}));
    // Temperatures convert an empty side as nothing, not as zero.
    dlg->CategoryList()->setCurrentIndex(4);
    QTest::mouseClick(dlg->SystemButton(kLeft, '2'), Qt::LeftButton);
    QTest::mouseClick(dlg->SystemButton(kRight, '1'), Qt::LeftButton);
    ChooseUnit(*dlg, kRight, "Centigrade");
    QCOMPARE(Amounts(*dlg), QStringList({"", ""}));
  }

  void typingEmptiesTheOtherField() {
    Fixture f;
    f.Store('L', '1', '2');
    auto dlg = f.Open();
    QTest::keyClicks(dlg->Field(kLeft), "1000");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"1,000", "3,280.8399"}));
    QTest::keyClicks(dlg->Field(kLeft), "5");
    QCOMPARE(Amounts(*dlg), QStringList({"1,0005", ""}));
  }

  // Backspace in an empty field sets its changed flag without a change to clear it; the
  // result written there later must not count as typing and empty the other side.
  void aKeyThatChangedNothingLeavesNoTrace() {
    Fixture f;
    f.Store('T', '1', '2');
    auto dlg = f.Open();
    QTest::keyClick(dlg->Field(kRight), Qt::Key_Backspace);
    QTest::keyClicks(dlg->Field(kLeft), "0");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"0", "32"}));
  }

  void focusSelectsTheWholeAmount() {
    Fixture f;
    auto dlg = f.Open();
    dlg->activateWindow();
    Amounts(*dlg, "1,234", "56");
    dlg->Field(kRight)->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(dlg->Field(kRight)->selectedText(), QStringLiteral("56"));
    dlg->Field(kLeft)->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(dlg->Field(kLeft)->selectedText(), QStringLiteral("1,234"));
  }

  void closingSavesTheChoices() {
    Fixture f;
    auto dlg = f.Open();
    dlg->CategoryList()->setCurrentIndex(1);
    QTest::mouseClick(dlg->SystemButton(kLeft, '2'), Qt::LeftButton);
    QTest::mouseClick(dlg->SystemButton(kRight, '1'), Qt::LeftButton);
    dlg->CategoryList()->setCurrentIndex(4);
    ChooseUnit(*dlg, kLeft, "Fahrenheit");
    QTest::mouseClick(dlg->SystemButton(kRight, '3'), Qt::LeftButton);
    const QRect where(150, 130, dlg->width() + 20, dlg->height());
    dlg->setGeometry(where);
    dlg->close();
    const ClockSettings& fields = f.settings.Values();
    QCOMPARE(fields.measureCategory, 'T');
    QCOMPARE(fields.measureLeftSystem, '2');
    QCOMPARE(fields.measureRightSystem, '3');
    QCOMPARE(fields.measureLeftUnit, 0);
    QCOMPARE(fields.measureRightUnit, 0);
    QCOMPARE(f.store.Writes(), 1);
    const Bytes saved = f.store.Value("BinSet");
    QCOMPARE(saved.size(), CSettingsCodec::kRecordSize);
    QCOMPARE(saved[1850], std::uint8_t{'T'});
    QCOMPARE(saved[1851], std::uint8_t{'2'});
    QCOMPARE(saved[1852], std::uint8_t{'3'});
    QVERIFY(f.positions.IsRemembered(CDialogPositions::kMeasurement));

    auto again = f.Open();
    QCOMPARE(again->geometry(), where);
    QCOMPARE(again->UnitList(kLeft)->currentText(), QStringLiteral("Fahrenheit"));
    QCOMPARE(again->UnitList(kRight)->currentText(), QString::fromLatin1("R\xe9"
                                                                         "aumur"));
    ChooseUnit(*again, kLeft, "Fahrenheit");
    again->reject();
    QCOMPARE(f.store.Writes(), 2);
  }

  void fileFailuresCloseTheDialog_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << 0 << "The measurement file \"MEASURE.DAT\" is not found.";
    QTest::newRow("empty") << 1 << "Invalid measurement file.";
    QTest::newRow("unreadable") << 2 << "Unable to read measurement file.";
    QTest::newRow("too long to measure") << 3 << "Unable to determine measurement file length.";
  }

  void fileFailuresCloseTheDialog() {
    QFETCH(int, fault);
    Fixture f;
    test::FaultyFileLayer faulty;
    switch (fault) {
      case 0:
        std::filesystem::remove(f.dir.File("MEASURE.DAT"));
        break;
      case 1:
        f.Write({});
        break;
      case 2:
        faulty.FailRead(1, FileCause::kHardwareIo);
        break;
      default:
        f.Write(Bytes(CMeasureFile::kMaxFileBytes + 1, '\r'));
    }
    f.Store('T', '2', '1', 1, 0);
    auto dlg = f.Open(&faulty);
    QVERIFY(dlg->Failed());
    QCOMPARE(f.messages.Messages().size(), std::size_t{1});
    QCOMPARE(f.messages.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
    QTEST(QString::fromStdString(f.messages.LastText()), "message");

    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, dlg.get(), &QDialog::reject);
    guard.start(2000);
    QCOMPARE(dlg->exec(), int{QDialog::Rejected});
    QVERIFY(guard.isActive());
    dlg->done(QDialog::Rejected);
    QCOMPARE(f.store.Writes(), 0);
    QVERIFY(!f.positions.IsRemembered(CDialogPositions::kMeasurement));
    QCOMPARE(f.settings.Values().measureCategory, 'T');
    QCOMPARE(f.settings.Values().measureLeftUnit, 1);
  }

  void damagedTablesGiveEmptyListsNotCrashes_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::newRow("no line ends") << QByteArray("L 0 0          Length\nL 1 1          Meter\n");
    QTest::newRow("units without titles") << QByteArray("L 1 1          Meter\r\n");
    QTest::newRow("short lines") << QByteArray("\r\nL\r\nL \r\n");
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\r\n\r\r\r", 8);
  }

  void damagedTablesGiveEmptyListsNotCrashes() {
    QFETCH(QByteArray, table);
    Fixture f;
    f.Write(Bytes(table.begin(), table.end()));
    f.Store('L', '1', '2', 0, 0);
    auto dlg = f.Open();
    QVERIFY(!dlg->Failed());
    QCOMPARE(dlg->CategoryList()->count(), 0);
    QCOMPARE(dlg->UnitList(kLeft)->count(), 0);
    QVERIFY(!dlg->Field(kLeft)->isEnabled());
    QVERIFY(!dlg->Field(kRight)->isEnabled());
    dlg->EqualsButton()->click();
    dlg->close();
    QVERIFY(f.messages.Messages().empty());
    QCOMPARE(f.settings.Values().measureCategory, 'L');
    QCOMPARE(f.settings.Values().measureLeftUnit, 0);
  }

  void overlongLinesAreCut() {
    Fixture f;
    f.Write(
        test::ToBytes("L 0 0          Length of a category name that runs on and on\r\n"
                      "L 1 1          Meter\r\n"
                      "L 2 0.3048     Foot\r\n"));
    auto dlg = f.Open();
    QCOMPARE(dlg->CategoryList()->itemText(0), QStringLiteral("Length of a category name tha"));
    Amounts(*dlg, "1", "");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"1", "3.2808"}));
  }
};

QTEST_MAIN(MeasureDlgTest)
#include "measuredlg_test.moc"
