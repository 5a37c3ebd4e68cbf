// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "events/alarmactions.h"
#include "ui/platform/desktopnotifier.h"
#include "ui/platform/soundthreads.h"

class QWidget;

namespace zw {

// The alarm's actions on the desktop: boxes that stay above every window, programs started
// without a shell, errors shown without holding up the alarm. An alarm's sound keeps playing
// on its own thread until it is done or its box is closed; the actions wait for it when they
// go, after asking it to stop. Notifications go to the desktop's notification server.
class CQtAlarmActions final : public IAlarmActions {
 public:
  explicit CQtAlarmActions(QWidget* owner = nullptr);

  void SetOwner(QWidget* owner) { m_owner = owner; }
  // Plays one pass of an alarm's sound in place of the sound card; for tests.
  void SetPlayer(CSoundThreads::PlayCall play) { m_play = std::move(play); }
  CDesktopNotifier& Notifier() { return m_notifier; }

  void ShowMessage(const std::string& text) override;
  int ShowAlarm(const std::string& text, int snoozeMinutes) override;
  bool AskYesNo(const std::string& text) override;
  void StartWavLoop(const std::string& file, int playCount) override;
  void OpenMovie(const std::string& file) override;
  bool StartProcess(const std::string& commandLine, const std::string& directory,
                    std::string& reason) override;
  void ShowErrorAsync(const std::string& text) override;
  bool Notify(const AlarmNotice& notice) override { return m_notifier.Show(notice); }
  // The alarm service tells the open lists itself.
  void RefreshEventLists() override {}

 private:
  QWidget* m_owner;
  CSoundThreads::PlayCall m_play;
  CDesktopNotifier m_notifier;
  // Last, so the loops are over before the notifier they report to goes.
  CSoundThreads m_sounds;
};

}  // namespace zw
