// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libical/ical.h>

#include <string>

#include "timecore/datetime.h"

namespace zw {

class CTzZone;

namespace ical {

// A VTIMEZONE named `id` that gives the tz zone's offsets from `fromGmt` on: each switch the
// zone lists as an onset, and the yearly rule its switches settle into as RRULEs, so calendars
// keep converting correctly past the years written out. `zone` must be available.
icalcomponent* TzTimeZone(const CTzZone& zone, const std::string& id, const CDateTime& fromGmt);

// A wall-clock time without a zone, as DTSTART and RDATE values carry it.
icaltimetype WallTime(const CDateTime& t);

}  // namespace ical
}  // namespace zw
