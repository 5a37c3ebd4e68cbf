// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CEvent;
class CZone;

// The texts of the Event Summary for one listed occurrence. "When" is the event's own time
// at its location, not the earlier instant at which a pre-notified alarm comes due.
struct EventSummary {
  static constexpr std::string_view kMessagePrefix = "Display message box text: ";
  static constexpr std::string_view kMediaPrefix = "Play multimedia file name: ";
  static constexpr std::string_view kProgramPrefix = "Run program: ";

  std::string when;
  std::string name;
  std::string location;
  std::string frequency;
  std::string preNotify;
  std::string action;

  // dueGmt: the occurrence's due instant in GMT; zone: the event location's zone.
  static EventSummary Of(const CEvent& alarm, const CZone& zone, const CDateTime& dueGmt,
                         const DisplayOptions& options);
};

}  // namespace zw
