// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/placeindex.h"
#include "locations/zonecompanion.h"

namespace zw {

class CLocationDB;
class CReadOnlyFiles;
class IFileLayer;

// The places of the zone files, kept as the files' lines: a lookup reads the lines and
// builds only the places it asks for, with the zones their companions give them. A run of
// zw that names a few places then never pays for the thousands it does not print.
//
// It serves only files the whole database would load without a word: any damage, a
// waiting update or an unreadable file makes Open refuse, and the caller loads the whole
// database, which reports the problem as it always has.
class CPlaceScanner {
 public:
  // nullptr unless every zone file and companion reads cleanly and no update waits.
  static std::unique_ptr<CPlaceScanner> Open(IFileLayer& files);

  // The same, through the index kept at `cachePath`: when it matches the files, they are
  // not read at all until places are asked for; otherwise they are read and checked whole
  // and the index is made again for the next run.
  static std::unique_ptr<CPlaceScanner> Open(CReadOnlyFiles& files, const std::string& cachePath);

  // Adds to `db` every place, not yet in it, whose name is one of `names` ignoring case and
  // accents, as the lookup compares them.
  // False when the files changed under an index since it was loaded, or a block of it read
  // only now is damaged: `db` may then lack places, and only the whole database can answer.
  bool BuildNamed(const std::vector<std::string>& names, CLocationDB& db) const;

 private:
  // Whole files, or nothing when the index serves them.
  struct Source {
    std::vector<std::uint8_t> lines;
    std::optional<CZoneCompanion> companion;
    std::vector<std::uint8_t> companionBytes;  // kept only until the index is made
    bool custom = false;
  };

  static bool UpdateWaits(IFileLayer& files);
  static std::optional<Source> Read(IFileLayer& files, bool custom);
  static bool ReadCompanion(IFileLayer& files, Source& source);
  static bool IsClean(const Source& source);
  static std::array<std::string, CPlaceIndex::kFileCount> IndexedPaths(CReadOnlyFiles& files);
  CPlaceIndex::Files MakeIndex(
      const std::array<std::string, CPlaceIndex::kFileCount>& paths,
      const std::array<CPlaceIndex::Stamp, CPlaceIndex::kFileCount>& stamps);
  static void IndexZoneFile(const Source& source, CPlaceIndex::File& file);
  static void IndexCompanion(std::span<const std::uint8_t> bytes, CPlaceIndex::File& file);
  bool BuildFrom(const Source& source, const std::vector<std::string>& keys, CLocationDB& db) const;
  static void BuildLines(std::span<const std::uint8_t> lines, bool custom,
                         const CZoneCompanion* companion, const std::vector<std::string>& keys,
                         CLocationDB& db);

  std::vector<Source> m_sources;
  std::optional<CPlaceIndex> m_index;
};

}  // namespace zw
