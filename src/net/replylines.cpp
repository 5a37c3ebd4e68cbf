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

}  // namespace zw
