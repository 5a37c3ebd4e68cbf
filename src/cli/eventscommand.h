// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "events/eventwords.h"
#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CEventList;
class CEventSchedule;
class CLocation;

// "events": the due instants of the stored events from a first day for a number of further
// days, as the schedule browser lists them: by time, at the time basis (a location's
// wall-clock time, or GMT), never before now.
class CEventsCommand {
 public:
  static constexpr std::string_view kGmtBasis = "Greenwich Mean Time";

  struct Range {
    const CLocation* basis = nullptr;  // none: GMT
    CDateTime firstDay;                // midnight at the basis
    int days = 0;                      // further days after the first
  };

  // Today at the basis.
  static CDateTime Today(const CLocation* basis);
  static void Write(const CEventList& alarms, const Range& range, const DisplayOptions& options,
                    bool json, std::ostream& out);
  static std::string BasisText(const CLocation* basis);
  // One line per event: name, on or off, its repeat in words, its next own time at its place
  // and in the computer's zone.
  static void WriteList(const CEventList& alarms, const DisplayOptions& options,
                        const ComputerZone& computer, bool json, std::ostream& out);
  // The occurrences that passed unseen since `lastSeen` (see CMissedEvents): time at the
  // place, place, message (the name when there is none) and what becomes of it.
  static void WriteMissed(const CEventList& alarms, const std::optional<CDateTime>& lastSeen,
                          const DisplayOptions& options, bool json, std::ostream& out);
  // Writes events as an iCalendar file, from `now` on.
  using CalendarText =
      std::function<std::string(const std::vector<const CEventSchedule*>&, const CDateTime& now)>;
  // Every event as an iCalendar file.
  static void WriteIcs(const CEventList& alarms, const CalendarText& calendar, std::ostream& out);
};

}  // namespace zw
