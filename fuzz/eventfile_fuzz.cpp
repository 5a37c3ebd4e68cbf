// SPDX-License-Identifier: GPL-3.0-or-later
// An event file against the supplied places: loaded, scheduled, listed, summarised and saved.
#include <algorithm>

#include "events/eventlist.h"
#include "events/eventsummary.h"
#include "events/schedulelisting.h"
#include "fuzzsupport.h"
#include "locations/location.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const CLocationDB& db = fuzz::SuppliedLocations();
  fuzz::MemoryFiles files;
  files.files[std::string(CEventList::kFileName)] = fuzz::Copy(data, size);
  fuzz::CountingSink sink;
  CEventList events(db);
  events.Load(files, sink);

  const DisplayOptions options;
  for (std::size_t i = 0; i < events.GetCount(); ++i) {
    CEventSchedule& schedule = *events.GetSchedule(i);
    schedule.Reschedule();
    if (schedule.Next()) {
      EventSummary::Of(*schedule.Alarm(), schedule.Location()->Zone(), *schedule.Next(), options);
    }
  }
  CScheduleListing listing;
  listing.Fill(events, nullptr, 2024, 3, 9, 3);
  for (int column = 0; column < CScheduleListing::kColumnCount; ++column) {
    listing.Sort(column);
    for (std::size_t row = 0; row < std::min<std::size_t>(listing.Count(), 8); ++row) {
      listing.Text(row, column, options);
    }
  }
  events.Save(files, sink);
  return 0;
}
