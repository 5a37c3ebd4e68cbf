// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/desktopnotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

namespace zw {

namespace {

// Alarm texts are typed by the user and stored as single bytes; the body is markup.
QString FromStored(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// An alarm stays on screen until the user answers it.
constexpr int kNeverExpires = 0;
constexpr unsigned char kUrgencyCritical = 2;

}  // namespace

CDesktopNotifier::CDesktopNotifier(std::atomic<bool>& stop, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_stop(stop), m_bus(std::move(bus)) {
  m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(OnActionInvoked(uint, QString)));
  m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(OnClosed(uint, uint)));
}

bool CDesktopNotifier::Available() const {
  if (!m_bus.isConnected() || m_bus.interface() == nullptr) {
    return false;
  }
  const QString service = QString::fromLatin1(kService);
  if (m_bus.interface()->isServiceRegistered(service).value()) {
    return true;
  }
  const QDBusReply<QStringList> activatable = m_bus.call(QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
  return activatable.isValid() && activatable.value().contains(service);
}

bool CDesktopNotifier::Show(const AlarmNotice& notice) {
  if (!Available()) {
    return false;
  }
  Send(notice, 0);
  return true;
}

void CDesktopNotifier::Send(const AlarmNotice& notice, uint replaces) {
  QStringList actions;
  if (notice.soundPlaying) {
    actions << QString::fromLatin1(kStopAction) << tr(kStopText);
  }
  if (OffersSnooze(notice)) {
    actions << QString::fromLatin1(kSnoozeAction)
            << tr("Snooze %1 minutes").arg(notice.snoozeMinutes);
  }
  const QVariantMap hints{
      {QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical)},
      {QStringLiteral("desktop-entry"), QStringLiteral("io.github.zonewright.Zonewright")},
  };
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  call << QString::fromLatin1(kAppName) << replaces << QString::fromLatin1(kAppIcon)
       << FromStored(notice.summary) << FromStored(notice.body).toHtmlEscaped() << actions << hints
       << kNeverExpires;
  auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
  const unsigned soundEnds = m_soundEnds;
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, notice, soundEnds](QDBusPendingCallWatcher* done) {
            const QDBusPendingReply<uint> reply = *done;
            done->deleteLater();
            if (!reply.isError()) {
              OnSent(notice, reply.value(), soundEnds);
            }
          });
}

void CDesktopNotifier::OnSent(const AlarmNotice& notice, uint id, unsigned soundEndsAtSend) {
  if (OffersSnooze(notice)) {
    m_withSnooze[id] = notice;
  }
  if (!notice.soundPlaying) {
    return;
  }
  if (soundEndsAtSend != m_soundEnds) {
    // The sound ended while the server was still answering.
    EndSound(id, notice);
    return;
  }
  m_withStop[id] = notice;
}

void CDesktopNotifier::SoundEnded() {
  ++m_soundEnds;
  auto open = std::move(m_withStop);
  m_withStop.clear();
  for (const auto& [id, shown] : open) {
    EndSound(id, shown);
  }
}

void CDesktopNotifier::EndSound(uint id, const AlarmNotice& notice) {
  if (notice.boxFollows) {
    m_bus.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                   QStringLiteral("CloseNotification"))
                    << id);
    return;
  }
  AlarmNotice silent = notice;
  silent.soundPlaying = false;
  Send(silent, id);
}

void CDesktopNotifier::OnActionInvoked(uint id, const QString& action) {
  if (m_withStop.contains(id) && action == QLatin1String(kStopAction)) {
    m_stop.store(true);
  }
  const auto snoozable = m_withSnooze.find(id);
  if (snoozable != m_withSnooze.end() && action == QLatin1String(kSnoozeAction)) {
    const AlarmNotice notice = std::move(snoozable->second);
    m_withSnooze.erase(snoozable);
    // The alarm comes back with its sound; this one's ends now.
    m_stop.store(true);
    notice.snooze(notice.snoozeMinutes);
  }
}

void CDesktopNotifier::OnClosed(uint id, uint reason) {
  m_withSnooze.erase(id);
  const auto open = m_withStop.find(id);
  if (open == m_withStop.end()) {
    return;
  }
  if (reason == kDismissed && !open->second.boxFollows) {
    m_stop.store(true);
  }
  m_withStop.erase(open);
}

}  // namespace zw
