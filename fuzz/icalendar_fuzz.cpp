// SPDX-License-Identifier: GPL-3.0-or-later
// A calendar imported into events of a place.
#include <string_view>

#include "events/event.h"
#include "events/icalendar.h"
#include "fuzzsupport.h"
#include "locations/location.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FixNow();
  CLocation place;
  place.SetName("Berlin");
  place.SetOffset(1);
  place.SetDstRule(1, 4, 0, 2, 2, 4, 0, 9, 3);
  CICalendar::Import(std::string_view(reinterpret_cast<const char*>(data), size), place);
  return 0;
}
