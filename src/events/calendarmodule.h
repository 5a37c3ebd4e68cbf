// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace zw {

class CDateTime;
class CEventSchedule;

// The calendar writer as a module a program loads only when it writes a calendar, so that
// libical and the ICU libraries it brings are never loaded otherwise. The module and the
// program are built together, from one tree, with one compiler and standard library.
namespace calendar_module {

// The module's file, in the programs' module directory.
inline constexpr const char* kFileName = "zw-calendar.so";
// Its one entry point: writes `events` as CICalendar::Export does, with the tz zone of each
// place that follows one as its TZID, into `out`.
inline constexpr const char* kWriteSymbol = "zw_write_calendar";
using WriteFunction = void (*)(const std::vector<const CEventSchedule*>* events,
                               const CDateTime* now, std::string* out);

}  // namespace calendar_module

}  // namespace zw
