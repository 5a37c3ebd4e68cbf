// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/translatable.h"
#include "timecore/datetime.h"

namespace zw {

class IMessageSink;

// Checks a typed date or time in the user's date order and clock type and turns it into a
// CDateTime. One entry serves a dialog's date field and time field together: parsing a date
// keeps the time fields and parsing a time keeps the date fields.
class CDateTimeEntry {
 public:
  static constexpr int kMinYear = 1970;
  // The last year before 2100, the first year the calendar's leap rule would get wrong.
  static constexpr int kMaxYear = 2099;

  static constexpr std::string_view kMonthMessage =
      ZW_TR_NOOP("Core", "Invalid month entered. Must be between 1 and 12.");
  static constexpr std::string_view kYearMessage =
      ZW_TR_NOOP("Core", "Invalid year entered. The year must be between 1970 and 2099.");
  static constexpr std::string_view kDayMessage = ZW_TR_NOOP("Core", "Invalid day entered.");
  static constexpr std::string_view kDateFormatMessages[3] = {
      ZW_TR_NOOP("Core", "Invalid date entered. Must be in MM/DD/YY or MM/DD/YYYY format."),
      ZW_TR_NOOP("Core", "Invalid date entered. Must be in YY-MM-DD or YYYY-MM-DD format."),
      ZW_TR_NOOP("Core", "Invalid date entered. Must be in DD.MM.YY or DD.MM.YYYY format."),
  };
  static constexpr std::string_view kTime24FormatMessage = ZW_TR_NOOP(
      "Core",
      "Invalid time entered. Must be in HH:MM:SS (24-hour) format.  Minutes and seconds are "
      "optional.");
  static constexpr std::string_view kTime12FormatMessage = ZW_TR_NOOP(
      "Core",
      "Invalid time entered. Must be in HH:MM:SS AM/PM (12-hour) format.  Minutes and seconds "
      "are optional.");
  static constexpr std::string_view kHour24Message =
      ZW_TR_NOOP("Core", "Invalid hour entered. Must be between 0 and 23.");
  static constexpr std::string_view kHour12Message =
      ZW_TR_NOOP("Core", "Invalid hour entered. Must be between 1 and 12.");
  static constexpr std::string_view kMinutesMessage =
      ZW_TR_NOOP("Core", "Invalid minutes entered. Must be between 0 and 59.");
  static constexpr std::string_view kSecondsMessage =
      ZW_TR_NOOP("Core", "Invalid seconds entered. Must be between 0 and 59.");

  // dateFormat: CDateTime::DateOrder; clockType: CDateTime::ClockMode. The value and the
  // fields start as "now".
  CDateTimeEntry(IMessageSink& messages, int dateFormat, int clockType);

  // On success the text is replaced by its canonical form (05/07/1997, 07:15:00 PM) and true
  // is returned; otherwise a warning is shown and text, fields and value stay unchanged.
  bool ParseDate(std::string& text);
  bool ParseTime(std::string& text);
  bool ParseTime(std::string& text, int clockType);

  // The date in the entry's order with a four-digit year; empty for an unknown order.
  std::string FormatDate();
  // The time with seconds in the entry's (or the given) clock type.
  std::string FormatTime();
  std::string FormatTime(int clockType);

  const CDateTime& Value() const { return m_value; }
  void SetValue(const CDateTime& value);

  int Year() const { return m_year; }
  int Month() const { return m_month; }
  int Day() const { return m_day; }
  int Hour() const { return m_hour; }
  int Minute() const { return m_minute; }
  int Second() const { return m_second; }
  bool IsAm() const { return m_am; }

 private:
  bool Reject(std::string_view message);
  void Rebuild();

  IMessageSink& m_messages;
  int m_dateFormat;
  int m_clockType;
  CDateTime m_value;
  bool m_am = true;
  int m_year = 0;
  int m_month = 0;
  int m_day = 0;
  int m_hour = 0;
  int m_minute = 0;
  int m_second = 0;
};

}  // namespace zw
