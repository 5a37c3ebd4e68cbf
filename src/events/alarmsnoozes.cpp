// SPDX-License-Identifier: GPL-3.0-or-later
// The snoozes that outlive the run.
#include "events/alarmmonitor.h"
#include "events/eventlist.h"
#include "events/eventschedule.h"
#include "events/snoozefile.h"
#include "settings/smallfile.h"

namespace zw {

void CAlarmMonitor::KeepSnoozesIn(std::string path) {
  if (!m_snoozePath.empty()) {
    return;
  }
  const SmallFileLines file = ReadSmallFile(path, CSnoozeFile::kMaxBytes);
  if (file.unreadable) {
    return;
  }
  m_snoozePath = std::move(path);
  for (CSnoozeFile::Entry& entry : CSnoozeFile::Decode(file.lines)) {
    Snoozed snoozed;
    snoozed.alarm = std::make_unique<CEvent>(entry.alarm);
    snoozed.schedule = std::make_unique<CEventSchedule>(snoozed.alarm.get(), m_list.Locations());
    snoozed.gmtDue = entry.gmtDue;
    m_snoozed.push_back(std::move(snoozed));
  }
}

void CAlarmMonitor::SaveSnoozes() {
  if (m_snoozePath.empty()) {
    return;
  }
  std::vector<CSnoozeFile::Entry> entries;
  // The one ringing is kept too: quitting while its box is open must not lose it.
  if (m_ringing != nullptr) {
    entries.push_back({m_ringing->gmtDue, *m_ringing->alarm});
  }
  for (const Snoozed& s : m_snoozed) {
    entries.push_back({s.gmtDue, *s.alarm});
  }
  // A failed write leaves the last one, which at worst rings an alarm once more.
  WriteFileAtomically(m_snoozePath, CSnoozeFile::Encode(entries));
}

}  // namespace zw
