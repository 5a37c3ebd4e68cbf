// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "timecore/datetime.h"

namespace zw {

class CEvent;
class CEventSchedule;
class CLocation;

// Events in and out of RFC 5545 calendars. Event texts are Latin-1, calendars UTF-8.
class CICalendar {
 public:
  // A zone name (such as "Asia/Tokyo") for a place, or empty; used as the TZID when given.
  using ZoneNamer = std::function<std::string(const CLocation&)>;
  // The namer calendars are written with: the tz zone a place follows, else empty.
  static std::string TzZoneName(const CLocation& place);
  // Calendars larger than this are refused unread.
  static constexpr std::size_t kMaxBytes = 16u << 20;
  // VEVENTs past this many are left unread and only counted, as many as an event list holds.
  static constexpr std::size_t kMaxEvents = 20000;

  // One VCALENDAR with a VTIMEZONE for each place: the switches of the tz zone it follows,
  // else its offset and daylight-saving rule; and one VEVENT per event that has a place: its next
  // occurrence from `now` (GMT) as DTSTART (the first one on or after its start day for the repeats
  // that have one), the repeat as RRULE and pre-notify as a VALARM.
  static std::string Export(const std::vector<const CEventSchedule*>& events, const CDateTime& now,
                            const ZoneNamer& zoneName = {});

  struct Skipped {
    std::string summary;  // Latin-1
    std::string reason;
  };
  struct Imported {
    bool readable = false;  // false: not a calendar at all; nothing else is filled
    std::vector<std::unique_ptr<CEvent>> events;
    std::vector<Skipped> skipped;
    std::size_t overLimit = 0;  // VEVENTs past kMaxEvents, not read
  };
  // Every VEVENT whose repeat an event can hold becomes an event at `place`. Times with a
  // TZID or none keep their wall-clock time, UTC times are read at the place. Daily and
  // weekly repeats start at DTSTART; monthly days of the month and yearly ones, which events
  // hold without a start, come from now on.
  static Imported Import(std::string_view text, const CLocation& place);
};

}  // namespace zw
