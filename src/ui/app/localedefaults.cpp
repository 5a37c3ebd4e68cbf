// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/localedefaults.h"

#include <QLocale>

#include "settings/clocksettings.h"

namespace zw {

namespace {

// The order the three fields first appear in; a format that lacks one keeps the default.
CDateTime::DateOrder OrderOf(const QString& format, CDateTime::DateOrder fallback) {
  const qsizetype day = format.indexOf(QLatin1Char('d'));
  const qsizetype month = format.indexOf(QLatin1Char('M'));
  const qsizetype year = format.indexOf(QLatin1Char('y'));
  if (day < 0 || month < 0 || year < 0) {
    return fallback;
  }
  if (year < month && year < day) {
    return CDateTime::kYearMonthDay;
  }
  return day < month ? CDateTime::kDayMonthYear : CDateTime::kMonthDayYear;
}

}  // namespace

void ApplyLocaleDefaults(ClockSettings& values, const QLocale& locale) {
  values.dateOrder = OrderOf(locale.dateFormat(QLocale::ShortFormat), values.dateOrder);
  // "a"/"A" (and "ap"/"AP") mark the morning/afternoon text only a 12-hour clock shows.
  const QString time = locale.timeFormat(QLocale::ShortFormat);
  values.hour24 = !time.contains(QLatin1Char('a'), Qt::CaseInsensitive);
}

}  // namespace zw
