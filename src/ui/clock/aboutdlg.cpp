// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/aboutdlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zw {

QString CAboutDlg::InstalledCredits() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zonewright/CREDITS");
}

CAboutDlg::CAboutDlg(const QString& creditsPath, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Zonewright"));
  auto* layout = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  auto* icon = new QLabel;
  icon->setPixmap(QIcon(QStringLiteral(":/icons/zonewright.svg")).pixmap(48, 48));
  head->addWidget(icon);
  head->addWidget(new QLabel(tr("Zonewright version 2.0")), 1);
  layout->addLayout(head);

  // The short form of what the licences of the data ask for; the file below has the rest.
  m_sources = new QLabel(
      tr("Contains data from GeoNames (CC BY 4.0), the tz database (public domain), "
         "iso-codes (LGPL 2.1 or later) and libphonenumber (Apache License 2.0), changed to "
         "fit the program's files."));
  m_sources->setWordWrap(true);
  layout->addWidget(m_sources);

  auto* creditsLabel = new QLabel(tr("&Credits and licences:"));
  m_credits = new QPlainTextEdit;
  m_credits->setReadOnly(true);
  m_credits->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_credits->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Tab leaves the text for the button instead of being swallowed by it.
  m_credits->setTabChangesFocus(true);
  m_credits->setMinimumSize(560, 260);
  creditsLabel->setBuddy(m_credits);
  layout->addWidget(creditsLabel);
  layout->addWidget(m_credits, 1);
  LoadCredits(creditsPath);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->button(QDialogButtonBox::Close)->setText(tr("C&lose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CAboutDlg::LoadCredits(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCreditsBytes) {
    m_credits->setPlainText(
        tr("The credits file %1 could not be read.").arg(QDir::toNativeSeparators(path)));
    return;
  }
  m_credits->setPlainText(QString::fromUtf8(file.read(kMaxCreditsBytes)));
}

}  // namespace zw
