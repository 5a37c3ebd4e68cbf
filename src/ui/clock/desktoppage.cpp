// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/desktoppage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/messagesink.h"
#include "settings/autostart.h"

namespace zw {

CDesktopPage::CDesktopPage(DesktopServices services, IMessageSink& messages, QWidget* parent)
    : QWidget(parent), m_s(std::move(services)), m_messages(messages) {
  Build();
  Show();
}

void CDesktopPage::Build() {
  auto* layout = new QVBoxLayout(this);
  auto* alerts = new QGroupBox(tr("Show alarm messages in"));
  auto* alertsLayout = new QVBoxLayout(alerts);
  m_box = new QRadioButton(tr("&The program's own box"));
  m_notification = new QRadioButton(tr("A desktop &notification"));
  m_both = new QRadioButton(tr("&Both"));
  for (QRadioButton* button : {m_box, m_notification, m_both}) {
    alertsLayout->addWidget(button);
    connect(button, &QAbstractButton::clicked, this, &CDesktopPage::modified);
  }
  layout->addWidget(alerts);

  m_tray = new QCheckBox(tr("&Keep running in the tray when the clock is closed"));
  m_login = new QCheckBox(tr("&Start at login"));
  m_mark = new QCheckBox(tr("&Mark clocks that change their offset within a week"));
  for (QCheckBox* box : {m_tray, m_login, m_mark}) {
    layout->addWidget(box);
    connect(box, &QAbstractButton::clicked, this, &CDesktopPage::modified);
  }
  // Without a tray a hidden clock could not be brought back.
  m_tray->setEnabled(m_s.trayAvailable);
  layout->addStretch();
}

void CDesktopPage::Show() {
  m_box->setChecked(m_s.prefs.alerts == AlertStyle::kBox);
  m_notification->setChecked(m_s.prefs.alerts == AlertStyle::kNotification);
  m_both->setChecked(m_s.prefs.alerts == AlertStyle::kBoth);
  m_tray->setChecked(m_s.prefs.closeToTray);
  m_login->setChecked(m_s.autostart.IsEnabled());
  m_mark->setChecked(m_s.prefs.markChanges);
}

AlertStyle CDesktopPage::ChosenStyle() const {
  if (m_box->isChecked()) {
    return AlertStyle::kBox;
  }
  return m_notification->isChecked() ? AlertStyle::kNotification : AlertStyle::kBoth;
}

void CDesktopPage::Store() {
  m_s.prefs.alerts = ChosenStyle();
  m_s.prefs.closeToTray = m_tray->isChecked();
  m_s.prefs.markChanges = m_mark->isChecked();
  if (!m_s.prefsFile.Save(m_s.prefs)) {
    m_messages.Warn(kSaveFailed);
  }
  const bool login = m_login->isChecked();
  if (login != m_s.autostart.IsEnabled()) {
    const bool done = login ? m_s.autostart.Enable(m_s.program) : m_s.autostart.Disable();
    if (!done) {
      m_messages.Warn(kAutostartFailed);
      m_login->setChecked(m_s.autostart.IsEnabled());
    }
  }
  if (m_s.applied) {
    m_s.applied();
  }
}

}  // namespace zw
