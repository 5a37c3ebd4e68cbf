// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/qtalarmactions.h"

#include <QApplication>
#include <QMessageBox>
#include <cstring>

#include "events/alarmmonitor.h"
#include "platform/messagesink.h"
#include "platform/processlauncher.h"
#include "ui/platform/alarmbox.h"
#include "ui/platform/coretext.h"
#include "ui/platform/latin1.h"
#include "ui/platform/moviewnd.h"
#include "ui/platform/wavplayer.h"

namespace zw {

namespace {

QString Caption() {
  return QString::fromLatin1(IMessageSink::kCaption.data(), 10);
}

// Alarm texts are typed by the user and stored as single bytes.
QString FromStored(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The box must be seen whatever the user is doing: above every window, blocking the program.
int RunAlarmBox(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
                QMessageBox::StandardButtons buttons) {
  // The questions are the core's own words, the reminders the user's: only the former have
  // translations.
  QMessageBox box(icon, Caption(), CoreText(text), buttons, owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  return box.exec();
}

}  // namespace

CQtAlarmActions::CQtAlarmActions(QWidget* owner)
    : m_owner(owner),
      m_play([](const std::string& name) {
        CWavPlayer::PlayOnce(name, &CAlarmMonitor::MediaStopFlag());
      }),
      m_notifier(CAlarmMonitor::MediaStopFlag()) {}

void CQtAlarmActions::ShowMessage(const std::string& text) {
  RunAlarmBox(m_owner, QMessageBox::Information, text, QMessageBox::Ok);
}

int CQtAlarmActions::ShowAlarm(const std::string& text, int snoozeMinutes) {
  CAlarmBox box(FromStored(text), snoozeMinutes, m_owner);
  return box.Ask();
}

bool CQtAlarmActions::AskYesNo(const std::string& text) {
  return RunAlarmBox(m_owner, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

void CQtAlarmActions::StartWavLoop(const std::string& file, int playCount) {
  m_sounds.Start(file, playCount, CAlarmMonitor::MediaStopFlag(), m_play, [this] {
    // On the loop's thread: the notifier hears of it on its own.
    QMetaObject::invokeMethod(
        &m_notifier,
        [this] {
          if (!m_sounds.Busy()) {
            m_notifier.SoundEnded();
          }
        },
        Qt::QueuedConnection);
  });
}

void CQtAlarmActions::OpenMovie(const std::string& file) {
  CMovieWnd::Open(file);
}

bool CQtAlarmActions::StartProcess(const std::string& commandLine, const std::string& directory,
                                   std::string& reason) {
  int error = 0;
  if (CProcessLauncher::Start(commandLine, directory, &error)) {
    return true;
  }
  // The system's words come in the user's language and encoding.
  reason = Latin1Bytes(QString::fromLocal8Bit(std::strerror(error)));
  return false;
}

void CQtAlarmActions::ShowErrorAsync(const std::string& text) {
  // Over the window in front, or a dialog there would hide it.
  QWidget* owner = QApplication::activeModalWidget();
  if (owner == nullptr) {
    owner = QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : m_owner;
  }
  auto* box =
      new QMessageBox(QMessageBox::Warning, Caption(), FromStored(text), QMessageBox::Ok, owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

}  // namespace zw
