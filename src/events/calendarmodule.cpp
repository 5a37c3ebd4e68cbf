// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/calendarmodule.h"

#include "events/icalendar.h"

extern "C" __attribute__((visibility("default"))) void zw_write_calendar(
    const std::vector<const zw::CEventSchedule*>* events, const zw::CDateTime* now,
    std::string* out) {
  *out = zw::CICalendar::Export(*events, *now, &zw::CICalendar::TzZoneName);
}

static_assert(std::is_same_v<decltype(&zw_write_calendar), zw::calendar_module::WriteFunction>);
