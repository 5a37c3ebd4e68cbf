// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/convert/amountfields.h"

#include <QEvent>
#include <QFont>
#include <QPushButton>
#include <QTimer>

#include "convert/formatgrouped.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/numedit.h"

namespace zw {

CAmountFields::CAmountFields(QWidget* owner) : QObject(owner) {
  for (const Side side : {kLeft, kRight}) {
    CNumEdit* field = new CNumEdit(owner);
    m_fields[side] = field;
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, [this, side] { OnTextChanged(side); });
  }
}

QPushButton* CAmountFields::MakeEqualsButton(QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(kEquals), parent);
  QFont font(QString::fromLatin1(kEqualsFont));
  font.setPixelSize(kEqualsPixels);
  button->setFont(font);
  button->setDefault(true);
  // "=" says nothing to a screen reader.
  button->setAccessibleName(tr("Convert"));
  return button;
}

std::string CAmountFields::Text(Side side) const {
  return m_fields[side]->text().toLatin1().toStdString();
}

std::optional<CAmountFields::Side> CAmountFields::EqualsSource() const {
  if (!m_fields[kLeft]->text().isEmpty()) {
    return kLeft;
  }
  if (!m_fields[kRight]->text().isEmpty()) {
    return kRight;
  }
  return std::nullopt;
}

void CAmountFields::Show(Side from, const CConverter::Texts& texts) {
  Put(Other(from), texts.target);
  Put(from, texts.source);
}

void CAmountFields::Clear() {
  Empty(kLeft);
  Empty(kRight);
}

void CAmountFields::SetAllowNegative(bool allow) {
  for (CNumEdit* field : m_fields) {
    field->SetAllowNegative(allow);
  }
}

bool CAmountFields::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<CNumEdit*>(watched);
  if (field != nullptr && event->type() == QEvent::FocusIn) {
    // After the click that gave the focus has placed the cursor, or it would undo this.
    QTimer::singleShot(0, field, [field] { field->selectAll(); });
  }
  return QObject::eventFilter(watched, event);
}

void CAmountFields::OnTextChanged(Side side) {
  CNumEdit* field = m_fields[side];
  if (field->Changed() && !m_fields[Other(side)]->text().isEmpty()) {
    Empty(Other(side));
  }
  field->SetChanged(false);
}

void CAmountFields::Put(Side side, const std::string& text) {
  CNumEdit* field = m_fields[side];
  const QString grouped = Latin1(FormatGrouped(text, field->text().toLatin1().toStdString()));
  if (grouped == field->text()) {
    return;
  }
  field->SetChanged(false);
  field->setText(grouped);
}

void CAmountFields::Empty(Side side) {
  m_fields[side]->SetChanged(false);
  m_fields[side]->clear();
}

}  // namespace zw
