// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/workinghoursfile.h"

#include <cstdio>
#include <optional>
#include <sstream>

#include "settings/smallfile.h"
#include "settings/userdirectories.h"

namespace zw {

namespace {

// "HH:MM" from 00:00 to 24:00, as minutes after midnight.
std::optional<int> MinutesOf(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') {
    return std::nullopt;
  }
  for (const std::size_t i : {0u, 1u, 3u, 4u}) {
    if (text[i] < '0' || text[i] > '9') {
      return std::nullopt;
    }
  }
  const int hours = (text[0] - '0') * 10 + (text[1] - '0');
  const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
  const int total = hours * 60 + minutes;
  if (minutes > 59 || total > 24 * 60) {
    return std::nullopt;
  }
  return total;
}

std::optional<WorkingHours> SpanOf(const std::string& text) {
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) {
    return std::nullopt;
  }
  const std::optional<int> start = MinutesOf(text.substr(0, dash));
  const std::optional<int> end = MinutesOf(text.substr(dash + 1));
  if (!start || !end || *start >= *end) {
    return std::nullopt;
  }
  return WorkingHours{*start, *end};
}

std::string TextOf(int minutes) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60 % 100, minutes % 60);
  return text;
}

}  // namespace

std::string CWorkingHoursFile::DefaultPath() {
  return CUserDirectories::Config() + "/" + kFileName;
}

CWorkingHoursFile::Hours CWorkingHoursFile::Load() {
  Hours hours;
  const SmallFileLines file = ReadSmallFile(m_path, kMaxBytes);
  m_unreadable = file.unreadable;
  for (const std::string& line : file.lines) {
    // The place's name may hold "=", the span never does.
    const std::size_t equals = line.rfind('=');
    if (line.empty() || line[0] == '#' || equals == 0 || equals == std::string::npos) {
      continue;
    }
    const std::optional<WorkingHours> span = SpanOf(line.substr(equals + 1));
    if (span) {
      hours[line.substr(0, equals)] = *span;
    }
  }
  return hours;
}

bool CWorkingHoursFile::Save(const Hours& hours) {
  if (m_unreadable) {
    return false;
  }
  std::ostringstream out;
  for (const auto& [place, span] : hours) {
    if (place.empty() || place.find('\n') != std::string::npos) {
      continue;
    }
    out << place << '=' << TextOf(span.startMinute) << '-' << TextOf(span.endMinute) << '\n';
  }
  return WriteFileAtomically(m_path, out.str());
}

}  // namespace zw
