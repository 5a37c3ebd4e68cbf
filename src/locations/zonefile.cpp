// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/zonefile.h"

#include <algorithm>
#include <charconv>

namespace zw {

namespace {

bool IsDigit(std::uint8_t c) {
  return c >= '0' && c <= '9';
}

// Like atoi: leading blanks, an optional sign, then digits up to the first other byte; no
// digits read as 0. Clamped instead of overflowing.
int ToNumber(std::span<const std::uint8_t> text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  int value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), CZoneFile::kNumberLimit);
  }
  return negative ? -value : value;
}

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<std::uint8_t>(c);
    return byte < ' ' || byte == 0x7F;
  });
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

bool IsSeparator(std::uint8_t c) {
  return c == ',' || c == '\r' || c == '\n';
}

void AppendNumber(int value, std::string& out) {
  char digits[16];
  const std::to_chars_result written = std::to_chars(std::begin(digits), std::end(digits), value);
  out.append(digits, written.ptr);
}

void AppendQuoted(const std::string& text, std::string& out) {
  out += '"';
  out += text;
  out += '"';
}

}  // namespace

DstRule CZoneFile::Record::Rule() const {
  return DstRule{numbers[6],  numbers[7],  numbers[8],  numbers[9], numbers[10],
                 numbers[11], numbers[12], numbers[13], numbers[14]};
}

CZoneFile::CZoneFile(std::span<const std::uint8_t> bytes, bool isCustom,
                     const ProgressCallback& progress)
    : m_bytes(bytes),
      m_isCustom(isCustom),
      m_progress(progress),
      m_progressStep(bytes.size() / kProgressSteps + 1),
      m_nextProgress(m_progressStep) {
  // The order check starts from a single space; padded to a whole key it compares the same,
  // since every key starts with a type digit.
  m_previousKey.fill(' ');
}

CZoneFile::Status CZoneFile::Next(Record& record) {
  if (!ReadRecord(record)) {
    return Status::kEnd;
  }
  if (m_unclosed) {
    return Status::kUnclosedText;
  }
  if (HasControlCharacter(record.country) || HasControlCharacter(record.name)) {
    return Status::kControlCharacter;
  }
  if (!IsAllowedType(record.Type())) {
    return Status::kUnknownType;
  }
  const SortKey key = KeyOf(record);
  if (key == m_previousKey) {
    return Status::kDuplicate;
  }
  if (key < m_previousKey) {
    return Status::kOutOfSequence;
  }
  m_previousKey = key;
  return Status::kRecord;
}

CZoneFile::SortKey CZoneFile::KeyOf(const Record& record) {
  SortKey key;
  key.fill(' ');
  key[0] = static_cast<std::uint8_t>(record.typeText);
  const std::size_t countryRoom = kCountryKeyEnd - 1;
  const std::size_t nameRoom = kSortKeyLength - kCountryKeyEnd;
  std::copy_n(record.country.begin(), std::min(record.country.size(), countryRoom),
              key.begin() + 1);
  std::copy_n(record.name.begin(), std::min(record.name.size(), nameRoom),
              key.begin() + kCountryKeyEnd);
  return key;
}

std::unique_ptr<CLocation> CZoneFile::MakeLocation(const Record& record, CZoneRulePool* rules) {
  auto location = std::make_unique<CLocation>();
  location->SetType(record.Type());
  location->SetCountry(std::string(record.country));
  location->SetName(std::string(record.name));
  if (rules != nullptr) {
    rules->Give(*location, record.numbers[4], record.numbers[5], record.Rule());
    return location;
  }
  location->SetOffset(record.numbers[4]);
  location->SetOffsetMinutes(record.numbers[5]);
  location->SetDstRule(record.Rule());
  return location;
}

void CZoneFile::AppendLine(const CLocation& location, std::string& out) {
  AppendNumber(location.GetType(), out);
  out += ',';
  AppendQuoted(location.Country(), out);
  out += ',';
  AppendQuoted(location.Name(), out);
  const DstRule& rule = location.GetDstRule();
  const int numbers[] = {location.GetOffsetHours(),
                         location.GetOffsetMinutes(),
                         rule.enabled,
                         rule.startOrdinal,
                         rule.startWeekday,
                         rule.startMonth,
                         rule.startHour,
                         rule.endOrdinal,
                         rule.endWeekday,
                         rule.endMonth,
                         rule.endHour};
  for (const int number : numbers) {
    out += ',';
    AppendNumber(number, out);
  }
  out += "\r\n";
}

bool CZoneFile::ReadRecord(Record& record) {
  record = Record{};
  m_unclosed = false;
  ++m_line;
  std::size_t field = 1;
  while (m_position < m_bytes.size()) {
    const std::uint8_t c = m_bytes[m_position];
    if (c == '\n') {
      MoveTo(m_position + 1);
      return true;
    }
    if (c == ',' || c == '\r') {
      ++field;
      MoveTo(m_position + 1);
      continue;
    }
    MoveTo(TakeField(field, record));
  }
  return false;
}

// Each Take* starts at a byte of the field that is not a separator and returns the position
// after what it consumed, always beyond its start.
std::size_t CZoneFile::TakeField(std::size_t field, Record& record) {
  switch (field) {
    case 1:
    case 6:
    case 7:
    case 8:
    case 11:
    case 12:
      return TakeLastCharacter(field, record);
    case 2:
      return TakeQuoted(record.country);
    case 3:
      return TakeQuoted(record.name);
    case 4:
    case 5:
      return TakeNumber(record.numbers[field]);
    case 9:
    case 10:
    case 13:
    case 14:
      return TakeShortNumber(field, record.numbers[field]);
    default:
      return FieldEnd(m_position);
  }
}

std::size_t CZoneFile::TakeLastCharacter(std::size_t field, Record& record) const {
  const std::size_t end = FieldEnd(m_position);
  const std::uint8_t last = m_bytes[end - 1];
  record.numbers[field] = IsDigit(last) ? last - '0' : 0;
  if (field == 1) {
    record.typeText = static_cast<char>(last);
  }
  return end;
}

std::size_t CZoneFile::TakeQuoted(std::string_view& text) {
  if (m_bytes[m_position] != '"') {
    return m_position + 1;  // bytes outside the quotes belong to no text
  }
  // Everything up to the next double quote, commas included. A text whose closing quote is
  // missing ends with its line, which is then refused: read on, it would swallow the lines
  // after it.
  const std::uint8_t* const begin = m_bytes.data() + m_position + 1;
  const std::uint8_t* const end = m_bytes.data() + m_bytes.size();
  const std::uint8_t* const close =
      std::find_if(begin, end, [](std::uint8_t c) { return c == '"' || c == '\n'; });
  const auto length = std::min(static_cast<std::size_t>(close - begin), kMaxTextLength);
  text = WithoutTrailingBlanks(std::string_view(reinterpret_cast<const char*>(begin), length));
  const auto at = static_cast<std::size_t>(close - m_bytes.data());
  if (close == end || *close != '"') {
    m_unclosed = true;
    return at;
  }
  return at + 1;
}

std::size_t CZoneFile::TakeNumber(int& value) const {
  const std::size_t end = FieldEnd(m_position);
  value = ToNumber(m_bytes.subspan(m_position, end - m_position));
  return end;
}

// One character, and a second one unless it ends the field (a comma; a CR for the last field)
// or the record. Anything further in the field is ignored.
std::size_t CZoneFile::TakeShortNumber(std::size_t field, int& value) const {
  const std::uint8_t fieldEnd = field == kFieldCount ? '\r' : ',';
  const std::size_t next = m_position + 1;
  const bool second = next < m_bytes.size() && m_bytes[next] != fieldEnd && m_bytes[next] != '\n';
  const std::size_t length = second ? 2 : 1;
  value = ToNumber(m_bytes.subspan(m_position, length));
  return FieldEnd(m_position + length);
}

std::size_t CZoneFile::FieldEnd(std::size_t from) const {
  const auto it =
      std::find_if(m_bytes.begin() + static_cast<std::ptrdiff_t>(from), m_bytes.end(), IsSeparator);
  return static_cast<std::size_t>(it - m_bytes.begin());
}

void CZoneFile::MoveTo(std::size_t position) {
  m_position = position;
  while (m_position >= m_nextProgress) {
    m_nextProgress += m_progressStep;
    if (m_progress) {
      m_progress();
    }
  }
}

bool CZoneFile::IsAllowedType(int type) const {
  if (m_isCustom) {
    return type == CLocation::kCustom;
  }
  return type == CLocation::kCity || type == CLocation::kAreaCode;
}

}  // namespace zw
