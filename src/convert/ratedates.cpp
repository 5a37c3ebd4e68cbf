// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ratedates.h"

#include <string>

#include "platform/filelayer.h"

namespace zw {

namespace {

constexpr std::size_t kDateLength = 10;

}  // namespace

CRateDates CRateDates::Load(IFileLayer& files) {
  CRateDates dates;
  const ReadResult read = files.Read(std::string(kFileName), kMaxBytes);
  if (read.stage != FileStage::kNone || read.truncated) {
    return dates;
  }
  const std::string text(read.bytes.begin(), read.bytes.end());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end;
    const std::string_view line(text.data() + start, end - start);
    if (line.size() > kDateLength + 1 && line[4] == '-' && line[7] == '-' &&
        line[kDateLength] == ' ') {
      dates.m_dates[std::string(line.substr(kDateLength + 1))] =
          std::string(line.substr(0, kDateLength));
    }
    start = end + 1;
  }
  return dates;
}

bool CRateDates::Save(IFileLayer& files) const {
  std::string text;
  for (const auto& [name, date] : m_dates) {
    text += date + ' ' + name + '\n';
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return SaveAtomically(files, std::string(kFileName), {bytes, text.size()}).Ok();
}

std::string CRateDates::DateOf(std::string_view name) const {
  const auto found = m_dates.find(name);
  return found == m_dates.end() ? std::string() : found->second;
}

}  // namespace zw
