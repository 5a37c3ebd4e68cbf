// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "timecore/datetime.h"

namespace zw {

// The fixed, order-independent forms a script writes moments in, whatever date order the
// user sees: YYYY-MM-DD HH:MM[:SS] (a "T" may stand for the blank) and YYYY-MM-DD.
class CWhenText {
 public:
  // Nothing unless every field is present and the date exists, in 1970..2099.
  static std::optional<CDateTime> ParseMoment(std::string_view text);
  static std::optional<CDateTime> ParseDate(std::string_view text);
  // YYYY-MM-DDTHH:MM:SS.
  static std::string Iso(CDateTime time);
};

}  // namespace zw
