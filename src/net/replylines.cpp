// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/replylines.h"

#include <algorithm>

namespace zw {

namespace {

constexpr std::size_t kCodeLength = 3;

bool Continues(std::string_view line) {
  return line.size() > kCodeLength && line[kCodeLength] == '-';
}

}  // namespace

bool CLineBuffer::Add(std::span<const char> bytes) {
  auto start = bytes.begin();
  while (start != bytes.end()) {
    const auto feed = std::find(start, bytes.end(), '\n');
    const auto end = feed == bytes.end() ? feed : feed + 1;
    m_partial.append(start, end);
    if (m_partial.size() > m_maxLineBytes) {
      m_partial.clear();
      return false;
    }
    if (feed == bytes.end()) {
      return true;
    }
    m_lines.push_back(std::move(m_partial));
    m_partial.clear();
    start = end;
  }
  return true;
}

std::string CLineBuffer::TakeLine() {
  if (m_lines.empty()) {
    return {};
  }
  std::string line = std::move(m_lines.front());
  m_lines.pop_front();
  return line;
}

void CLineBuffer::Clear() {
  m_lines.clear();
  m_partial.clear();
}

bool CFtpReplyLines::Ends(std::string_view line) {
  if (!m_open) {
    m_open = Continues(line);
    m_code = line.substr(0, kCodeLength);
    return !m_open;
  }
  return line.substr(0, kCodeLength) == m_code && !Continues(line);
}

namespace {

// Reads a decimal number of at most `digits` digits and at most `max` at `at`, moving past it.
std::optional<unsigned> Number(std::string_view text, std::size_t& at, std::size_t digits,
                               unsigned max) {
  unsigned value = 0;
  std::size_t read = 0;
  while (at < text.size() && read < digits && text[at] >= '0' && text[at] <= '9') {
    value = value * 10 + static_cast<unsigned>(text[at] - '0');
    ++at;
    ++read;
  }
  if (read == 0 || value > max || (at < text.size() && text[at] >= '0' && text[at] <= '9')) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::uint16_t> NonZeroPort(unsigned port) {
  if (port == 0 || port > 65535) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(port);
}

}  // namespace

std::optional<std::uint16_t> ExtendedPassivePort(std::string_view reply) {
  if (!reply.starts_with("229")) {
    return std::nullopt;
  }
  const std::size_t open = reply.find('(');
  if (open == std::string_view::npos || reply.size() - open < 6) {
    return std::nullopt;
  }
  // The delimiter is whichever printable character the server chose.
  const char delimiter = reply[open + 1];
  if (delimiter < 33 || delimiter > 126 || reply[open + 2] != delimiter ||
      reply[open + 3] != delimiter) {
    return std::nullopt;
  }
  std::size_t at = open + 4;
  const auto port = Number(reply, at, 5, 65535);
  if (!port || at + 1 >= reply.size() || reply[at] != delimiter || reply[at + 1] != ')') {
    return std::nullopt;
  }
  return NonZeroPort(*port);
}

std::optional<std::uint16_t> PassivePort(std::string_view reply) {
  if (!reply.starts_with("227")) {
    return std::nullopt;
  }
  // Servers differ on the text before the numbers and on the brackets around them.
  std::size_t at = 3;
  while (at < reply.size() && (reply[at] < '0' || reply[at] > '9')) {
    ++at;
  }
  unsigned fields[6] = {};
  for (std::size_t i = 0; i < 6; ++i) {
    if (i > 0) {
      if (at >= reply.size() || reply[at] != ',') {
        return std::nullopt;
      }
      ++at;
    }
    const auto value = Number(reply, at, 3, 255);
    if (!value) {
      return std::nullopt;
    }
    fields[i] = *value;
  }
  return NonZeroPort(fields[4] * 256 + fields[5]);
}

}  // namespace zw
