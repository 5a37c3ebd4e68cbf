// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <array>
#include <optional>
#include <string>

#include "convert/converter.h"

class QPushButton;
class QWidget;

namespace zw {

class CNumEdit;

// The two amount fields of a converter and what they do on their own: typing into one
// empties the other (its number no longer matches), focus selects the whole text, and
// results arrive grouped in thousands.
class CAmountFields : public QObject {
  Q_OBJECT

 public:
  enum Side : int { kLeft = 0, kRight = 1 };

  static constexpr const char* kEquals = "=";
  static constexpr const char* kEqualsFont = "Times";
  static constexpr int kEqualsPixels = 20;
  static constexpr const char* kPrecisionNote =
      QT_TRANSLATE_NOOP("zw::CAmountFields", "Calculations have a Precision of Four Digits.");

  // The fields are children of `owner`, which lays them out.
  explicit CAmountFields(QWidget* owner);

  static Side Other(Side side) { return side == kLeft ? kRight : kLeft; }
  // The button between the fields that converts on demand.
  static QPushButton* MakeEqualsButton(QWidget* parent);

  CNumEdit* Field(Side side) const { return m_fields[side]; }
  // The field's text as the converter reads it (Latin-1).
  std::string Text(Side side) const;
  // The side "=" converts from: the left one when it holds anything, else the right one
  // when that does.
  std::optional<Side> EqualsSource() const;

  // The result into the field opposite `from`, the cleaned amount back into `from`.
  void Show(Side from, const CConverter::Texts& texts);
  void Clear();
  void SetAllowNegative(bool allow);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnTextChanged(Side side);
  // Writes as the program, not as the user: the changed flag stays clear, so the other
  // field keeps its text.
  void Put(Side side, const std::string& text);
  void Empty(Side side);

  std::array<CNumEdit*, 2> m_fields{};
};

}  // namespace zw
