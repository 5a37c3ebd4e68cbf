// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
  // The texts point into the companion, which must outlive them.
  struct Entry {
    std::string_view zone;
    bool follows = true;
  };

  static constexpr std::string_view kStandardFileName = "TIME_ZON.TZN";
  static constexpr std::string_view kCustomFileName = "CUST_ZON.TZN";
  // A downloaded companion, taken in together with the zone file download beside it.
  static constexpr std::string_view kUpdateFileName = "TEMPT.TZN";
  // Longer than any zone name the tz database has.
  static constexpr std::size_t kMaxZoneLength = 64;

  // nullopt when any line is damaged: bad quoting, an unknown type, a text longer than a zone
  // file allows, a zone name with characters no zone name has, or stray fields.
  static std::optional<CZoneCompanion> Parse(std::span<const std::uint8_t> bytes);

  CZoneCompanion(CZoneCompanion&&) = default;
  CZoneCompanion& operator=(CZoneCompanion&&) = default;

  // The entry of a place, or nullptr.
  const Entry* Find(int type, std::string_view country, std::string_view name) const;
  // As Find, for places asked for in their zone file's order: the line after the one `next`
  // was left at is tried first, which spares a large file's loading a hash look-up (a cache
  // miss) per place. `next` starts at 0 and is kept between calls.
  const Entry* FindNext(std::size_t& next, int type, std::string_view country,
                        std::string_view name) const;
  std::size_t Count() const { return m_entries.size(); }

  // The place's line, CR LF included.
  static void AppendLine(const CLocation& location, std::string& out);

 private:
  struct Key {
    int type;
    std::string_view country;
    std::string_view name;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };

  CZoneCompanion() = default;

  // The file's bytes, which the keys and entries point into; a vector's buffer stays put
  // when the companion moves.
  std::vector<char> m_text;
  // An entry and the line it was last read from.
  struct Stored {
    Entry entry;
    std::size_t line = 0;
  };
  using Node = std::pair<const Key, Stored>;

  std::unordered_map<Key, Stored, KeyHash> m_entries;
  // Every line's entry in file order.
  std::vector<const Node*> m_lines;
};

}  // namespace zw
