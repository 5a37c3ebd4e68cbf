#include "ui/widgets/numedit.h"

#include <QKeyEvent>
#include <algorithm>

namespace zw {

namespace {

bool IsNumberText(const QString& text) {
  return std::all_of(text.begin(), text.end(),
                     [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u','; });
}

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
