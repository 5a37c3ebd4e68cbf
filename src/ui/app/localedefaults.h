// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLocale;

namespace zw {

struct ClockSettings;

// A fresh installation shows dates and times as the user's locale writes them: the order of
// day, month and year and the 12- or 24-hour clock of `locale`'s short formats. Stored
// settings are read over these, so they only matter until the user saves a choice.
void ApplyLocaleDefaults(ClockSettings& values, const QLocale& locale);

}  // namespace zw
