// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/alarmbox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "events/alarmmonitor.h"
#include "platform/messagesink.h"

namespace zw {

CAlarmBox::CAlarmBox(const QString& text, int offered, QWidget* parent)
    : QDialog(parent),
      m_text(new QLabel(text)),
      m_minutes(new QComboBox),
      m_snooze(new QPushButton(tr("&Snooze"))),
      m_dismiss(new QPushButton(tr("&Dismiss"))) {
  setWindowTitle(QString::fromLatin1(IMessageSink::kCaption.data(),
                                     static_cast<qsizetype>(IMessageSink::kCaption.size())));
  setWindowModality(Qt::ApplicationModal);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);

  auto* message = new QHBoxLayout;
  auto* icon = new QLabel;
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  message->addWidget(icon);
  m_text->setTextFormat(Qt::PlainText);
  m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_text->setWordWrap(true);
  m_text->setMinimumWidth(280);
  message->addWidget(m_text, 1);

  for (const int minutes : CAlarmMonitor::kSnoozeChoices) {
    m_minutes->addItem(tr("%1 minutes").arg(minutes), minutes);
  }
  const int index = m_minutes->findData(offered);
  m_minutes->setCurrentIndex(index >= 0 ? index
                                        : m_minutes->findData(CAlarmMonitor::kDefaultSnooze));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_snooze);
  buttons->addWidget(m_minutes);
  buttons->addStretch();
  buttons->addWidget(m_dismiss);
  // Enter ends the alarm; snoozing takes a deliberate click.
  m_snooze->setAutoDefault(false);
  m_dismiss->setDefault(true);
  m_dismiss->setFocus();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(message);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  connect(m_snooze, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_dismiss, &QPushButton::clicked, this, &QDialog::reject);
}

QString CAlarmBox::Text() const {
  return m_text->text();
}

int CAlarmBox::Minutes() const {
  return m_minutes->currentData().toInt();
}

int CAlarmBox::Ask() {
  return exec() == QDialog::Accepted ? Minutes() : 0;
}

}  // namespace zw
