// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "timecore/datetime.h"

namespace zw {

class CEvent;
class CEventSchedule;

// GMT to the computer's own wall-clock time.
using ComputerZone = std::function<CDateTime(const CDateTime& gmt)>;
// The computer's zone as the C library knows it (TZ, /etc/localtime).
CDateTime ComputerLocalTime(const CDateTime& gmt);

// How often and when an event comes, in words, with its place: "Every weekday at 09:00,
// Tokyo". hour24 false gives "9:00 AM".
std::string RepeatWords(const CEvent& alarm, bool hour24);
// The same without time and place ("Every 2 weeks on Monday and Thursday"), for columns that
// show those apart.
std::string RepeatPhrase(const CEvent& alarm);

// The event's next own time after now (not the earlier pre-notify instant) in its place and
// in the computer's zone.
struct NextTimes {
  CDateTime place;
  CDateTime gmt;
  CDateTime computer;
};
// None for an event that is off, has no place or no further occurrence.
std::optional<NextTimes> NextTimesOf(const CEventSchedule& schedule, const ComputerZone& computer);

}  // namespace zw
