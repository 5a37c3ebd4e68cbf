// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zw::ical {

// Event texts are Latin-1; calendars carry UTF-8.
std::string Latin1ToUtf8(std::string_view text);
// Characters beyond Latin-1, and broken sequences, become '?'.
std::string Utf8ToLatin1(std::string_view text);

// Two-letter iCalendar weekday names, index 0 = Sunday.
std::string_view WeekdayCode(int sundayIndex);

}  // namespace zw::ical
