// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/event.h"

#include <cstring>

namespace zw {

CEvent::CEvent(std::int32_t listMode) {
  m_record.listMode = listMode;
  m_record.monthDay = 1;
  m_record.annualDay = 1;
  m_record.playCount = 10;
  m_record.notifyMissed = 1;
}

void CEvent::SetOff(bool off) {
  EventExtras extras = Extras();
  extras.off = off;
  SetExtras(extras);
}

RepeatKind CEvent::Repeat() const {
  const RepeatKind kind = Extras().kind;
  return EventExtras::BaseFrequency(kind) == m_record.frequency ? kind : RepeatKind::kPlain;
}

MissedChoice CEvent::Missed() const {
  return m_record.notifyMissed == 0 ? MissedChoice::kSkip : Extras().missed;
}

void CEvent::SetMissed(MissedChoice choice) {
  EventExtras extras = Extras();
  extras.missed = choice;
  SetExtras(extras);
}

void CEvent::ToBytes(std::uint8_t (&out)[kRecordSize]) const {
  AlarmRecord clean = m_record;
  std::memset(clean.pad41, 0, sizeof clean.pad41);
  std::memset(clean.pad139, 0, sizeof clean.pad139);
  std::memset(clean.pad175, 0, sizeof clean.pad175);
  std::memset(clean.pad581, 0, sizeof clean.pad581);
  std::memset(clean.pad845, 0, sizeof clean.pad845);
  std::memcpy(out, &clean, kRecordSize);
}

void CEvent::FromBytes(const std::uint8_t* bytes) {
  std::memcpy(&m_record, bytes, kRecordSize);
}

}  // namespace zw
