// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/numedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using namespace zw;

namespace {

// A field holding `text` with the cursor at `cursor`, as the owner would have left it.
void Prepare(CNumEdit& edit, const QString& text, int cursor, bool allowNegative = false) {
  edit.setText(text);
  edit.setCursorPosition(cursor);
  edit.SetAllowNegative(allowNegative);
  edit.SetChanged(false);
}

}  // namespace

class NumEditTest : public QObject {
  Q_OBJECT

 private slots:
  void typedCharacters_data() {
    QTest::addColumn<bool>("allowNegative");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");

    QTest::newRow("digits") << false << "" << 0 << "0123456789"
                            << "0123456789" << true;
    QTest::newRow("letters") << false << "" << 0 << "abcXYZe"
                             << "" << false;
    QTest::newRow("spaces and symbols") << false << "" << 0 << " +*/$%=_'()"
                                        << "" << false;
    QTest::newRow("letters among digits") << false << "" << 0 << "1a2 b3"
                                          << "123" << true;
    QTest::newRow("a swallowed key keeps the flag") << false << "" << 0 << "12x"
                                                    << "12" << true;
    QTest::newRow("several points and commas") << false << "" << 0 << "1.2,3..,,"
                                               << "1.2,3..,," << true;
    QTest::newRow("minus refused when negatives are off") << false << "" << 0 << "-"
                                                          << "" << false;
    QTest::newRow("minus refused at the start of a number when negatives are off")
        << false << "5" << 0 << "-"
        << "5" << false;
    QTest::newRow("leading minus") << true << "" << 0 << "-"
                                   << "-" << false;
    QTest::newRow("leading minus then digits") << true << "" << 0 << "-12"
                                               << "-12" << true;
    QTest::newRow("minus put before a number") << true << "5" << 0 << "-"
                                               << "-5" << false;
    QTest::newRow("minus after a digit") << true << "5" << 1 << "-"
                                         << "5" << false;
    QTest::newRow("minus inside typed digits") << true << "" << 0 << "1-2-"
                                               << "12" << true;
  }

  void typedCharacters() {
    QFETCH(bool, allowNegative);
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    CNumEdit edit;
    Prepare(edit, start, cursor, allowNegative);
    QTest::keyClicks(&edit, typed);
    QTEST(edit.text(), "text");
    QTEST(edit.Changed(), "changed");
  }

  void editingKeys_data() {
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");

    QTestEventList backspace;
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace") << backspace << "12" << true;

    QTestEventList del;
    del.addKeyClick(Qt::Key_Home);
    del.addKeyClick(Qt::Key_Delete);
    QTest::newRow("delete") << del << "23" << true;

    QTestEventList moves;
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Home, Qt::Key_Right, Qt::Key_End, Qt::Key_Tab}) {
      moves.addKeyClick(key);
    }
    QTest::newRow("moving the cursor") << moves << "123" << false;

    QTestEventList insertAfterMove;
    insertAfterMove.addKeyClick(Qt::Key_Home);
    insertAfterMove.addKeyClick(Qt::Key_Right);
    insertAfterMove.addKeyClicks(QStringLiteral("9"));
    QTest::newRow("typing after moving") << insertAfterMove << "1923" << true;

    QTestEventList selectAllAndType;
    selectAllAndType.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    selectAllAndType.addKeyClicks(QStringLiteral("7"));
    QTest::newRow("select all, then type") << selectAllAndType << "7" << true;

    QTestEventList keypad;
    keypad.addKeyClick(Qt::Key_4, Qt::KeypadModifier);
    keypad.addKeyClick(Qt::Key_Period, Qt::KeypadModifier);
    keypad.addKeyClick(Qt::Key_Plus, Qt::KeypadModifier);
    QTest::newRow("keypad") << keypad << "1234." << true;
  }

  void editingKeys() {
    QFETCH(QTestEventList, keys);
    CNumEdit edit;
    Prepare(edit, QStringLiteral("123"), 3);
    keys.simulate(&edit);
    QTEST(edit.text(), "text");
    QTEST(edit.Changed(), "changed");
  }

  void clipboardShortcutsWork() {
    CNumEdit edit;
    Prepare(edit, QStringLiteral("42"), 2);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("42"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("4242"));
  }

  // A paste passes the keystroke filter, or "12abc" would convert as 12, "1e5" as 100,000 and
  // "-5" as a negative amount of money.
  void pastedTextIsFilteredLikeTyping_data() {
    QTest::addColumn<bool>("fromClipboard");
    QTest::addColumn<bool>("allowNegative");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::newRow("insert") << false << false << "1,5-x kg"
                            << "1,5";
    QTest::newRow("Ctrl+V") << true << false << "12abc"
                            << "12";
    QTest::newRow("exponent") << true << false << "1e5"
                              << "15";
    QTest::newRow("minus where negatives are off") << true << false << "-5"
                                                   << "5";
    QTest::newRow("leading minus where allowed") << true << true << "-5-"
                                                 << "-5";
    QTest::newRow("words") << false << false << "inf nan"
                           << "";
  }

  void pastedTextIsFilteredLikeTyping() {
    QFETCH(bool, fromClipboard);
    QFETCH(bool, allowNegative);
    QFETCH(QString, pasted);
    CNumEdit edit;
    Prepare(edit, QString(), 0, allowNegative);
    if (fromClipboard) {
      QGuiApplication::clipboard()->setText(pasted);
      QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    } else {
      edit.insert(pasted);
    }
    QTEST(edit.text(), "text");
  }
};

QTEST_MAIN(NumEditTest)
#include "numedit_test.moc"
