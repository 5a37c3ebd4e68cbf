// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/measurefile.h"

#include <algorithm>

namespace zw {

DataFileStatus CMeasureFile::Load(IFileLayer& files) {
  m_lines.clear();
  const DataFileRead read = ReadDataFile(files, kFileName, kMaxFileBytes);
  if (read.status == DataFileStatus::kLoaded) {
    Parse(read.bytes);
  }
  return read.status;
}

std::string CMeasureFile::Message(DataFileStatus status) {
  switch (status) {
    case DataFileStatus::kLoaded:
      return {};
    case DataFileStatus::kNotFound: {
      std::string text(kNotFound1);
      text += kFileName;
      text += kNotFound2;
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

void CMeasureFile::Parse(std::span<const std::uint8_t> bytes) {
  m_lines.clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(start);
    const auto cr = std::find(from, bytes.end(), std::uint8_t{'\r'});
    if (cr == bytes.end()) {
      return;
    }
    const std::size_t length = std::min(static_cast<std::size_t>(cr - from), kMaxLineChars);
    m_lines.emplace_back(from, from + static_cast<std::ptrdiff_t>(length));
    start = static_cast<std::size_t>(cr - bytes.begin()) + 2;
  }
}

char CMeasureFile::Column(std::size_t line, std::size_t column) const {
  const std::string& text = m_lines[line];
  return column < text.size() ? text[column] : '\0';
}

// Names end at a NUL as well, which a damaged file may hold.
std::string CMeasureFile::Name(std::size_t line) const {
  const std::string& text = m_lines[line];
  if (text.size() <= kNameColumn) {
    return {};
  }
  const std::string name = text.substr(kNameColumn);
  return name.substr(0, name.find('\0'));
}

std::vector<MeasureCategory> CMeasureFile::Categories() const {
  std::vector<MeasureCategory> categories;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (Column(i, kSystemColumn) == kTitleKey) {
      categories.push_back({Column(i, kCodeColumn), Name(i)});
    }
  }
  return categories;
}

std::vector<MeasureUnit> CMeasureFile::Units(char code, char system) const {
  std::vector<MeasureUnit> units;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (Column(i, kCodeColumn) == code && Column(i, kSystemColumn) == system) {
      units.push_back({i, Name(i)});
    }
  }
  return units;
}

double CMeasureFile::Number(std::size_t line) const {
  if (line >= m_lines.size() || m_lines[line].size() <= kNumberColumn) {
    return 0;
  }
  const std::string_view text(m_lines[line]);
  return CConverter::ReadNumber(text.substr(kNumberColumn, kNumberEnd - kNumberColumn));
}

MeasureTerms CMeasureFile::Terms(std::size_t category, std::size_t sourceLine,
                                 std::size_t targetLine) const {
  MeasureTerms terms;
  terms.sourceFactor = Number(sourceLine);
  terms.targetFactor = Number(targetLine);
  terms.sourceUs = sourceLine < m_lines.size() && Column(sourceLine, kSystemColumn) == kUsKey;
  terms.targetUs = targetLine < m_lines.size() && Column(targetLine, kSystemColumn) == kUsKey;
  terms.offset = Number(category);
  terms.zeroConverts = category == kSignedCategory;
  return terms;
}

}  // namespace zw
