// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/alarmservice.h"

#include <QTimer>
#include <utility>

#include "events/snoozefile.h"
#include "settings/clocksettings.h"
#include "settings/settingsstore.h"
#include "timecore/datetime.h"
#include "ui/events/missedwnd.h"
#include "ui/platform/sleepwatch.h"
#include "ui/platform/wallclocknotifier.h"

namespace zw {

void CAlarmService::Relay::RefreshEventLists() {
  m_actions.RefreshEventLists();
  emit m_service.eventsChanged();
}

CAlarmService::CAlarmService(const CClockSettings& settings, CLocationDB& db, IFileLayer& files,
                             IMessageSink& messages, IAlarmActions& actions,
                             std::string logDirectory, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_files(files),
      m_messages(messages),
      m_relay(*this, actions),
      m_log(settings, db, files, m_relay, std::move(logDirectory)),
      m_events(db),
      m_monitor(m_events, m_relay, files, messages,
                [this](const CEventSchedule& event, bool started) {
                  m_log.LogProgramStart(event, started);
                }),
      m_timer(new QTimer(this)),
      m_seenFile(std::string(CLastSeenFile::kFileName)) {
  connect(m_timer, &QTimer::timeout, this, &CAlarmService::OnTimer);
}

CAlarmService::~CAlarmService() = default;

void CAlarmService::RememberSnoozeIn(ISettingsStore& store) {
  // A few decimal digits; anything else is not ours and leaves the default offered.
  constexpr std::size_t kMaxDigits = 4;
  if (const auto stored = store.Read(kSnoozeSetting, kMaxDigits)) {
    const std::string text(stored->begin(), stored->end());
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
      m_monitor.SetSnoozeMinutes(std::stoi(text));
    }
  }
  m_monitor.SetSnoozeListener([&store](int minutes) {
    const std::string text = std::to_string(minutes);
    store.Write(kSnoozeSetting,
                std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  });
}

void CAlarmService::Load() {
  m_events.Load(m_files, m_messages);
  // Beside the event file, in the data directory the program runs in.
  m_monitor.KeepSnoozesIn(std::string(CSnoozeFile::kFileName));
  m_lastSeen = m_seenFile.Load();
}

void CAlarmService::Save() {
  m_events.Save(m_files, m_messages);
}

void CAlarmService::Start() {
  if (!m_wallClock) {
    WatchWallClock();
  }
  CheckMissed();
  m_lastSecond = -1;
  m_timer->start(kPollInterval);
  OnTimer();
}

void CAlarmService::Stop() {
  m_timer->stop();
  Seen(CDateTime(), true);
}

void CAlarmService::WatchSleepOn(const QDBusConnection& bus) {
  auto* watch = new CSleepWatch(bus, this);
  connect(watch, &CSleepWatch::aboutToSleep, this, [this] { Seen(CDateTime(), true); });
  connect(watch, &CSleepWatch::resumed, this, &CAlarmService::CheckMissed);
}

void CAlarmService::WatchWallClock() {
  m_wallClock = new CWallClockNotifier(this);
  connect(m_wallClock, &CWallClockNotifier::Jumped, this, [this] {
    if (m_timer->isActive()) {
      CheckMissed();
    }
  });
}

void CAlarmService::OnTimer() {
  const CDateTime now;
  const std::int64_t second = now.Seconds();
  if (second == m_lastSecond) {
    return;
  }
  // The timer runs on the monotonic clock, so a second that comes seconds after the last one
  // means the process stood still or the wall clock was moved on.
  const bool jumped = m_lastSecond >= 0 && second - m_lastSecond > kJumpSeconds;
  m_lastSecond = second;
  if (jumped) {
    CheckMissed();
  }
  Seen(now, false);
  CheckDue();
}

void CAlarmService::Seen(const CDateTime& gmt, bool now) {
  m_lastSeen = gmt;
  const std::int64_t second = gmt.Seconds();
  // A clock set back must not hold the file at an instant still to come.
  if (now || m_lastSaved < 0 || second < m_lastSaved || second - m_lastSaved >= kSeenSaveSeconds) {
    m_seenFile.Save(gmt);
    m_lastSaved = second;
  }
}

void CAlarmService::CheckMissed() {
  const CDateTime now;
  const std::vector<MissedOccurrence> missed = m_monitor.TakeMissed(m_lastSeen, now);
  Seen(now, true);
  if (missed.empty()) {
    return;
  }
  if (!m_missedWnd) {
    m_missedWnd = std::make_unique<CMissedWnd>(
        [this](const MissedOccurrence& occurrence) { m_monitor.RunLate(occurrence); });
  }
  m_missedWnd->Add(missed, m_settings.Display());
  m_missedWnd->show();
  m_missedWnd->raise();
  m_missedWnd->activateWindow();
}

void CAlarmService::CheckDue() {
  if (m_monitor.DueTest(CDateTime()) != nullptr) {
    // The notification writes the time as the clock does.
    m_monitor.SetDisplay(m_settings.Display());
    QMetaObject::invokeMethod(
        this, [this] { m_monitor.HandleAlarm(); }, Qt::QueuedConnection);
  }
}

}  // namespace zw
