// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include "platform/translatable.h"

namespace zw {

// The "/H" command-line switch that shifts every clock by whole hours, for a computer whose
// own clock is kept in local time rather than GMT.
class CHourSwitch {
 public:
  static constexpr std::string_view kInvalidMessage =
      ZW_TR_NOOP("Core", "Invalid switch value.  Should be signed numeric between -23 and +23.");

  // The adjustment the command line asks for: nothing when there is no "/H"; 0 and `invalid`
  // set when the value is malformed or above 23. Only the two characters after the sign
  // count, so "/H-123" means -12.
  static int Parse(std::string_view commandLine, bool& invalid);
};

}  // namespace zw
