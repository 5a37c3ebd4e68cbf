// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "locations/locationdb.h"
#include "timecore/clocksource.h"
#include "timecore/now.h"

namespace zw::fuzz {

namespace {

class FixedClock final : public IClockSource {
 public:
  std::int64_t UtcSeconds() const override { return 1710052200; }
};

constexpr std::size_t kEveryNth = 100;

}  // namespace

ReadResult MemoryFiles::Read(const std::string& path, std::size_t maxBytes) {
  ReadResult result;
  const auto it = files.find(path);
  if (it == files.end()) {
    result.stage = FileStage::kOpen;
    result.cause = FileCause::kFileNotFound;
    return result;
  }
  const std::vector<std::uint8_t>& bytes = it->second;
  result.truncated = bytes.size() > maxBytes;
  result.bytes.assign(
      bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), maxBytes)));
  return result;
}

FileError MemoryFiles::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  files[path].assign(bytes.begin(), bytes.end());
  return {};
}

FileError MemoryFiles::Append(const std::string& path, std::span<const std::uint8_t> bytes) {
  files[path].insert(files[path].end(), bytes.begin(), bytes.end());
  return {};
}

FileCause MemoryFiles::Rename(const std::string& from, const std::string& to) {
  const auto it = files.find(from);
  if (it == files.end()) {
    return FileCause::kFileNotFound;
  }
  files[to] = std::move(it->second);
  files.erase(from);
  return FileCause::kNone;
}

FileCause MemoryFiles::Remove(const std::string& path) {
  return files.erase(path) > 0 ? FileCause::kNone : FileCause::kFileNotFound;
}

std::optional<std::vector<std::uint8_t>> MemoryStore::Read(const std::string& name,
                                                           std::size_t maxBytes) {
  const auto it = values.find(name);
  if (it == values.end() || it->second.size() > maxBytes) {
    return std::nullopt;
  }
  return it->second;
}

bool MemoryStore::Write(const std::string& name, std::span<const std::uint8_t> bytes) {
  values[name].assign(bytes.begin(), bytes.end());
  return true;
}

void FixNow() {
  static const FixedClock clock;
  CNow::SetSource(&clock);
}

CLocationDB& SuppliedLocations() {
  static CLocationDB* db = [] {
    FixNow();
    std::ifstream in(ZW_FUZZ_DATA_DIR "/TIME_ZON.DAT", std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    CLocationDB all;
    CountingSink sink;
    if (bytes.empty() || !all.Parse(bytes, false, sink)) {
      std::fprintf(stderr, "The supplied TIME_ZON.DAT could not be read.\n");
      std::abort();
    }
    auto* some = new CLocationDB;
    for (std::size_t i = 0; i < all.Count(); i += kEveryNth) {
      some->Insert(std::make_unique<CLocation>(*all.At(i)));
    }
    return some;
  }();
  return *db;
}

}  // namespace zw::fuzz
