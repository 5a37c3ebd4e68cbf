// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

namespace zw {

// Hears logind say the computer is about to sleep and that it woke up again, on the system
// bus given. Where there is no logind (or no bus) it simply never says anything.
class CSleepWatch : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kService = "org.freedesktop.login1";
  static constexpr const char* kPath = "/org/freedesktop/login1";
  static constexpr const char* kInterface = "org.freedesktop.login1.Manager";
  static constexpr const char* kSignal = QT_TRANSLATE_NOOP("zw::CSleepWatch", "PrepareForSleep");

  explicit CSleepWatch(QDBusConnection bus = QDBusConnection::systemBus(),
                       QObject* parent = nullptr);

  // Whether the bus took the subscription.
  bool IsWatching() const { return m_watching; }

 signals:
  void aboutToSleep();
  void resumed();

 private slots:
  void OnPrepareForSleep(bool start);

 private:
  bool m_watching = false;
};

}  // namespace zw
