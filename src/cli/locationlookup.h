// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zw {

class CLocation;
class CLocationDB;

// Finds the location a user names as NAME or NAME,COUNTRY: exact spelling first, then
// ignoring case. The whole text is also tried as a name, so a custom name holding a comma
// can still be reached.
class CLocationLookup {
 public:
  explicit CLocationLookup(const CLocationDB& db) : m_db(db) {}

  // The one location `text` (Latin-1) names. Throws CCliError(kNotFound) when none does, or
  // when several do, listing them so the user can pick one.
  CLocation* Find(std::string_view text) const;
  // "Name, Country", or the bare name without a country: how zw shows a location and how
  // the user can name it back.
  static std::string Place(const CLocation& location);
  // The names a location must bear, ignoring case, for `text` to name it.
  static std::vector<std::string> NamesTried(std::string_view text);

 private:
  struct Query {
    std::string whole;
    std::string name;
    std::string country;
    bool hasCountry = false;
  };
  static Query Split(std::string_view text);
  // The matches of the first stage that has any; empty when neither stage has.
  std::vector<CLocation*> Matches(std::string_view text) const;
  template <typename Equal>
  std::vector<CLocation*> Collect(const Query& query, Equal equal) const;

  const CLocationDB& m_db;
};

}  // namespace zw
