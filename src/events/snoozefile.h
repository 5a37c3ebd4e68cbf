// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "events/event.h"
#include "timecore/datetime.h"

namespace zw {

// The snoozed alarms kept beside the event file so that they outlive the run: one line each,
// the GMT second the alarm comes again and the event's record in hex, as a snooze rings a
// copy of the event that may since have gone from the list.
class CSnoozeFile {
 public:
  static constexpr std::string_view kFileName = "ALM_ZON.SNZ";
  static constexpr std::size_t kMaxAlarms = 64;
  // Room for kMaxAlarms lines of the longest form.
  static constexpr std::size_t kMaxBytes = kMaxAlarms * (2 * CEvent::kRecordSize + 32);

  struct Entry {
    CDateTime gmtDue;
    CEvent alarm;
  };

  // The first kMaxAlarms entries.
  static std::string Encode(const std::vector<Entry>& entries);
  // Lines that are not one of ours are passed over; at most kMaxAlarms entries are read.
  static std::vector<Entry> Decode(const std::vector<std::string>& lines);
};

}  // namespace zw
