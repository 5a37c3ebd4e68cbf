// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/spinfield.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/widgets/numedit.h"

namespace zw {

CSpinField::CSpinField(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_edit(new CNumEdit), m_minimum(minimum), m_maximum(maximum) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  m_edit->setMaxLength(3);
  m_edit->setMaximumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
  layout->addWidget(m_edit);
  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  auto* up = new QToolButton;
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton;
  down->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up, down}) {
    b->setFixedSize(16, 11);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRepeat(true);
    arrows->addWidget(b);
  }
  layout->addLayout(arrows);
  layout->addStretch();
  setFocusProxy(m_edit);
  connect(up, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
}

QString CSpinField::Text() const {
  return m_edit->text().trimmed();
}

void CSpinField::SetText(const QString& text) {
  m_edit->setText(text);
}

void CSpinField::SetValue(int value) {
  m_edit->setText(QString::number(value));
}

int CSpinField::Value(bool* ok) const {
  bool parsed = false;
  const int value = Text().toInt(&parsed);
  if (ok != nullptr) {
    *ok = parsed;
  }
  return parsed ? value : 0;
}

void CSpinField::Step(int by) {
  bool ok = false;
  int value = Value(&ok);
  value = ok ? value + by : m_minimum;
  SetValue(std::clamp(value, m_minimum, m_maximum));
}

}  // namespace zw
