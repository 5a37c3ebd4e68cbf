// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/qtmessagesink.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include "ui/platform/coretext.h"

using namespace zw;

namespace {

// A German catalogue of two core texts, without a compiled file.
class FakeTranslator : public QTranslator {
 public:
  QString translate(const char* context, const char* source, const char*, int) const override {
    if (QByteArray(context) != kCoreTextContext) {
      return {};
    }
    if (QByteArray(source) == "Invalid day entered.") {
      return QStringLiteral("Ung\u00FCltiger Tag.");
    }
    if (QByteArray(source) == "Cannot read the alarm file.  Return code: ") {
      return QStringLiteral("Die Alarmdatei ist unlesbar.  Fehlercode: ");
    }
    return {};
  }
  bool isEmpty() const override { return false; }
};

}  // namespace

// Each call runs a modal box; a timer inspects it from inside its event loop and answers it.
class MessageSinkTest : public QObject {
  Q_OBJECT

 private:
  struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasYesNo = false;
    QWidget* parent = nullptr;
  };

  // Finds the open box, records it and presses `press`.
  void AnswerNextBox(QMessageBox::StandardButton press) {
    auto seen = std::make_shared<Seen>();
    QTimer::singleShot(0, this, [seen, press] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      seen->title = box->windowTitle();
      seen->text = box->text();
      seen->icon = box->icon();
      seen->hasYesNo = box->button(QMessageBox::Yes) && box->button(QMessageBox::No);
      seen->parent = box->parentWidget();
      QAbstractButton* button = box->button(press);
      QVERIFY(button != nullptr);
      button->click();
    });
    m_pending = seen;
  }

  std::shared_ptr<Seen> m_pending;

 private slots:
  void warningAndInformation_data() {
    QTest::addColumn<bool>("warn");
    QTest::addColumn<int>("icon");
    QTest::newRow("warn") << true << int(QMessageBox::Warning);
    QTest::newRow("inform") << false << int(QMessageBox::Information);
  }

  void warningAndInformation() {
    QFETCH(bool, warn);
    QFETCH(int, icon);
    CQtMessageSink sink;
    AnswerNextBox(QMessageBox::Ok);
    if (warn) {
      sink.Warn("Invalid day entered.");
    } else {
      sink.Inform("Try again later.");
    }
    QCOMPARE(m_pending->title, QStringLiteral("Zonewright"));
    QCOMPARE(m_pending->text,
             warn ? QStringLiteral("Invalid day entered.") : QStringLiteral("Try again later."));
    QCOMPARE(int(m_pending->icon), icon);
  }

  void questions_data() {
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("expected");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << false;
  }

  void questions() {
    QFETCH(int, press);
    QFETCH(bool, expected);
    CQtMessageSink sink;
    AnswerNextBox(static_cast<QMessageBox::StandardButton>(press));
    QCOMPARE(sink.AskYesNo("Restart Zonewright now?"), expected);
    QVERIFY(m_pending->hasYesNo);
    QCOMPARE(m_pending->title, QStringLiteral("Zonewright"));
  }

  // Place names come from Latin-1 files, and so do the texts around them.
  void latin1TextsReachTheBoxIntact() {
    CQtMessageSink sink;
    AnswerNextBox(QMessageBox::No);
    sink.AskYesNo("You are about to delete \"Durr\xEBs\" from the database.");
    QCOMPARE(m_pending->text,
             QStringLiteral("You are about to delete \"Durr\u00EBs\" from the database."));
  }

  // With a translation loaded, the core's texts show in the user's language, a return code kept
  // as it came; a text with no translation still shows its Latin-1 letters.
  void coreTextsAreTranslatedWhereACatalogueHasThem() {
    FakeTranslator german;
    QCoreApplication::installTranslator(&german);
    CQtMessageSink sink;
    AnswerNextBox(QMessageBox::Ok);
    sink.Warn("Invalid day entered.");
    QCOMPARE(m_pending->text, QStringLiteral("Ung\u00FCltiger Tag."));
    QCOMPARE(CoreText("Cannot read the alarm file.  Return code: -5"),
             QStringLiteral("Die Alarmdatei ist unlesbar.  Fehlercode: -5"));
    QCOMPARE(CoreText("Cannot read the alarm file.  Return code: x5"),
             QStringLiteral("Cannot read the alarm file.  Return code: x5"));
    QCOMPARE(CoreText("Z\xFCrich: 12"), QStringLiteral("Z\u00FCrich: 12"));
    QCoreApplication::removeTranslator(&german);
  }

  // A box raised by a dialog stands over that dialog, not over the clock behind it.
  void boxesStandOverTheDialogInFront() {
    QWidget clock;
    clock.show();
    CQtMessageSink sink(&clock);
    QDialog dialog(&clock);
    QTimer::singleShot(0, &dialog, [&] {
      AnswerNextBox(QMessageBox::Ok);
      sink.Warn("Please enter an integer between -11 and 12.");
      dialog.accept();
    });
    dialog.exec();
    QCOMPARE(m_pending->parent, &dialog);
    AnswerNextBox(QMessageBox::Ok);
    sink.Warn("Invalid day entered.");
    QVERIFY(m_pending->parent != &dialog);
  }
};

QTEST_MAIN(MessageSinkTest)
#include "qtmessagesink_test.moc"
