// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/zonecompanion.h"

#include <algorithm>

#include "locations/location.h"
#include "locations/zonefile.h"

namespace zw {

namespace {

bool IsZoneCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
         c == '_' || c == '-' || c == '+';
}

// One line without its line end, taken apart field by field.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : m_line(line) {}

  bool AtEnd() const { return m_at == m_line.size(); }

  bool Type(int& type) {
    if (AtEnd() || m_line[m_at] < '0' || m_line[m_at] > '9') {
      return false;
    }
    type = m_line[m_at++] - '0';
    return type == CLocation::kCity || type == CLocation::kAreaCode || type == CLocation::kCustom;
  }

  bool Comma() { return Take(','); }

  bool Quoted(std::size_t maxLength, std::string_view& text) {
    if (!Take('"')) {
      return false;
    }
    const std::size_t close = m_line.find('"', m_at);
    if (close == std::string_view::npos || close - m_at > maxLength) {
      return false;
    }
    text = m_line.substr(m_at, close - m_at);
    m_at = close + 1;
    return true;
  }

  bool Flag(bool& value) {
    if (Take('0')) {
      value = false;
      return true;
    }
    value = true;
    return Take('1');
  }

 private:
  bool Take(char c) {
    if (AtEnd() || m_line[m_at] != c) {
      return false;
    }
    ++m_at;
    return true;
  }

  std::string_view m_line;
  std::size_t m_at = 0;
};

bool ParseLine(std::string_view line, int& type, std::string_view& country, std::string_view& name,
               CZoneCompanion::Entry& entry) {
  LineReader in(line);
  std::string_view zone;
  if (!in.Type(type) || !in.Comma() || !in.Quoted(CZoneFile::kMaxTextLength, country) ||
      !in.Comma() || !in.Quoted(CZoneFile::kMaxTextLength, name) || !in.Comma() ||
      !in.Quoted(CZoneCompanion::kMaxZoneLength, zone)) {
    return false;
  }
  for (const char c : zone) {
    if (!IsZoneCharacter(c)) {
      return false;
    }
  }
  entry.zone = zone;
  entry.follows = true;
  if (!in.AtEnd() && (!in.Comma() || !in.Flag(entry.follows))) {
    return false;
  }
  return in.AtEnd();
}

void AppendQuoted(std::string_view text, std::string& out) {
  out += '"';
  out += text;
  out += '"';
}

}  // namespace

std::size_t CZoneCompanion::KeyHash::operator()(const Key& key) const {
  const std::hash<std::string_view> hash;
  return hash(key.name) * 31 + hash(key.country) + static_cast<std::size_t>(key.type);
}

std::optional<CZoneCompanion> CZoneCompanion::Parse(std::span<const std::uint8_t> bytes) {
  CZoneCompanion companion;
  companion.m_text.assign(bytes.begin(), bytes.end());
  const std::string_view text(companion.m_text.data(), companion.m_text.size());
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  companion.m_entries.reserve(lines);
  companion.m_lines.reserve(lines);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    at = end + 1;
    int type = 0;
    std::string_view country;
    std::string_view name;
    Entry entry;
    if (!ParseLine(line, type, country, name, entry)) {
      return std::nullopt;
    }
    const Stored stored{entry, companion.m_lines.size()};
    companion.m_lines.push_back(
        &*companion.m_entries.insert_or_assign(Key{type, country, name}, stored).first);
  }
  return companion;
}

const CZoneCompanion::Entry* CZoneCompanion::Find(int type, std::string_view country,
                                                  std::string_view name) const {
  const auto found = m_entries.find(Key{type, country, name});
  return found == m_entries.end() ? nullptr : &found->second.entry;
}

const CZoneCompanion::Entry* CZoneCompanion::FindNext(std::size_t& next, int type,
                                                      std::string_view country,
                                                      std::string_view name) const {
  const Key key{type, country, name};
  if (next < m_lines.size() && m_lines[next]->first == key) {
    return &m_lines[next++]->second.entry;
  }
  const auto found = m_entries.find(key);
  if (found == m_entries.end()) {
    return nullptr;
  }
  next = found->second.line + 1;
  return &found->second.entry;
}

void CZoneCompanion::AppendLine(const CLocation& location, std::string& out) {
  out += static_cast<char>('0' + location.GetType());
  out += ',';
  AppendQuoted(location.Country(), out);
  out += ',';
  AppendQuoted(location.Name(), out);
  out += ',';
  const CTzZone* zone = location.TzZone();
  AppendQuoted(zone != nullptr ? std::string_view(zone->Name()) : std::string_view(), out);
  if (zone != nullptr && !location.FollowsTz()) {
    out += ",0";
  }
  out += "\r\n";
}

}  // namespace zw
