#include "ui/events/alarmservice.h"

#include <QTimer>
#include <utility>

#include "events/snoozefile.h"
#include "settings/clocksettings.h"
#include "settings/settingsstore.h"
#include "timecore/datetime.h"

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
      m_timer(new QTimer(this)) {
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
}

void CAlarmService::Save() {
  m_events.Save(m_files, m_messages);
}

void CAlarmService::Start() {
  m_lastSecond = -1;
  m_timer->start(kPollInterval);
  OnTimer();
}

void CAlarmService::Stop() {
  m_timer->stop();
}

void CAlarmService::OnTimer() {
  const std::int64_t second = CDateTime().Seconds();
  if (second == m_lastSecond) {
    return;
  }
  m_lastSecond = second;
  CheckDue();
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
