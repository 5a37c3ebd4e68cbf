// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/currencyfile.h"

#include <algorithm>
#include <bit>

namespace zw {

namespace {

// A text field ends at its NUL, or at the field's end when it has none.
std::string FieldText(std::span<const std::uint8_t> field) {
  const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
  return std::string(field.begin(), end);
}

double LittleEndianDouble(std::span<const std::uint8_t, 8> bytes) {
  std::uint64_t bits = 0;
  for (std::size_t i = 8; i > 0; --i) {
    bits = (bits << 8) | bytes[i - 1];
  }
  return std::bit_cast<double>(bits);
}

}  // namespace

DataFileStatus CCurrencyFile::Load(IFileLayer& files) {
  m_records.clear();
  m_description.reset();
  const DataFileRead read = ReadDataFile(files, kFileName, kMaxFileBytes);
  if (read.status == DataFileStatus::kLoaded) {
    Parse(read.bytes);
  }
  return read.status;
}

std::string CCurrencyFile::Message(DataFileStatus status) {
  switch (status) {
    case DataFileStatus::kLoaded:
      return {};
    case DataFileStatus::kNotFound: {
      std::string text(kNotFound1);
      text += kFileName;
      text += kNotFound2;
      text += kNotFound3;
      text += kNotFound4;
      text += kNotFound5;
      return text;
    }
    case DataFileStatus::kNoLength:
      return kNoLength;
    case DataFileStatus::kEmpty:
      return kEmpty;
    case DataFileStatus::kUnreadable:
      return kUnreadable;
  }
  return {};
}

void CCurrencyFile::Parse(std::span<const std::uint8_t> bytes) {
  m_records.clear();
  m_description.reset();
  std::size_t at = 0;
  while (bytes.size() - at >= kRecordSize && bytes[at] == kRecordMarker) {
    const auto record = bytes.subspan(at, kRecordSize);
    m_records.push_back({FieldText(record.subspan(1, kNameBytes)),
                         LittleEndianDouble(record.subspan<kRateOffset, 8>())});
    at += kRecordSize;
  }
  if (at < bytes.size() && bytes[at] == kDescriptionMarker) {
    m_description = FieldText(bytes.subspan(at + 1));
  }
}

int CCurrencyFile::Find(std::string_view stored, int fallback) const {
  const auto named = [&](auto matches) -> std::optional<int> {
    const auto it = std::find_if(m_records.begin(), m_records.end(), matches);
    if (it == m_records.end()) {
      return std::nullopt;
    }
    return static_cast<int>(it - m_records.begin());
  };
  if (const auto exact = named([&](const CurrencyRecord& r) { return r.name == stored; })) {
    return *exact;
  }
  if (stored.size() == kStoredNameChars) {
    if (const auto cut = named([&](const CurrencyRecord& r) {
          return r.name.size() > kStoredNameChars && r.name.starts_with(stored);
        })) {
      return *cut;
    }
  }
  const int last = static_cast<int>(m_records.size()) - 1;
  return std::clamp(fallback, std::min(0, last), last);
}

}  // namespace zw
