// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/placescanner.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "cli/latin1.h"
#include "cli/readonlyfiles.h"
#include "locations/locationdb.h"
#include "locations/namefolding.h"
#include "locations/zonefile.h"
#include "platform/filelayer.h"

namespace zw {

namespace {

// Folded the way the lookup compares names, so every place a lookup may pick is built.
std::vector<std::string> KeysOf(const std::vector<std::string>& names) {
  std::vector<std::string> keys;
  for (const std::string& name : names) {
    keys.push_back(CNameFolding::FoldTyped(name));
  }
  return keys;
}

bool IsAsked(std::string_view name, const std::vector<std::string>& keys) {
  return std::find(keys.begin(), keys.end(), CNameFolding::FoldLatin1(name)) != keys.end();
}

bool Holds(const CLocationDB& db, const CZoneFile::Record& record) {
  for (std::size_t i = 0; i < db.Count(); ++i) {
    const CLocation& location = *db.At(i);
    if (location.GetType() == record.Type() && location.Name() == record.name &&
        location.Country() == record.country) {
      return true;
    }
  }
  return false;
}

bool ReadWhole(const ReadResult& read) {
  return read.stage == FileStage::kNone && !read.truncated;
}

}  // namespace

// An update is taken in, checked and saved by the whole load only.
bool CPlaceScanner::UpdateWaits(IFileLayer& files) {
  const ReadResult update = files.Read(std::string(CLocationDB::kUpdateFileName), 1);
  return update.stage != FileStage::kOpen;
}

std::array<std::string, CPlaceIndex::kFileCount> CPlaceScanner::IndexedPaths(
    CReadOnlyFiles& files) {
  return {files.Resolve(std::string(CLocationDB::kStandardFileName)),
          files.Resolve(std::string(CZoneCompanion::kStandardFileName)),
          files.Resolve(std::string(CLocationDB::kCustomFileName)),
          files.Resolve(std::string(CZoneCompanion::kCustomFileName))};
}

std::unique_ptr<CPlaceScanner> CPlaceScanner::Open(CReadOnlyFiles& files,
                                                   const std::string& cachePath) {
  if (UpdateWaits(files)) {
    return nullptr;
  }
  const std::array<std::string, CPlaceIndex::kFileCount> paths = IndexedPaths(files);
  if (std::optional<CPlaceIndex> index = CPlaceIndex::Load(cachePath, paths)) {
    auto scanner = std::unique_ptr<CPlaceScanner>(new CPlaceScanner);
    scanner->m_sources.emplace_back();
    if (index->Present(2)) {
      scanner->m_sources.emplace_back().custom = true;
    }
    scanner->m_index = std::move(index);
    return scanner;
  }
  std::array<CPlaceIndex::Stamp, CPlaceIndex::kFileCount> stamps;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    stamps[i] = CPlaceIndex::StampOf(paths[i]);
  }
  std::unique_ptr<CPlaceScanner> scanner = Open(files);
  if (scanner) {
    // A file replaced while it was read may not be the one the index would describe.
    bool unchanged = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      unchanged = unchanged && CPlaceIndex::StampOf(paths[i]) == stamps[i];
    }
    CPlaceIndex::Files index = scanner->MakeIndex(paths, stamps);
    if (unchanged) {
      CPlaceIndex::Save(cachePath, std::move(index));
    }
  }
  return scanner;
}

CPlaceIndex::Files CPlaceScanner::MakeIndex(
    const std::array<std::string, CPlaceIndex::kFileCount>& paths,
    const std::array<CPlaceIndex::Stamp, CPlaceIndex::kFileCount>& stamps) {
  CPlaceIndex::Files index;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    index[i].path = paths[i];
    index[i].stamp = stamps[i];
  }
  for (Source& source : m_sources) {
    const std::size_t first = source.custom ? 2 : 0;
    IndexZoneFile(source, index[first]);
    IndexCompanion(source.companionBytes, index[first + 1]);
    source.companionBytes = {};
  }
  return index;
}

// The line of every record the zone file reader takes, found by the name as it reads it.
void CPlaceScanner::IndexZoneFile(const Source& source, CPlaceIndex::File& file) {
  const std::span<const std::uint8_t> bytes = source.lines;
  CZoneFile reader(bytes, source.custom, {});
  CZoneFile::Record record;
  const auto* begin = reinterpret_cast<const char*>(bytes.data());
  const std::string_view text(begin, bytes.size());
  const auto inside = [begin, &text](const char* p) {
    return std::less_equal<>()(begin, p) && std::less<>()(p, begin + text.size());
  };
  while (reader.Next(record) == CZoneFile::Status::kRecord) {
    // An empty name need not point into the file; no one can ask for it anyway.
    if (record.name.empty() || !inside(record.name.data())) {
      continue;
    }
    const auto at = static_cast<std::size_t>(record.name.data() - begin);
    const std::size_t open = text.rfind('\n', at);
    const std::size_t start = open == std::string_view::npos ? 0 : open + 1;
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) {
      continue;
    }
    file.lines.push_back(CPlaceIndex::Line{
        CPlaceIndex::HashOf(CNameFolding::FoldLatin1(record.name)),
        static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end + 1 - start)});
  }
}

// A companion line is type,"country","name","zone": the name lies between the third and the
// fourth quote. A line the index gets wrong fails the companion's own check when it is read.
void CPlaceScanner::IndexCompanion(std::span<const std::uint8_t> bytes, CPlaceIndex::File& file) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string_view::npos ? text.size() : end + 1;
    std::string_view line = text.substr(start, end - start);
    std::size_t quote = line.find('"');
    for (int i = 1; i < 3 && quote != std::string_view::npos; ++i) {
      quote = line.find('"', quote + 1);
    }
    const std::size_t close = quote == std::string_view::npos ? quote : line.find('"', quote + 1);
    if (close != std::string_view::npos) {
      file.lines.push_back(CPlaceIndex::Line{
          CPlaceIndex::HashOf(CNameFolding::FoldLatin1(line.substr(quote + 1, close - quote - 1))),
          static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
    }
    start = end;
  }
}

std::unique_ptr<CPlaceScanner> CPlaceScanner::Open(IFileLayer& files) {
  if (UpdateWaits(files)) {
    return nullptr;
  }
  auto scanner = std::unique_ptr<CPlaceScanner>(new CPlaceScanner);
  for (const bool custom : {false, true}) {
    std::optional<Source> source = Read(files, custom);
    if (!source) {
      return nullptr;
    }
    if (!source->lines.empty() || !custom) {
      scanner->m_sources.push_back(std::move(*source));
    }
  }
  return scanner;
}

std::optional<CPlaceScanner::Source> CPlaceScanner::Read(IFileLayer& files, bool custom) {
  const std::string_view name =
      custom ? CLocationDB::kCustomFileName : CLocationDB::kStandardFileName;
  ReadResult read = files.Read(std::string(name), CLocationDB::kMaxFileBytes);
  Source source;
  source.custom = custom;
  if (custom && read.stage == FileStage::kOpen && read.cause == FileCause::kFileNotFound) {
    return source;
  }
  if (!ReadWhole(read)) {
    return std::nullopt;
  }
  source.lines = std::move(read.bytes);
  if (!IsClean(source) || !ReadCompanion(files, source)) {
    return std::nullopt;
  }
  return source;
}

// A missing companion means no zones; a damaged one has a warning only the whole load gives.
bool CPlaceScanner::ReadCompanion(IFileLayer& files, Source& source) {
  const std::string_view name =
      source.custom ? CZoneCompanion::kCustomFileName : CZoneCompanion::kStandardFileName;
  const ReadResult read = files.Read(std::string(name), CLocationDB::kMaxFileBytes);
  if (read.stage == FileStage::kOpen) {
    return true;
  }
  if (!ReadWhole(read)) {
    return false;
  }
  source.companion = CZoneCompanion::Parse(read.bytes);
  source.companionBytes = read.bytes;
  return source.companion.has_value();
}

bool CPlaceScanner::IsClean(const Source& source) {
  CZoneFile file(source.lines, source.custom, {});
  CZoneFile::Record record;
  for (;;) {
    const CZoneFile::Status status = file.Next(record);
    if (status == CZoneFile::Status::kEnd) {
      return true;
    }
    if (status != CZoneFile::Status::kRecord) {
      return false;
    }
  }
}

bool CPlaceScanner::BuildNamed(const std::vector<std::string>& names, CLocationDB& db) const {
  const std::vector<std::string> keys = KeysOf(names);
  for (const Source& source : m_sources) {
    if (!BuildFrom(source, keys, db)) {
      return false;
    }
  }
  return true;
}

bool CPlaceScanner::BuildFrom(const Source& source, const std::vector<std::string>& keys,
                              CLocationDB& db) const {
  if (!m_index) {
    BuildLines(source.lines, source.custom, source.companion ? &*source.companion : nullptr, keys,
               db);
    return true;
  }
  const std::size_t first = source.custom ? 2 : 0;
  const std::optional<std::vector<std::uint8_t>> lines = m_index->Read(first, keys);
  if (!lines) {
    return false;
  }
  std::optional<CZoneCompanion> companion;
  if (m_index->Present(first + 1)) {
    const std::optional<std::vector<std::uint8_t>> zones = m_index->Read(first + 1, keys);
    companion = zones ? CZoneCompanion::Parse(*zones) : std::nullopt;
    if (!companion) {
      return false;
    }
  }
  BuildLines(*lines, source.custom, companion ? &*companion : nullptr, keys, db);
  return true;
}

void CPlaceScanner::BuildLines(std::span<const std::uint8_t> lines, bool custom,
                               const CZoneCompanion* companion,
                               const std::vector<std::string>& keys, CLocationDB& db) {
  CZoneFile file(lines, custom, {});
  CZoneFile::Record record;
  while (file.Next(record) == CZoneFile::Status::kRecord) {
    if (!IsAsked(record.name, keys) || Holds(db, record)) {
      continue;
    }
    std::unique_ptr<CLocation> location = CZoneFile::MakeLocation(record);
    const CZoneCompanion::Entry* entry =
        companion != nullptr ? companion->Find(record.Type(), record.country, record.name)
                             : nullptr;
    if (entry != nullptr) {
      location->SetTzZone(db.TzZones().Find(entry->zone));
      location->SetFollowsTz(entry->follows && location->TzZone() != nullptr);
    }
    db.Insert(std::move(location));
  }
}

}  // namespace zw
