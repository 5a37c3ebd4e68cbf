// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace zw {

class CNumEdit;

// A numeric entry field with up and down buttons that may also stand empty, which a spin
// box cannot: the dialogs that use it report an empty field in words of their own.
class CSpinField : public QWidget {
  Q_OBJECT

 public:
  CSpinField(int minimum, int maximum, QWidget* parent = nullptr);

  CNumEdit* Edit() const { return m_edit; }
  QString Text() const;
  void SetText(const QString& text);
  void SetValue(int value);
  // Clears the field when the text is not a number, so a value can always be read.
  int Value(bool* ok = nullptr) const;
  void Step(int by);

 private:
  CNumEdit* m_edit;
  int m_minimum;
  int m_maximum;
};

}  // namespace zw
