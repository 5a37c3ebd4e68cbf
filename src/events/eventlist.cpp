// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventlist.h"

#include <algorithm>
#include <string>

#include "platform/filelayer.h"
#include "platform/messagesink.h"

namespace zw {

namespace {

std::string WithCode(std::string_view text, FileCause cause) {
  return std::string(text) + std::to_string(static_cast<int>(cause));
}

}  // namespace

std::string CEventList::ListText(std::size_t index) const {
  std::string text = m_alarms[index]->Name();
  if (m_schedules[index]->Location() == nullptr) {
    text.append(" (").append(kPlaceNotFound).append(")");
  }
  return text;
}

CEventSchedule* CEventList::Add(std::unique_ptr<CEvent> alarm) {
  auto schedule = std::make_unique<CEventSchedule>(alarm.get(), m_db);
  m_alarms.push_back(std::move(alarm));
  m_schedules.push_back(std::move(schedule));
  return m_schedules.back().get();
}

void CEventList::RemoveAt(std::size_t index) {
  if (index >= m_alarms.size()) {
    return;
  }
  const auto at = static_cast<std::ptrdiff_t>(index);
  // The schedule points at its event, so it goes first.
  m_schedules.erase(m_schedules.begin() + at);
  m_alarms.erase(m_alarms.begin() + at);
}

void CEventList::Remove(const CEventSchedule* schedule) {
  const int index = IndexOf(schedule);
  if (index >= 0) {
    RemoveAt(static_cast<std::size_t>(index));
  }
}

int CEventList::IndexOf(const CEventSchedule* schedule) const {
  const auto it = std::find_if(m_schedules.begin(), m_schedules.end(),
                               [schedule](const auto& s) { return s.get() == schedule; });
  return it == m_schedules.end() ? -1 : static_cast<int>(it - m_schedules.begin());
}

int CEventList::FirstUsing(const CLocation* location) const {
  for (std::size_t i = 0; i < m_schedules.size(); ++i) {
    if (m_schedules[i]->Location() == location) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

bool CEventList::Load(IFileLayer& files, IMessageSink& messages) {
  m_unreadable = false;
  ReadResult read = files.Read(std::string(kFileName), kMaxEvents * CEvent::kRecordSize);
  if (read.stage == FileStage::kOpen && read.cause == FileCause::kFileNotFound) {
    return false;
  }
  if (read.stage != FileStage::kNone || read.truncated) {
    m_unreadable = true;
    const FileCause cause = read.truncated ? FileCause::kInvalidFile : read.cause;
    messages.Warn(WithCode(kReadMessage, cause));
    return false;
  }
  const std::size_t records = read.bytes.size() / CEvent::kRecordSize;
  for (std::size_t i = 0; i < records; ++i) {
    auto alarm = std::make_unique<CEvent>();
    alarm->FromBytes(read.bytes.data() + i * CEvent::kRecordSize);
    auto schedule = std::make_unique<CEventSchedule>(alarm.get(), m_db);
    // The saved instant wins over the one just computed from now: an occurrence missed
    // while the program was not running must still come due, late. A zero year is how an
    // event without a further occurrence is saved. An event switched off by hand has
    // nothing due, whatever an earlier version saved for it.
    const AlarmRecord& r = alarm->Fields();
    if (r.dueYear == 0 || alarm->IsOff()) {
      schedule->ClearNext();
    } else {
      schedule->SetNext(r.dueYear, r.dueMonth, r.dueDay, r.dueHour, r.dueMinute, r.dueSecond);
    }
    m_alarms.push_back(std::move(alarm));
    m_schedules.push_back(std::move(schedule));
  }
  return true;
}

bool CEventList::Save(IFileLayer& files, IMessageSink& messages) {
  if (m_unreadable) {
    messages.Warn(std::string(kNotSavedMessage));
    return false;
  }
  const std::string name(kFileName);
  if (m_alarms.empty()) {
    files.Remove(name);
    return true;
  }
  std::vector<std::uint8_t> bytes(m_alarms.size() * CEvent::kRecordSize);
  for (std::size_t i = 0; i < m_alarms.size(); ++i) {
    AlarmRecord& r = m_alarms[i]->Fields();
    const std::optional<CDateTime>& next = m_schedules[i]->Next();
    r.dueYear = next ? next->Year() : 0;
    r.dueMonth = next ? next->Month() : 0;
    r.dueDay = next ? next->Day() : 0;
    r.dueHour = next ? next->Hour() : 0;
    r.dueMinute = next ? next->Minute() : 0;
    r.dueSecond = next ? next->Second() : 0;
    std::uint8_t record[CEvent::kRecordSize];
    m_alarms[i]->ToBytes(record);
    std::copy(std::begin(record), std::end(record),
              bytes.begin() + static_cast<std::ptrdiff_t>(i * CEvent::kRecordSize));
  }
  const FileError error = SaveAtomically(files, name, bytes);
  switch (error.stage) {
    case FileStage::kNone:
      return true;
    case FileStage::kOpen:
      messages.Warn(std::string(kOpenForSaveMessage));
      return false;
    case FileStage::kClose:
      messages.Warn(WithCode(kCloseForSaveMessage, error.cause));
      return false;
    default:
      messages.Warn(WithCode(kSaveMessage, error.cause));
      return false;
  }
}

}  // namespace zw
