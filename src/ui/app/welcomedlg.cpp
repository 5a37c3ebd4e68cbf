// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/welcomedlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zw {

CWelcomeDlg::CWelcomeDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Welcome"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(tr("Welcome to Zonewright for Linux"));
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  title->setFont(bold);
  layout->addWidget(title);
  for (const char* text :
       {QT_TRANSLATE_NOOP(
            "zw::CWelcomeDlg",
            "Zonewright for Linux provides many features to help manage time zones, currency, "
            "and measurement calculation around the world."),
        QT_TRANSLATE_NOOP(
            "zw::CWelcomeDlg",
            "Clicking the RIGHT mouse button on the clock window displays a popup menu providing "
            "access to all program functions.  Additionally, the F1 key activates online help "
            "describing Zonewright's features and usage.")}) {
    auto* label = new QLabel(tr(text));
    label->setWordWrap(true);
    layout->addWidget(label);
  }
  m_box = new QCheckBox(tr("&Do not display this panel during startup."));
  layout->addWidget(m_box);
  auto* ok = new QPushButton(tr("&Continue"));
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, [this] {
    m_hide = m_box->isChecked();
    accept();
  });
  setMinimumWidth(420);
}

}  // namespace zw
