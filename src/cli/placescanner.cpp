#include "cli/placescanner.h"

#include <algorithm>

#include "cli/latin1.h"
#include "locations/locationdb.h"
#include "locations/zonefile.h"
#include "platform/filelayer.h"

namespace zw {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return CLatin1::Lower(x) == CLatin1::Lower(y);
         });
}

bool IsAsked(std::string_view name, const std::vector<std::string>& names) {
  return std::any_of(names.begin(), names.end(),
                     [name](const std::string& asked) { return SameIgnoringCase(name, asked); });
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

std::unique_ptr<CPlaceScanner> CPlaceScanner::Open(IFileLayer& files) {
  // An update is taken in, checked and saved by the whole load only.
  const ReadResult update = files.Read(std::string(CLocationDB::kUpdateFileName), 1);
  if (update.stage != FileStage::kOpen) {
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

void CPlaceScanner::BuildNamed(const std::vector<std::string>& names, CLocationDB& db) const {
  for (const Source& source : m_sources) {
    BuildFrom(source, names, db);
  }
}

// The lines that may hold a place of one of `names`: a name that matches ignoring case
// follows an opening quote there. The lines keep their order, so a file that passed the
// order check still passes it with only these lines.
std::vector<std::uint8_t> CPlaceScanner::Candidates(std::span<const std::uint8_t> lines,
                                                    const std::vector<std::string>& names) {
  std::vector<std::uint8_t> found;
  std::size_t lineStart = 0;
  std::size_t taken = 0;  // the end of the last line taken, so none is taken twice
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == '\n') {
      lineStart = i + 1;
      continue;
    }
    if (lines[i] != '"' || lineStart < taken) {
      continue;
    }
    const std::string_view rest(reinterpret_cast<const char*>(lines.data()) + i + 1,
                                lines.size() - i - 1);
    if (!std::any_of(names.begin(), names.end(), [rest](const std::string& name) {
          return SameIgnoringCase(rest.substr(0, name.size()), name);
        })) {
      continue;
    }
    const auto lineEnd =
        std::find(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end(), std::uint8_t{'\n'});
    const std::size_t end = lineEnd == lines.end()
                                ? lines.size()
                                : static_cast<std::size_t>(lineEnd - lines.begin()) + 1;
    found.insert(found.end(), lines.begin() + static_cast<std::ptrdiff_t>(lineStart),
                 lines.begin() + static_cast<std::ptrdiff_t>(end));
    taken = end;
  }
  return found;
}

void CPlaceScanner::BuildFrom(const Source& source, const std::vector<std::string>& names,
                              CLocationDB& db) const {
  const CDateTime now;
  const std::vector<std::uint8_t> lines = Candidates(source.lines, names);
  CZoneFile file(lines, source.custom, {});
  CZoneFile::Record record;
  while (file.Next(record) == CZoneFile::Status::kRecord) {
    if (!IsAsked(record.name, names) || Holds(db, record)) {
      continue;
    }
    std::unique_ptr<CLocation> location = CZoneFile::MakeLocation(record, now);
    const CZoneCompanion::Entry* entry =
        source.companion ? source.companion->Find(record.Type(), record.country, record.name)
                         : nullptr;
    if (entry != nullptr) {
      location->SetTzZone(db.TzZones().Find(entry->zone));
      location->SetFollowsTz(entry->follows && location->TzZone() != nullptr);
    }
    db.Insert(std::move(location));
  }
}

}  // namespace zw
