// SPDX-License-Identifier: GPL-3.0-or-later
// A zone file, read by the rules of the standard and of the custom file. What is kept must
// give each place's times and, written back, read again as the same places; a file the
// download check passes must read whole.
#include <cstdlib>
#include <string>

#include "fuzzsupport.h"
#include "locations/locationdb.h"
#include "locations/zonefile.h"
#include "locations/zonefilecheck.h"

using namespace zw;

namespace {

// Times around the switches of the current year, and the ends of the 32-bit range.
const CDateTime kMoments[] = {CDateTime(2024, 3, 10, 2, 30, 0), CDateTime(2024, 11, 3, 1, 30, 0),
                              CDateTime(1970, 1, 1, 0, 0, 0), CDateTime(2037, 12, 31, 23, 0, 0)};

// The rule arithmetic on the file's numbers; formatting has its own tests.
void Exercise(const CLocation& location) {
  const CZoneRule& zone = location.Zone().Rule();
  for (const CDateTime& moment : kMoments) {
    zone.ToLocal(moment);
    zone.ToGmt(moment);
    zone.ToGmtForComparison(moment);
  }
}

void CheckWrittenBack(const CLocationDB& db, bool isCustom) {
  std::string written;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    CZoneFile::AppendLine(*db.At(i), written);
  }
  CLocationDB again;
  fuzz::CountingSink sink;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(written.data());
  if (!again.Parse({bytes, written.size()}, isCustom, sink) || again.Count() != db.Count()) {
    std::abort();
  }
  for (std::size_t i = 0; i < db.Count(); ++i) {
    const CLocation& a = *db.At(i);
    const CLocation& b = *again.At(i);
    if (a.Name() != b.Name() || a.Country() != b.Country() || a.GetType() != b.GetType()) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FixNow();
  for (const bool isCustom : {false, true}) {
    CLocationDB db;
    fuzz::CountingSink sink;
    db.Parse({data, size}, isCustom, sink);
    for (std::size_t i = 0; i < db.Count() && i < 64; ++i) {
      Exercise(*db.At(i));
    }
    CheckWrittenBack(db, isCustom);
    const CZoneFileCheck::Result check = CZoneFileCheck::Check({data, size}, false, 0);
    CZoneFileCheck::Message(check, 0);
    if (!isCustom && check.Ok() && (sink.count != 0 || db.Count() != check.lines)) {
      std::abort();
    }
  }
  return 0;
}
