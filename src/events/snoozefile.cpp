// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/snoozefile.h"

#include <charconv>
#include <cstdint>

namespace zw {

namespace {

constexpr char kDigits[] = "0123456789abcdef";
constexpr std::size_t kHexSize = 2 * CEvent::kRecordSize;

int Nibble(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Seconds from 1970 to the end of the calendar's range; anything else is damage.
bool PlausibleDue(std::int64_t seconds) {
  return seconds >= 0 && seconds < CDateTime(2100, 1, 1, 0, 0, 0).Seconds();
}

}  // namespace

std::string CSnoozeFile::Encode(const std::vector<Entry>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size() && i < kMaxAlarms; ++i) {
    std::uint8_t record[CEvent::kRecordSize];
    entries[i].alarm.ToBytes(record);
    text += std::to_string(entries[i].gmtDue.Seconds());
    text += ' ';
    for (const std::uint8_t b : record) {
      text += kDigits[b >> 4];
      text += kDigits[b & 0xF];
    }
    text += '\n';
  }
  return text;
}

std::vector<CSnoozeFile::Entry> CSnoozeFile::Decode(const std::vector<std::string>& lines) {
  std::vector<Entry> entries;
  for (const std::string& line : lines) {
    if (entries.size() == kMaxAlarms) {
      break;
    }
    const std::size_t space = line.find(' ');
    if (space == std::string::npos || line.size() - space - 1 != kHexSize) {
      continue;
    }
    std::int64_t seconds = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + space, seconds);
    if (error != std::errc() || end != line.data() + space || !PlausibleDue(seconds)) {
      continue;
    }
    std::uint8_t record[CEvent::kRecordSize];
    bool hex = true;
    for (std::size_t i = 0; i < CEvent::kRecordSize && hex; ++i) {
      const int hi = Nibble(line[space + 1 + 2 * i]);
      const int lo = Nibble(line[space + 2 + 2 * i]);
      hex = hi >= 0 && lo >= 0;
      record[i] = hex ? static_cast<std::uint8_t>(hi << 4 | lo) : 0;
    }
    if (!hex) {
      continue;
    }
    Entry entry{CDateTime::FromSeconds(seconds), CEvent()};
    entry.alarm.FromBytes(record);
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace zw
