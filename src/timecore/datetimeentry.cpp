// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/datetimeentry.h"

#include "platform/messagesink.h"

namespace zw {

namespace {

// The digits of one field: scanning stops at the separator (which is consumed), at the end of
// the text or after `limit` characters; every non-digit is skipped.
struct FieldScan {
  std::string digits;
  std::size_t next = 0;  // where the following field starts
};

FieldScan ScanField(std::string_view text, std::size_t from, char separator,
                    std::size_t limit = std::string_view::npos) {
  FieldScan scan;
  std::size_t i = from;
  for (std::size_t taken = 0; i < text.size() && taken < limit; ++i, ++taken) {
    if (text[i] == separator) {
      scan.next = i + 1;
      return scan;
    }
    if (text[i] >= '0' && text[i] <= '9') {
      scan.digits += text[i];
    }
  }
  scan.next = i;
  return scan;
}

std::string RemainingDigits(std::string_view text, std::size_t from) {
  std::string digits;
  for (std::size_t i = from; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits += text[i];
    }
  }
  return digits;
}

// Field texts are at most four digits by the time they are converted.
int ToInt(const std::string& digits) {
  int value = 0;
  for (char c : digits) {
    value = value * 10 + (c - '0');
  }
  return value;
}

bool IsDateFormat(int format) {
  return format >= CDateTime::kMonthDayYear && format <= CDateTime::kDayMonthYear;
}

}  // namespace

CDateTimeEntry::CDateTimeEntry(IMessageSink& messages, int dateFormat, int clockType)
    : m_messages(messages), m_dateFormat(dateFormat), m_clockType(clockType) {
  SetValue(CDateTime());
}

void CDateTimeEntry::SetValue(const CDateTime& value) {
  m_value = value;
  m_year = value.Year();
  m_month = value.Month();
  m_day = value.Day();
  m_hour = value.Hour();
  m_minute = value.Minute();
  m_second = value.Second();
}

bool CDateTimeEntry::Reject(std::string_view message) {
  m_messages.Warn(std::string(message));
  return false;
}

void CDateTimeEntry::Rebuild() {
  m_value.Set(m_year, m_month, m_day, m_hour, m_minute, m_second);
}

bool CDateTimeEntry::ParseDate(std::string& text) {
  if (!IsDateFormat(m_dateFormat)) {
    return false;
  }
  const std::string_view formatMessage = kDateFormatMessages[m_dateFormat];
  const char separator = CDateTime::DateSeparator(m_dateFormat)[0];
  enum Part { kMonth, kDay, kYear };
  static constexpr Part kOrders[3][3] = {
      {kMonth, kDay, kYear}, {kYear, kMonth, kDay}, {kDay, kMonth, kYear}};

  int month = 0;
  int day = 0;
  int year = 0;
  std::size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    std::string digits;
    if (i < 2) {
      FieldScan scan = ScanField(text, pos, separator);
      digits = std::move(scan.digits);
      pos = scan.next;
    } else {
      digits = RemainingDigits(text, pos);
    }
    switch (kOrders[m_dateFormat][i]) {
      case kMonth:
        if (digits.empty() || digits.size() > 2) {
          return Reject(formatMessage);
        }
        month = ToInt(digits);
        if (month < 1 || month > 12) {
          return Reject(kMonthMessage);
        }
        break;
      case kDay:
        if (digits.empty() || digits.size() > 2) {
          return Reject(formatMessage);
        }
        day = ToInt(digits);
        break;
      case kYear:
        if (digits.empty() || digits.size() == 3 || digits.size() > 4) {
          return Reject(formatMessage);
        }
        year = ToInt(digits);
        if (digits.size() <= 2) {
          year += year < 70 ? 2000 : 1900;
        }
        if (year < kMinYear || year > kMaxYear) {
          return Reject(kYearMessage);
        }
        break;
    }
  }
  if (day < 1 || day > CDateTime::DaysInMonth(year, month)) {
    return Reject(kDayMessage);
  }

  m_year = year;
  m_month = month;
  m_day = day;
  Rebuild();
  text = FormatDate();
  return true;
}

bool CDateTimeEntry::ParseTime(std::string& text) {
  return ParseTime(text, m_clockType);
}

bool CDateTimeEntry::ParseTime(std::string& text, int clockType) {
  if (clockType != CDateTime::kTwelveHour && clockType != CDateTime::kTwentyFourHour) {
    return false;
  }
  const bool twelveHour = clockType == CDateTime::kTwelveHour;
  const std::string_view formatMessage = twelveHour ? kTime12FormatMessage : kTime24FormatMessage;

  bool am = true;
  if (twelveHour) {
    if (text.find_first_of("Aa") != std::string::npos) {
      am = true;
    } else if (text.find_first_of("Pp") != std::string::npos) {
      am = false;
    } else {
      return Reject(formatMessage);
    }
  }

  const FieldScan hourScan = ScanField(text, 0, ':', 3);
  if (hourScan.digits.empty() || hourScan.digits.size() > 2) {
    return Reject(formatMessage);
  }
  int hour = ToInt(hourScan.digits);
  if (twelveHour ? (hour < 1 || hour > 12) : hour > 23) {
    return Reject(twelveHour ? kHour12Message : kHour24Message);
  }

  int minute = 0;
  int second = 0;
  const FieldScan minuteScan = ScanField(text, hourScan.next, ':', 3);
  if (!minuteScan.digits.empty()) {
    if (minuteScan.digits.size() > 2) {
      return Reject(formatMessage);
    }
    minute = ToInt(minuteScan.digits);
    if (minute > 59) {
      return Reject(kMinutesMessage);
    }
    const std::string secondDigits = RemainingDigits(text, minuteScan.next);
    if (secondDigits.size() > 2) {
      return Reject(formatMessage);
    }
    second = ToInt(secondDigits);
    if (second > 59) {
      return Reject(kSecondsMessage);
    }
  }

  if (twelveHour) {
    if (hour == 12) {
      hour = am ? 0 : 12;
    } else if (!am) {
      hour += 12;
    }
    m_am = am;
  }
  m_hour = hour;
  m_minute = minute;
  m_second = second;
  Rebuild();
  text = FormatTime(clockType);
  return true;
}

std::string CDateTimeEntry::FormatDate() {
  if (!IsDateFormat(m_dateFormat)) {
    return {};
  }
  return m_value.FormatDate(m_dateFormat, CDateTime::DateSeparator(m_dateFormat), 4);
}

std::string CDateTimeEntry::FormatTime() {
  return FormatTime(m_clockType);
}

std::string CDateTimeEntry::FormatTime(int clockType) {
  return m_value.FormatTime(clockType, ":", true);
}

}  // namespace zw
