// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/locationlookup.h"

#include "cli/clierror.h"
#include "cli/latin1.h"
#include "locations/locationdb.h"
#include "locations/namefolding.h"

namespace zw {

namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool SameBytes(std::string_view a, std::string_view b) {
  return a == b;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (CLatin1::Lower(a[i]) != CLatin1::Lower(b[i])) {
      return false;
    }
  }
  return true;
}

// The file's Latin-1 name against typed text, ignoring case and accents.
bool SameFolded(std::string_view stored, std::string_view typed) {
  return CNameFolding::FoldLatin1(stored) == CNameFolding::FoldTyped(typed);
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

}  // namespace

std::string CLocationLookup::Place(const CLocation& location) {
  std::string place = location.Name();
  if (!location.Country().empty()) {
    place.append(", ");
    place.append(location.Country());
  }
  return place;
}

CLocationLookup::Query CLocationLookup::Split(std::string_view text) {
  Query query;
  query.whole = Trim(text);
  const std::size_t comma = text.rfind(',');
  if (comma != std::string_view::npos) {
    query.name = Trim(text.substr(0, comma));
    query.country = Trim(text.substr(comma + 1));
    query.hasCountry = true;
  }
  return query;
}

std::vector<std::string> CLocationLookup::NamesTried(std::string_view text) {
  Query query = Split(text);
  std::vector<std::string> names{std::move(query.whole)};
  if (query.hasCountry) {
    names.push_back(std::move(query.name));
  }
  return names;
}

template <typename Equal>
std::vector<CLocation*> CLocationLookup::Collect(const Query& query, Equal equal) const {
  std::vector<CLocation*> found;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    CLocation* location = m_db.At(i);
    const bool byWhole = equal(location->Name(), query.whole);
    const bool byPair = query.hasCountry && equal(location->Name(), query.name) &&
                        equal(location->Country(), query.country);
    if (byWhole || byPair) {
      found.push_back(location);
    }
  }
  return found;
}

std::vector<CLocation*> CLocationLookup::Matches(std::string_view text) const {
  const Query query = Split(text);
  std::vector<CLocation*> exact = Collect(query, SameBytes);
  if (!exact.empty()) {
    return exact;
  }
  std::vector<CLocation*> caseless = Collect(query, SameIgnoringCase);
  if (!caseless.empty()) {
    return caseless;
  }
  return Collect(query, SameFolded);
}

CLocation* CLocationLookup::Find(std::string_view text) const {
  const std::vector<CLocation*> found = Matches(text);
  if (found.size() == 1) {
    return found.front();
  }
  if (found.empty()) {
    std::string message = "no location is named ";
    message.append(Quoted(text));
    throw CCliError(CCliError::kNotFound, message);
  }
  std::string message = Quoted(text);
  message.append(" names ").append(std::to_string(found.size()));
  message.append(" locations; name one with its country:");
  for (const CLocation* location : found) {
    message.append("\n  ").append(Place(*location));
  }
  throw CCliError(CCliError::kNotFound, message);
}

}  // namespace zw
