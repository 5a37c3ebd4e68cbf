#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "locations/zonecompanion.h"

namespace zw {

class CLocationDB;
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

  // Adds to `db` every place, not yet in it, whose name is one of `names` ignoring case.
  void BuildNamed(const std::vector<std::string>& names, CLocationDB& db) const;

 private:
  struct Source {
    std::vector<std::uint8_t> lines;
    std::optional<CZoneCompanion> companion;
    bool custom = false;
  };

  static std::optional<Source> Read(IFileLayer& files, bool custom);
  static bool ReadCompanion(IFileLayer& files, Source& source);
  static bool IsClean(const Source& source);
  static std::vector<std::uint8_t> Candidates(std::span<const std::uint8_t> lines,
                                              const std::vector<std::string>& names);
  void BuildFrom(const Source& source, const std::vector<std::string>& names,
                 CLocationDB& db) const;

  std::vector<Source> m_sources;
};

}  // namespace zw
