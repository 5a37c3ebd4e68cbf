// SPDX-License-Identifier: GPL-3.0-or-later
// A stored settings record over the defaults: read, used for the display and the clock list,
// and written back with the stored bytes unchanged and reading as the same settings.
#include <algorithm>
#include <cstdlib>

#include "fuzzsupport.h"
#include "locations/locationdb.h"
#include "net/ftpdirectory.h"
#include "settings/clocksettings.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CLocationDB& db = fuzz::SuppliedLocations();
  fuzz::MemoryStore store;
  store.values[std::string(CClockSettings::kRecordName)] = fuzz::Copy(data, size);
  CClockSettings settings;
  settings.Load(store);
  settings.Display();
  settings.RestoreClockList(db);
  CFtpDirectory directory(settings.Values().ftpDirectory);

  settings.SaveRecord(store);
  const auto& saved = store.values[std::string(CClockSettings::kRecordName)];
  if (saved.size() != CSettingsCodec::kRecordSize) {
    std::abort();
  }
  if (size <= CSettingsCodec::kRecordSize && !std::equal(data, data + size, saved.begin())) {
    std::abort();
  }
  if (!(CSettingsCodec::Decode(settings.Record()) == settings.Values())) {
    std::abort();
  }
  return 0;
}
