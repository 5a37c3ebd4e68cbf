// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

namespace zw {

// A one-line field for a decimal quantity: digits, points, commas and, where allowed, a
// leading minus sign. Pasted and dropped text is filtered exactly like typing (the
// characters a keystroke could not add are left out); the owner still checks the number's
// form ("1.2.3") and range.
class CNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CNumEdit(QWidget* parent = nullptr);

  // Set whenever a keystroke that can alter the number got through; the field never clears
  // it, which lets the owner tell the user's typing apart from its own setText().
  bool Changed() const { return m_changed; }
  void SetChanged(bool changed) { m_changed = changed; }

  // Lets a minus sign be typed, or pasted, at the very start of the text.
  void SetAllowNegative(bool allow) { m_allowNegative = allow; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool MinusPasses(const QString& text) const;

  bool m_changed = false;
  bool m_allowNegative = false;
};

}  // namespace zw
