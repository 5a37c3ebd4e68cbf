// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/tzfile.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <string_view>

namespace zw {

namespace {

constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kCountsAt = 20;
constexpr std::size_t kTypeSize = 6;
// No place has been more than a day from GMT; anything further is damage.
constexpr std::int32_t kMaxOffset = 26 * 3600;

std::uint32_t BigEndian32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) << 24 | static_cast<std::uint32_t>(at[1]) << 16 |
         static_cast<std::uint32_t>(at[2]) << 8 | static_cast<std::uint32_t>(at[3]);
}

std::int64_t BigEndian64(const std::uint8_t* at) {
  const std::uint64_t high = BigEndian32(at);
  return static_cast<std::int64_t>(high << 32 | BigEndian32(at + 4));
}

struct Counts {
  std::size_t isUt, isStd, leap, time, type, chars;

  // The data block's size with times of `timeSize` bytes.
  std::size_t BlockSize(std::size_t timeSize) const {
    return time * timeSize + time + type * kTypeSize + chars + leap * (timeSize + 4) + isStd + isUt;
  }
};

std::optional<Counts> ReadCounts(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize ||
      std::string_view(reinterpret_cast<const char*>(bytes.data()), 4) != "TZif") {
    return std::nullopt;
  }
  const std::uint8_t* at = bytes.data() + kCountsAt;
  Counts counts{BigEndian32(at),      BigEndian32(at + 4),  BigEndian32(at + 8),
                BigEndian32(at + 12), BigEndian32(at + 16), BigEndian32(at + 20)};
  // Bounding each count by the file's size keeps every product below far from overflow.
  for (const std::size_t count :
       {counts.isUt, counts.isStd, counts.leap, counts.time, counts.type, counts.chars}) {
    if (count > CTzFile::kMaxBytes) {
      return std::nullopt;
    }
  }
  if (counts.type == 0 || counts.type > 256) {
    return std::nullopt;
  }
  return counts;
}

}  // namespace

std::optional<CTzFile> CTzFile::Parse(std::span<const std::uint8_t> bytes) {
  std::optional<Counts> counts = ReadCounts(bytes);
  if (!counts) {
    return std::nullopt;
  }
  std::size_t timeSize = 4;
  std::span<const std::uint8_t> block = bytes.subspan(kHeaderSize);
  // From version 2 on, a second header and block with 64-bit times follow the first.
  if (bytes[4] >= '2') {
    const std::size_t skip = counts->BlockSize(4);
    if (block.size() < skip) {
      return std::nullopt;
    }
    bytes = block.subspan(skip);
    counts = ReadCounts(bytes);
    if (!counts) {
      return std::nullopt;
    }
    timeSize = 8;
    block = bytes.subspan(kHeaderSize);
  }
  if (block.size() < counts->BlockSize(timeSize)) {
    return std::nullopt;
  }
  CTzFile file;
  const std::uint8_t* at = block.data();
  for (std::size_t i = 0; i < counts->time; ++i, at += timeSize) {
    file.m_times.push_back(timeSize == 8 ? BigEndian64(at)
                                         : static_cast<std::int32_t>(BigEndian32(at)));
  }
  file.m_types.assign(at, at + counts->time);
  at += counts->time;
  for (std::size_t i = 0; i < counts->type; ++i, at += kTypeSize) {
    const auto offset = static_cast<std::int32_t>(BigEndian32(at));
    if (offset < -kMaxOffset || offset > kMaxOffset || at[4] > 1) {
      return std::nullopt;
    }
    file.m_states.push_back(ZoneState{offset, at[4] == 1});
  }
  if (!std::is_sorted(file.m_times.begin(), file.m_times.end()) ||
      std::any_of(file.m_types.begin(), file.m_types.end(),
                  [&file](std::uint8_t type) { return type >= file.m_states.size(); })) {
    return std::nullopt;
  }
  // The footer: the rule between two newlines right after the last block.
  const std::span<const std::uint8_t> rest = block.subspan(counts->BlockSize(timeSize));
  const std::string_view footer(reinterpret_cast<const char*>(rest.data()), rest.size());
  if (timeSize == 8 && footer.size() >= 2 && footer.front() == '\n') {
    const std::size_t close = footer.find('\n', 1);
    if (close != std::string_view::npos) {
      file.m_tail = CPosixTzRule::Parse(footer.substr(1, close - 1));
    }
  }
  return file;
}

std::optional<CTzFile> CTzFile::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in.tellg();
  if (!in || size <= 0 || static_cast<std::uint64_t>(size) > kMaxBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.seekg(0).read(reinterpret_cast<char*>(bytes.data()), size)) {
    return std::nullopt;
  }
  return Parse(bytes);
}

ZoneState CTzFile::At(std::int64_t utc) const {
  const auto after = std::upper_bound(m_times.begin(), m_times.end(), utc);
  if (after == m_times.begin()) {
    return m_states.front();
  }
  return m_states[m_types[static_cast<std::size_t>(after - m_times.begin()) - 1]];
}

std::optional<std::int64_t> CTzFile::NextSwitch(std::int64_t utc) const {
  const auto after = std::upper_bound(m_times.begin(), m_times.end(), utc);
  if (after == m_times.end()) {
    return std::nullopt;
  }
  return *after;
}

std::int64_t CTzFile::TailFrom() const {
  return m_times.empty() ? std::numeric_limits<std::int64_t>::min() : m_times.back();
}

}  // namespace zw
