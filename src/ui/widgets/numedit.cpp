// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/numedit.h"

#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

namespace zw {

namespace {

bool IsNumberChar(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'.' || c == u',';
}

bool IsNumberText(const QString& text) {
  return std::all_of(text.begin(), text.end(), IsNumberChar);
}

// Whatever reaches the text by other ways than a keystroke (paste, drop, undo of a paste)
// passes the same filter: "12abc" becomes "12", and "-5" stays negative only where a minus
// sign may be typed.
class NumberFilter final : public QValidator {
 public:
  NumberFilter(const bool& allowNegative, QObject* parent)
      : QValidator(parent), m_allowNegative(allowNegative) {}

  State validate(QString& text, int& pos) const override {
    QString kept;
    int keptPos = pos;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (IsNumberChar(c) || (c == u'-' && i == 0 && m_allowNegative)) {
        kept += c;
      } else if (i < pos) {
        --keptPos;
      }
    }
    text = kept;
    pos = keptPos;
    return Acceptable;
  }

 private:
  const bool& m_allowNegative;
};

// A key that would insert its text. Ctrl combinations carry a letter as their text too, but
// they are the edit's shortcuts (select all, copy, paste, undo); Ctrl+Alt is left to typing
// because some keyboards produce their third-level characters with it.
bool TypesText(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || !text.front().isPrint()) {
    return false;
  }
  const Qt::KeyboardModifiers mods = event->modifiers();
  return !(mods & Qt::ControlModifier) || (mods & Qt::AltModifier);
}

}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent) {
  // With an input method active, typed text would arrive as committed strings that bypass
  // the key filter; a number needs no composing.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setValidator(new NumberFilter(m_allowNegative, this));
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
    m_changed = true;
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (!TypesText(event)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (IsNumberText(event->text())) {
    m_changed = true;
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (MinusPasses(event->text())) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // Swallowed without a beep: the user simply sees nothing happen.
  event->accept();
}

bool CNumEdit::MinusPasses(const QString& text) const {
  return text == u"-" && m_allowNegative && cursorPosition() == 0;
}

}  // namespace zw
