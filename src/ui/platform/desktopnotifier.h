// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <atomic>
#include <map>

#include "events/alarmactions.h"

namespace zw {

// Alarms as freedesktop notifications on the session bus. A notification of an alarm whose
// sound plays carries a "Stop sound" button that sets the sound loops' stop flag. When the
// sound is over the button goes: the notification is closed where the box shows the alarm
// too, and otherwise shown again without it, so an alarm nobody was there to hear still
// says what it was. Dismissing a notification that stands alone stops the sound, as closing
// the box does. A notification that stands alone offers to snooze the alarm as well.
class CDesktopNotifier : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kService = "org.freedesktop.Notifications";
  static constexpr const char* kPath = "/org/freedesktop/Notifications";
  static constexpr const char* kInterface = "org.freedesktop.Notifications";
  static constexpr const char* kStopAction = "stop-sound";
  static constexpr const char* kStopText = QT_TRANSLATE_NOOP("zw::CDesktopNotifier", "Stop sound");
  static constexpr const char* kSnoozeAction = "snooze";
  static constexpr const char* kAppName = "Zonewright";
  static constexpr const char* kAppIcon = "zonewright";
  // The NotificationClosed reason of a notification the user dismissed.
  static constexpr uint kDismissed = 2;

  // `stop` is the flag the sound loops read; it must outlive the notifier.
  explicit CDesktopNotifier(std::atomic<bool>& stop,
                            QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

  // Whether a notification server runs or would be started by the bus.
  bool Available() const;
  // Sends the notification without waiting for the server; false when there is no server.
  bool Show(const AlarmNotice& notice);
  // Every alarm sound has ended, whatever ended it.
  void SoundEnded();

 private slots:
  void OnActionInvoked(uint id, const QString& action);
  void OnClosed(uint id, uint reason);

 private:
  void Send(const AlarmNotice& notice, uint replaces);
  void OnSent(const AlarmNotice& notice, uint id, unsigned soundEndsAtSend);
  void EndSound(uint id, const AlarmNotice& notice);
  static bool OffersSnooze(const AlarmNotice& notice) {
    return notice.snooze && notice.snoozeMinutes > 0;
  }

  std::atomic<bool>& m_stop;
  QDBusConnection m_bus;
  // The notifications still up that offer to stop the sound.
  std::map<uint, AlarmNotice> m_withStop;
  // The notifications still up that offer a snooze.
  std::map<uint, AlarmNotice> m_withSnooze;
  // SoundEnded calls so far; a reply to a Notify sent before the last one is already silent.
  unsigned m_soundEnds = 0;
};

}  // namespace zw
