// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>

#include "platform/systemclocksetter.h"

namespace zw {

// Sets the clock the way the program may: itself when it has the privilege, else through
// systemd-timedated on the system bus, whose polkit asks the user for permission. Safe to
// use from a worker thread; each call blocks until the change is made or refused.
class CTimedatedClockSetter final : public ISystemClockSetter {
 public:
  static constexpr const char* kService = "org.freedesktop.timedate1";
  static constexpr const char* kPath = "/org/freedesktop/timedate1";
  static constexpr const char* kInterface = "org.freedesktop.timedate1";
  // Long enough for the user to read polkit's question and type a password.
  static constexpr int kAnswerTimeoutMs = 120'000;

  // `direct` is tried first; it must outlive the setter.
  explicit CTimedatedClockSetter(ISystemClockSetter& direct,
                                 QDBusConnection bus = QDBusConnection::systemBus());

  bool SetUtcSeconds(std::int64_t utcSeconds) override;
  bool AdjustByMicroseconds(std::int64_t microseconds) override;
  // timedated's NTP property: whether its time service keeps the clock.
  bool KeptByTimeService() override;

 private:
  bool SetTime(qint64 microseconds, bool relative);

  ISystemClockSetter& m_direct;
  QDBusConnection m_bus;
};

}  // namespace zw
