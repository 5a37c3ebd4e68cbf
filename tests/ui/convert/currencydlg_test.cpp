// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/convert/currencydlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
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

constexpr auto kLeft = CCurrencyDlg::kLeft;
constexpr auto kRight = CCurrencyDlg::kRight;
const std::string kLongName = std::string(35, 'Q') + "xyz";  // 38: more than the settings keep

// A rate table of the test's own, in a directory of its own.
struct Fixture {
  Fixture() { Write(Standard()); }

  static Bytes Standard() {
    return test::Join({test::CurrencyRecord("Dollar", 1), test::CurrencyRecord("Mark", 1.6),
                       test::CurrencyRecord("Third", 3), test::CurrencyRecord("Half", 0.5),
                       test::CurrencyRecord(kLongName, 2),
                       test::CurrencyDescription("Rates of the test")});
  }

  void Write(const Bytes& bytes) const { test::WriteFile(dir.File("CURRENCY.DAT"), bytes); }

  void Store(const char* left, const char* right) {
    settings.Values().currencyLeft = left;
    settings.Values().currencyRight = right;
  }

  std::unique_ptr<CCurrencyDlg> Open(IFileLayer* layer = nullptr) {
    auto dlg =
        std::make_unique<CCurrencyDlg>(layer ? context.WithFiles(*layer) : context.Context());
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

void Choose(CCurrencyDlg& dlg, const char* left, const char* right) {
  dlg.List(kLeft)->setCurrentIndex(dlg.List(kLeft)->findText(QString::fromLatin1(left)));
  dlg.List(kRight)->setCurrentIndex(dlg.List(kRight)->findText(QString::fromLatin1(right)));
}

// Sets both fields as the program would, so no field empties the other.
void Amounts(CCurrencyDlg& dlg, const QString& left, const QString& right) {
  dlg.Field(kLeft)->setText(left);
  dlg.Field(kRight)->setText(right);
}

QStringList Amounts(const CCurrencyDlg& dlg) {
  return {dlg.Field(kLeft)->text(), dlg.Field(kRight)->text()};
}

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

}  // namespace

class CurrencyDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheTableWithEveryControl() {
    Fixture f;
    auto dlg = f.Open();
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Currency Conversion"));
    const QStringList names = {"Dollar", "Mark", "Third", "Half",
                               QString::fromStdString(kLongName)};
    QCOMPARE(Items(dlg->List(kLeft)), names);
    QCOMPARE(Items(dlg->List(kRight)), names);
    QCOMPARE(dlg->DescriptionBox()->toPlainText(), QStringLiteral("Rates of the test"));
    QVERIFY(dlg->DescriptionBox()->isReadOnly());
    QCOMPARE(dlg->EqualsButton()->text(), QStringLiteral("="));
    QCOMPARE(dlg->EqualsButton()->font().family(), QStringLiteral("Times"));
    QCOMPARE(dlg->EqualsButton()->font().pixelSize(), 20);
    QVERIFY(dlg->EqualsButton()->isDefault());
    QVERIFY(HasLabel(*dlg, "Quantity:"));
    QVERIFY(HasLabel(*dlg, "Calculations have a Precision of Four Digits."));
    QVERIFY(f.messages.Messages().empty());
  }

  void selectsTheStoredCurrencies() {
    Fixture f;
    f.Store("Half", "Third");
    auto dlg = f.Open();
    QCOMPARE(dlg->List(kLeft)->currentText(), QStringLiteral("Half"));
    QCOMPARE(dlg->List(kRight)->currentText(), QStringLiteral("Third"));
  }

  void unknownStoredNamesSelectTheFirstAndSecond() {
    Fixture f;
    f.Store("Gulden", "mark");
    auto dlg = f.Open();
    QCOMPARE(dlg->List(kLeft)->currentIndex(), 0);
    QCOMPARE(dlg->List(kRight)->currentIndex(), 1);
  }

  void aSingleCurrencyIsSelectedOnBothSides() {
    Fixture f;
    f.Write(test::CurrencyRecord("Dollar", 1));
    auto dlg = f.Open();
    QCOMPARE(dlg->List(kLeft)->currentIndex(), 0);
    QCOMPARE(dlg->List(kRight)->currentIndex(), 0);
    QCOMPARE(dlg->DescriptionBox()->toPlainText(), QString());
    Amounts(*dlg, "7", "");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"7", "7"}));
  }

  void equalsConverts_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("leftCurrency");
    QTest::addColumn<QString>("rightCurrency");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("16 at 1 and 1.6") << "16"
                                     << ""
                                     << "Dollar"
                                     << "Mark" << QStringList{"16", "10"};
    QTest::newRow("a thousand") << "1,000"
                                << ""
                                << "Dollar"
                                << "Mark" << QStringList{"1,000", "625"};
    QTest::newRow("four decimals without a leading zero") << "1"
                                                          << ""
                                                          << "Dollar"
                                                          << "Third" << QStringList{"1", ".3333"};
    QTest::newRow("a whole result has no point") << "1"
                                                 << ""
                                                 << "Dollar"
                                                 << "Half" << QStringList{"1", "2"};
    QTest::newRow("cleaned and grouped") << "0001,234.50"
                                         << ""
                                         << "Dollar"
                                         << "Dollar" << QStringList{"1,234.50", "1,234.5"};
    QTest::newRow("the left side goes first") << "10"
                                              << "99"
                                              << "Mark"
                                              << "Dollar" << QStringList{"10", "16"};
    QTest::newRow("right to left when the left is empty") << ""
                                                          << "10"
                                                          << "Dollar"
                                                          << "Mark" << QStringList{"16", "10"};
    QTest::newRow("thirteen characters")
        << "123456789.123"
        << ""
        << "Dollar"
        << "Dollar" << QStringList{"123,456,789.123", "123,456,789.123"};
    QTest::newRow("zero changes nothing") << "0"
                                          << "55"
                                          << "Dollar"
                                          << "Mark" << QStringList{"0", "55"};
    QTest::newRow("both empty") << ""
                                << ""
                                << "Dollar"
                                << "Mark" << QStringList{"", ""};
  }

  void equalsConverts() {
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, leftCurrency);
    QFETCH(QString, rightCurrency);
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, leftCurrency.toLatin1().constData(), rightCurrency.toLatin1().constData());
    Amounts(*dlg, left, right);
    dlg->EqualsButton()->click();
    QTEST(Amounts(*dlg), "shown");
    QVERIFY(f.messages.Messages().empty());
  }

  void returnInAFieldPressesEquals() {
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, "Dollar", "Mark");
    dlg->Field(kLeft)->setFocus();
    QTest::keyClicks(dlg->Field(kLeft), "16");
    QTest::keyClick(dlg->Field(kLeft), Qt::Key_Return);
    QCOMPARE(Amounts(*dlg), QStringList({"16", "10"}));
    QVERIFY(dlg->isVisible());
  }

  void refusalsLeaveBothFields_data() {
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("message");
    QTest::newRow("fourteen characters")
        << "12345678901.23"
        << "Number entered is too large.  Please choose a number with 12 or fewer digits.";
    QTest::newRow("no amount") << "1.2.3"
                               << "Please enter a number.";
  }

  void refusalsLeaveBothFields() {
    QFETCH(QString, left);
    QFETCH(QString, message);
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, "Dollar", "Dollar");
    Amounts(*dlg, left, "3");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({left, "3"}));
    QCOMPARE(f.messages.Messages().size(), std::size_t{1});
    QCOMPARE(f.messages.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
    QCOMPARE(QString::fromStdString(f.messages.LastText()), message);
  }

  // Results up to eighteen digits with their four decimals are shown, as the dialog's own
  // message promises twelve-digit amounts.
  void largeResultsAreShown() {
    Fixture f;
    f.Write(
        test::Join({test::CurrencyRecord("Dollar", 1), test::CurrencyRecord("Rial", 1 / 42105.0),
                    test::CurrencyRecord("Speck", 1e-12)}));
    auto dlg = f.Open();
    Choose(*dlg, "Dollar", "Rial");
    Amounts(*dlg, "50,000", "");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"50,000", "2,105,250,000"}));
    Choose(*dlg, "Dollar", "Speck");
    QCOMPARE(QString::fromStdString(f.messages.LastText()),
             QStringLiteral(
                 "Too many digits in the result.  Please enter a smaller number to convert."));
  }

  void aNewCurrencyRepricesTheOtherSide() {
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, "Dollar", "Mark");
    Amounts(*dlg, "16", "");
    // A new right currency converts the left amount into it...
    dlg->List(kRight)->setCurrentIndex(dlg->List(kRight)->findText("Half"));
    QCOMPARE(Amounts(*dlg), QStringList({"16", "32"}));
    // ...and a new left currency converts the right amount into that.
    dlg->List(kLeft)->setCurrentIndex(dlg->List(kLeft)->findText("Third"));
    QCOMPARE(Amounts(*dlg), QStringList({"5.3333", "32"}));
  }

  void typingEmptiesTheOtherField() {
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, "Dollar", "Mark");
    dlg->Field(kLeft)->setFocus();
    QTest::keyClicks(dlg->Field(kLeft), "16");
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"16", "10"}));
    // A converted pair stands until the user changes either number.
    QTest::keyClick(dlg->Field(kRight), Qt::Key_End);
    QCOMPARE(Amounts(*dlg), QStringList({"16", "10"}));
    QTest::keyClick(dlg->Field(kRight), Qt::Key_Backspace);
    QCOMPARE(Amounts(*dlg), QStringList({"", "1"}));
    // Typing into a field whose partner is empty keeps going.
    QTest::keyClicks(dlg->Field(kRight), "00");
    QCOMPARE(Amounts(*dlg), QStringList({"", "100"}));
    dlg->EqualsButton()->click();
    QCOMPARE(Amounts(*dlg), QStringList({"160", "100"}));
    // A swallowed key changes nothing, and no minus sign gets into a currency.
    QTest::keyClicks(dlg->Field(kLeft), "x");
    QTest::keyClick(dlg->Field(kLeft), Qt::Key_Home);
    QTest::keyClicks(dlg->Field(kLeft), "-");
    QCOMPARE(Amounts(*dlg), QStringList({"160", "100"}));
  }

  void focusSelectsTheWholeAmount() {
    Fixture f;
    auto dlg = f.Open();
    dlg->activateWindow();
    Amounts(*dlg, "1,234", "56");
    for (const auto side : {kRight, kLeft}) {
      dlg->Field(side)->setFocus(Qt::MouseFocusReason);
      QTRY_COMPARE(dlg->Field(side)->selectedText(), dlg->Field(side)->text());
      dlg->Field(side)->deselect();
    }
    QTest::mouseClick(dlg->Field(kRight), Qt::LeftButton, {}, QPoint(2, 5));
    QTRY_COMPARE(dlg->Field(kRight)->selectedText(), QStringLiteral("56"));
  }

  void closingSavesTheChosenNames() {
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, "Third", "Half");
    const QRect where(140, 120, dlg->width() + 10, dlg->height());
    dlg->setGeometry(where);
    dlg->close();
    QCOMPARE(f.settings.Values().currencyLeft, std::string("Third"));
    QCOMPARE(f.settings.Values().currencyRight, std::string("Half"));
    QCOMPARE(f.store.Writes(), 1);
    const Bytes saved = f.store.Value("BinSet");
    QCOMPARE(saved.size(), CSettingsCodec::kRecordSize);
    QCOMPARE(std::string(reinterpret_cast<const char*>(&saved[1778])), std::string("Third"));
    QCOMPARE(std::string(reinterpret_cast<const char*>(&saved[1814])), std::string("Half"));
    QVERIFY(f.positions.IsRemembered(CDialogPositions::kCurrency));

    // The next opening in the run takes the rectangle and the choices.
    auto again = f.Open();
    QCOMPARE(again->geometry(), where);
    QCOMPARE(again->List(kLeft)->currentText(), QStringLiteral("Third"));
    QCOMPARE(again->List(kRight)->currentText(), QStringLiteral("Half"));
  }

  void aNameLongerThanTheSettingsKeepIsFoundAgain() {
    Fixture f;
    auto dlg = f.Open();
    Choose(*dlg, kLongName.c_str(), "Mark");
    dlg->reject();
    // The record keeps 35 characters; a restart finds the name by them.
    QCOMPARE(CSettingsCodec::Decode(f.settings.Record()).currencyLeft, kLongName.substr(0, 35));
    f.settings.Values() = CSettingsCodec::Decode(f.settings.Record());
    auto again = f.Open();
    QCOMPARE(again->List(kLeft)->currentText(), QString::fromStdString(kLongName));
  }

  void fileFailuresCloseTheDialog_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << 0
                             << "The currency rate file \"CURRENCY.DAT\" is not found.  Select the "
                                "popup menu command \"Update Database\" to download the currency "
                                "file from the internet or visit our Web site to retrieve the file "
                                "directly. Please refer to online help for further details.";
    QTest::newRow("empty") << 1 << "Invalid currency file.";
    QTest::newRow("unreadable") << 2 << "Unable to read currency file.";
    QTest::newRow("too long to measure") << 3 << "Unable to determine currency file length.";
  }

  void fileFailuresCloseTheDialog() {
    QFETCH(int, fault);
    Fixture f;
    test::FaultyFileLayer faulty;
    switch (fault) {
      case 0:
        std::filesystem::remove(f.dir.File("CURRENCY.DAT"));
        break;
      case 1:
        f.Write({});
        break;
      case 2:
        faulty.FailRead(1, FileCause::kHardwareIo);
        break;
      default: {
        f.Write(Cut(Fixture::Standard(), CCurrencyFile::kMaxFileBytes + 1));
      }
    }
    f.Store("Mark", "Half");
    auto dlg = f.Open(&faulty);
    QVERIFY(dlg->Failed());
    QCOMPARE(f.messages.Messages().size(), std::size_t{1});
    QCOMPARE(f.messages.Messages()[0].kind, test::RecordingSink::Kind::kWarn);
    QTEST(QString::fromStdString(f.messages.LastText()), "message");

    // Ended as if cancelled, without ever showing; nothing of it is kept.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, dlg.get(), &QDialog::reject);
    guard.start(2000);
    QCOMPARE(dlg->exec(), int{QDialog::Rejected});
    QVERIFY(guard.isActive());
    QVERIFY(!dlg->isVisible());
    dlg->done(QDialog::Rejected);
    QCOMPARE(f.store.Writes(), 0);
    QVERIFY(!f.positions.IsRemembered(CDialogPositions::kCurrency));
    QCOMPARE(f.settings.Values().currencyLeft, std::string("Mark"));
  }

  void aTableWithoutRecordsConvertsNothingAndKeepsTheSettings() {
    for (const Bytes& bytes :
         {test::CurrencyDescription("Only words"), test::ToBytes("no table at all"),
          // A lone record cut short.
          Cut(test::CurrencyRecord("Dollar", 1), 30)}) {
      Fixture f;
      f.Write(bytes);
      f.Store("Mark", "Half");
      auto dlg = f.Open();
      QVERIFY(!dlg->Failed());
      QCOMPARE(dlg->List(kLeft)->count(), 0);
      QCOMPARE(dlg->List(kRight)->count(), 0);
      Amounts(*dlg, "16", "");
      dlg->EqualsButton()->click();
      QCOMPARE(Amounts(*dlg), QStringList({"16", ""}));
      dlg->close();
      QVERIFY(f.messages.Messages().empty());
      QCOMPARE(f.store.Writes(), 0);
      QCOMPARE(f.settings.Values().currencyLeft, std::string("Mark"));
    }
  }

  void aCutRecordLosesOnlyItself() {
    Fixture f;
    Bytes bytes = test::Join({test::CurrencyRecord("Dollar", 1), test::CurrencyRecord("Mark", 1.6),
                              test::CurrencyRecord("Third", 3)});
    f.Write(Cut(bytes, bytes.size() - 5));
    auto dlg = f.Open();
    QCOMPARE(Items(dlg->List(kLeft)), QStringList({"Dollar", "Mark"}));
    QCOMPARE(dlg->DescriptionBox()->toPlainText(), QString());
  }
};

QTEST_MAIN(CurrencyDlgTest)
#include "currencydlg_test.moc"
