// SPDX-License-Identifier: GPL-3.0-or-later
// A zone companion file as it arrives beside a zone file, from the disk or a download. What it
// keeps must be safe to hand to the zone database: a zone name within the length limit and of
// the characters zone names have, and the same answers from a second reading.
#include <cstdlib>
#include <string_view>

#include "fuzzsupport.h"
#include "locations/locationdb.h"
#include "locations/zonecompanion.h"

using namespace zw;

namespace {

bool IsZoneCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
         c == '_' || c == '-' || c == '+';
}

void CheckEntry(const CZoneCompanion::Entry* entry) {
  if (entry == nullptr) {
    return;
  }
  if (entry->zone.size() > CZoneCompanion::kMaxZoneLength) {
    std::abort();
  }
  for (const char c : entry->zone) {
    if (!IsZoneCharacter(c)) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto companion = CZoneCompanion::Parse({data, size});
  const auto again = CZoneCompanion::Parse({data, size});
  if (companion.has_value() != again.has_value()) {
    std::abort();
  }
  if (!companion) {
    return 0;
  }
  if (companion->Count() != again->Count() || companion->Count() > size) {
    std::abort();
  }
  const CLocationDB& places = fuzz::SuppliedLocations();
  for (std::size_t i = 0; i < places.Count(); ++i) {
    const CLocation& place = *places.At(i);
    const auto* entry = companion->Find(place.GetType(), place.Country(), place.Name());
    const auto* other = again->Find(place.GetType(), place.Country(), place.Name());
    if ((entry == nullptr) != (other == nullptr) ||
        (entry != nullptr && (entry->zone != other->zone || entry->follows != other->follows))) {
      std::abort();
    }
    CheckEntry(entry);
  }
  return 0;
}
