// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/timedatedclocksetter.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace zw {

CTimedatedClockSetter::CTimedatedClockSetter(ISystemClockSetter& direct, QDBusConnection bus)
    : m_direct(direct), m_bus(std::move(bus)) {}

bool CTimedatedClockSetter::SetUtcSeconds(std::int64_t utcSeconds) {
  return m_direct.SetUtcSeconds(utcSeconds) || SetTime(utcSeconds * 1'000'000, false);
}

bool CTimedatedClockSetter::AdjustByMicroseconds(std::int64_t microseconds) {
  return m_direct.AdjustByMicroseconds(microseconds) || SetTime(microseconds, true);
}

bool CTimedatedClockSetter::KeptByTimeService() {
  if (!m_bus.isConnected()) {
    return false;
  }
  QDBusMessage get = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QString::fromLatin1(kInterface) << QStringLiteral("NTP");
  const QDBusMessage reply = m_bus.call(get);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
    return false;
  }
  return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toBool();
}

bool CTimedatedClockSetter::SetTime(qint64 microseconds, bool relative) {
  if (!m_bus.isConnected()) {
    return false;
  }
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetTime"));
  // Interactive: polkit may ask the user rather than refuse outright.
  call << microseconds << relative << true;
  call.setInteractiveAuthorizationAllowed(true);
  return m_bus.call(call, QDBus::Block, kAnswerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

}  // namespace zw
