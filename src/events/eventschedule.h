// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "timecore/datetime.h"

namespace zw {

class CEvent;
class CLocation;
class CLocationDB;

// The run-time companion of one event: its location and its next due instant, in that
// location's wall-clock time. A due instant is the occurrence less the pre-notify minutes.
class CEventSchedule {
 public:
  // Resolves the location and, when it is found, schedules from the location's "now".
  CEventSchedule(CEvent* alarm, const CLocationDB& db);

  CEvent* Alarm() const { return m_alarm; }
  CLocation* Location() const { return m_location; }
  const std::optional<CDateTime>& Next() const { return m_next; }
  bool IsLate() const { return m_late; }
  void SetLate(bool late) { m_late = late; }

  // First location with exactly the event's name and country bytes, or null.
  void ResolveLocation();
  // Resolves the location again and schedules after its current local time.
  void Reschedule();
  // Schedules after `reference`, a wall-clock time of the location.
  void Reschedule(const CDateTime& reference);
  void SetNext(int year, int month, int day, int hour, int minute, int second);
  void ClearNext() { m_next.reset(); }

  // The earliest due instant strictly later than `reference`, or none: a one-time event
  // already past, or an event whose stored times cannot be read.
  std::optional<CDateTime> NextOccurrence(const CDateTime& reference) const;

 private:
  CEvent* m_alarm;
  const CLocationDB& m_db;
  CLocation* m_location = nullptr;
  std::optional<CDateTime> m_next;
  bool m_late = false;
};

}  // namespace zw
