// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/alarmmonitor.h"

#include <algorithm>
#include <set>

#include "events/alarmactions.h"
#include "events/event.h"
#include "events/eventactions.h"
#include "events/eventlist.h"
#include "locations/location.h"

namespace zw {

CAlarmMonitor::CAlarmMonitor(CEventList& list, IAlarmActions& actions, IFileLayer& files,
                             IMessageSink& messages, StartLogger logStart)
    : m_list(list),
      m_actions(actions),
      m_files(files),
      m_messages(messages),
      m_logStart(std::move(logStart)) {}

std::atomic<bool>& CAlarmMonitor::MediaStopFlag() {
  static std::atomic<bool> stop{false};
  return stop;
}

CEventSchedule* CAlarmMonitor::DueTest(const CDateTime& gmtNow) {
  CEventSchedule* started = nullptr;
  std::map<const CEventSchedule*, CDateTime> waiting;
  for (std::size_t i = 0; i < m_list.GetCount(); ++i) {
    CEventSchedule* schedule = m_list.GetSchedule(i);
    if (!schedule->Next() || schedule->Location() == nullptr || schedule->Alarm()->IsOff()) {
      continue;
    }
    const CDateTime local = schedule->Location()->Zone().ToLocal(gmtNow);
    const CDateTime due = *schedule->Next();
    if (local < due) {
      continue;
    }
    const auto seen = m_waiting.find(schedule);
    if (seen == m_waiting.end() || seen->second != due) {
      schedule->SetLate(local > due + CDateSpan(0, 0, 0, kLateAfterSeconds));
    }
    if (m_current != nullptr) {
      waiting.emplace(schedule, due);
      continue;
    }
    schedule->Reschedule(local + CDateSpan(0, 1, 0, 0));
    m_current = schedule;
    started = schedule;
  }
  m_waiting = std::move(waiting);
  if (started == nullptr && m_current == nullptr) {
    return DueSnooze(gmtNow);
  }
  return started;
}

std::vector<MissedOccurrence> CAlarmMonitor::TakeMissed(const std::optional<CDateTime>& lastSeen,
                                                        const CDateTime& gmtNow) {
  std::vector<MissedOccurrence> missed = CMissedEvents::Find(m_list, lastSeen, gmtNow);
  if (missed.empty()) {
    return missed;
  }
  const CDateTime limit = CMissedEvents::LateLimit(gmtNow);
  std::set<const CEventSchedule*> sources;
  for (const MissedOccurrence& occurrence : missed) {
    sources.insert(occurrence.source);
  }
  bool removed = false;
  for (std::size_t i = m_list.GetCount(); i-- > 0;) {
    CEventSchedule* schedule = m_list.GetSchedule(i);
    if (!sources.contains(schedule)) {
      continue;
    }
    // An occurrence inside the late limit still comes due on time.
    schedule->Reschedule(schedule->Location()->Zone().ToLocal(limit));
    if (!schedule->Next() && schedule->Alarm()->Fields().frequency == kOneTime) {
      RemoveEvent(schedule);
      removed = true;
    }
  }
  if (removed) {
    m_list.Save(m_files, m_messages);
  }
  for (const MissedOccurrence& occurrence : missed) {
    if (occurrence.action == MissedAction::kRunLate) {
      RunLate(occurrence);
    }
  }
  return missed;
}

void CAlarmMonitor::RunLate(const MissedOccurrence& occurrence) {
  const CEventSchedule schedule(occurrence.alarm.get(), m_list.Locations());
  const AlarmRecord& r = occurrence.alarm->Fields();
  if (r.playMedia == 1) {
    StartMedia(schedule);
  }
  if (r.runProgram == 1) {
    StartProgram(schedule);
  }
}

CEventSchedule* CAlarmMonitor::DueSnooze(const CDateTime& gmtNow) {
  const auto due =
      std::ranges::find_if(m_snoozed, [&](const Snoozed& s) { return !(gmtNow < s.gmtDue); });
  if (due == m_snoozed.end()) {
    return nullptr;
  }
  m_ringing = std::make_unique<Snoozed>(std::move(*due));
  m_snoozed.erase(due);
  m_current = m_ringing->schedule.get();
  return m_current;
}

void CAlarmMonitor::SetSnoozeMinutes(int minutes) {
  if (std::ranges::find(kSnoozeChoices, minutes) != kSnoozeChoices.end()) {
    m_snoozeMinutes = minutes;
  }
}

void CAlarmMonitor::Snooze(const CEvent& alarm, int minutes, const CDateTime& gmtNow) {
  if (minutes <= 0) {
    return;
  }
  SetSnoozeMinutes(minutes);
  if (m_snoozeListener) {
    m_snoozeListener(minutes);
  }
  Snoozed snoozed;
  snoozed.alarm = std::make_unique<CEvent>(alarm);
  snoozed.schedule = std::make_unique<CEventSchedule>(snoozed.alarm.get(), m_list.Locations());
  snoozed.gmtDue = gmtNow + CDateSpan(0, 0, minutes, 0);
  m_snoozed.push_back(std::move(snoozed));
  SaveSnoozes();
}

std::string CAlarmMonitor::MessageText(const CEventSchedule& schedule) {
  const CEvent& alarm = *schedule.Alarm();
  std::string text = alarm.Name() + "\r\n\r\n";
  if (schedule.IsLate()) {
    text += kLateNotice;
  }
  text += alarm.MessageText();
  if (alarm.Fields().runProgram == 1 && schedule.IsLate()) {
    text += "\r\n\r\n";
    text += kRunFilePrefix;
    text += alarm.ProgramCommand();
    text += kRunFileSuffix;
  }
  return text;
}

void CAlarmMonitor::HandleAlarm() {
  if (m_ringing != nullptr && m_current == m_ringing->schedule.get()) {
    HandleSnoozed();
    return;
  }
  CEventSchedule* schedule = m_current;
  if (schedule == nullptr || !StillListed(schedule)) {
    m_current = nullptr;
    return;
  }
  const AlarmRecord& r = schedule->Alarm()->Fields();
  const bool late = schedule->IsLate();

  if (late && r.notifyMissed == 0) {
    schedule->SetLate(false);
    if (r.frequency == kOneTime) {
      RemoveEvent(schedule);
    }
    m_current = nullptr;
    return;
  }

  const bool soundPlaying = r.playMedia == 1 && StartMedia(*schedule);
  if (r.runProgram == 1 && !late) {
    StartProgram(*schedule);
  }
  // Only the box can ask whether the program should run after all.
  if (r.showMessage == 1 && r.runProgram == 1 && late) {
    Notify(*schedule, soundPlaying, true);
    if (m_actions.AskYesNo(MessageText(*schedule)) && StillListed(schedule)) {
      StartProgram(*schedule);
    }
    MediaStopFlag().store(true);
  } else {
    Present(*schedule, soundPlaying);
  }

  // The box ran a nested event loop; the event may have been deleted meanwhile.
  if (StillListed(schedule) && schedule->Alarm()->Fields().frequency == kOneTime) {
    RemoveEvent(schedule);
  }
  m_list.Save(m_files, m_messages);
  m_current = nullptr;
}

void CAlarmMonitor::HandleSnoozed() {
  const std::unique_ptr<Snoozed> ringing = std::move(m_ringing);
  const CEventSchedule& schedule = *ringing->schedule;
  const bool soundPlaying = schedule.Alarm()->Fields().playMedia == 1 && StartMedia(schedule);
  Present(schedule, soundPlaying);
  m_current = nullptr;
  SaveSnoozes();
}

void CAlarmMonitor::Present(const CEventSchedule& schedule, bool soundPlaying) {
  const bool showMessage = schedule.Alarm()->Fields().showMessage == 1;
  const bool both = m_style == AlertStyle::kBoth;
  const bool notified =
      (showMessage || soundPlaying) && Notify(schedule, soundPlaying, showMessage && both);
  if (!showMessage || (notified && !both)) {
    return;
  }
  // The box runs a nested event loop in which the event may be deleted: snooze a copy.
  const CEvent alarm = *schedule.Alarm();
  const int minutes = m_actions.ShowAlarm(MessageText(schedule), m_snoozeMinutes);
  Snooze(alarm, minutes, CDateTime());
  // Without a box the sound plays on until the notification stops it or it ends.
  MediaStopFlag().store(true);
}

bool CAlarmMonitor::StartMedia(const CEventSchedule& schedule) {
  const CEvent& alarm = *schedule.Alarm();
  const std::string file = alarm.MediaFile();
  const int playCount = std::clamp(alarm.Fields().playCount, 0, kMaxPlayCount);
  const bool sound = IsSoundFileName(file);
  if (sound) {
    MediaStopFlag().store(false);
    m_actions.StartWavLoop(file, playCount);
  }
  if (IsMovieFileName(file)) {
    m_actions.OpenMovie(file);
  }
  return sound && playCount > 0;
}

bool CAlarmMonitor::Notify(const CEventSchedule& schedule, bool soundPlaying, bool boxFollows) {
  if (m_style == AlertStyle::kBox) {
    return false;
  }
  AlarmNotice notice = NoticeOf(schedule, CDateTime(), m_display);
  notice.soundPlaying = soundPlaying;
  notice.boxFollows = boxFollows;
  if (!boxFollows) {
    notice.snoozeMinutes = m_snoozeMinutes;
    notice.snooze = [this, alive = std::weak_ptr<int>(m_alive),
                     alarm = std::make_shared<CEvent>(*schedule.Alarm())](int minutes) {
      if (!alive.expired()) {
        Snooze(*alarm, minutes, CDateTime());
      }
    };
  }
  return m_actions.Notify(notice);
}

AlarmNotice CAlarmMonitor::NoticeOf(const CEventSchedule& schedule, const CDateTime& gmtNow,
                                    const DisplayOptions& display) {
  const CEvent& alarm = *schedule.Alarm();
  const CLocation* place = schedule.Location();
  AlarmNotice notice;
  notice.summary = alarm.Name();
  if (place != nullptr) {
    std::string time = CLocation::TimeTextOf(place->Zone().ToLocal(gmtNow), display);
    time.erase(time.find_last_not_of(' ') + 1);
    notice.body = place->Name() + ", " + time + "\n\n";
  }
  if (schedule.IsLate()) {
    notice.body += kLateNotice;
  }
  notice.body += alarm.MessageText();
  std::erase(notice.body, '\r');
  return notice;
}

void CAlarmMonitor::StartProgram(const CEventSchedule& schedule) {
  const CEvent& alarm = *schedule.Alarm();
  const std::string command = alarm.ProgramCommand();
  std::string reason;
  const bool started = m_actions.StartProcess(command, alarm.StartDirectory(), reason);
  if (m_logStart) {
    m_logStart(schedule, started);
  }
  if (!started) {
    m_actions.ShowErrorAsync(RunErrorText(command, reason));
  }
}

std::string CAlarmMonitor::RunErrorText(const std::string& command, const std::string& reason) {
  std::string text = std::string(kRunErrorPrefix) + command + std::string(kRunErrorSuffix);
  if (!reason.empty()) {
    text += "  " + reason + ".";
  }
  return text;
}

void CAlarmMonitor::RemoveEvent(CEventSchedule* schedule) {
  if (m_current == schedule) {
    m_current = nullptr;
  }
  m_list.Remove(schedule);
  m_actions.RefreshEventLists();
}

bool CAlarmMonitor::StillListed(const CEventSchedule* schedule) const {
  return m_list.IndexOf(schedule) >= 0;
}

void CAlarmMonitor::PlayLoop(const std::string& file, int playCount, const std::atomic<bool>& stop,
                             const std::function<void(const std::string&)>& playOnce,
                             const std::function<void(std::chrono::milliseconds)>& pause) {
  const int passes = std::clamp(playCount, 0, kMaxPlayCount);
  for (int pass = 0; pass < passes; ++pass) {
    pause(kPlayPause);
    if (stop.load()) {
      return;
    }
    playOnce(file);
  }
}

}  // namespace zw
