#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zw {

class CLocation;

// The tz database zones of the places of one zone file, kept in a companion file beside it
// (TIME_ZON.TZN beside TIME_ZON.DAT, CUST_ZON.TZN beside CUST_ZON.DAT), so the zone file keeps
// its byte format. Latin-1, CR LF, one line per place in the zone file's order:
//   type,"country","name","zone"      the place follows the zone
//   type,"country","name","zone",0    the zone is kept but the stored rule serves
// An empty zone means none. Lines are matched to places by type, country and name, so a
// companion that lags behind its zone file still serves the places it names.
class CZoneCompanion {
 public:
  struct Entry {
    std::string zone;
    bool follows = true;
  };

  static constexpr std::string_view kStandardFileName = "TIME_ZON.TZN";
  static constexpr std::string_view kCustomFileName = "CUST_ZON.TZN";
  // Longer than any zone name the tz database has.
  static constexpr std::size_t kMaxZoneLength = 64;

  // nullopt when any line is damaged: bad quoting, an unknown type, a text longer than a zone
  // file allows, a zone name with characters no zone name has, or stray fields.
  static std::optional<CZoneCompanion> Parse(std::span<const std::uint8_t> bytes);

  // The entry of a place, or nullptr.
  const Entry* Find(int type, std::string_view country, std::string_view name) const;
  std::size_t Count() const { return m_entries.size(); }

  // The place's line, CR LF included.
  static void AppendLine(const CLocation& location, std::string& out);

 private:
  static std::string Key(int type, std::string_view country, std::string_view name);

  std::unordered_map<std::string, Entry> m_entries;
};

}  // namespace zw
