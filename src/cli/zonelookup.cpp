// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/zonelookup.h"

#include <string>
#include <vector>

#include "cli/latin1.h"
#include "timecore/tzzone.h"

namespace zw {

namespace {

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

const CTzZone* Available(const CTzZone* zone) {
  return zone != nullptr && zone->IsAvailable() ? zone : nullptr;
}

}  // namespace

const CTzZone* CZoneLookup::Find(CTzCatalog& catalog, std::string_view text) {
  // A zone named exactly is found without listing the whole database.
  if (const CTzZone* exact = Available(catalog.Find(text))) {
    return exact;
  }
  // Only the database's own names reach the catalog, so a typo never becomes a zone.
  const std::vector<std::string> names = CTzCatalog::Names();
  for (const std::string& name : names) {
    if (name == text) {
      return Available(catalog.Find(name));
    }
  }
  for (const std::string& name : names) {
    if (SameIgnoringCase(name, text)) {
      return Available(catalog.Find(name));
    }
  }
  return nullptr;
}

}  // namespace zw
