// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CLocation;

// "compare": both locations at one GMT instant and the sentence of the Compare Time dialog.
// The same location on both sides has no sentence.
class CCompareCommand {
 public:
  static void Write(CLocation& left, CLocation& right, const CDateTime& gmt,
                    const DisplayOptions& options, bool json, std::ostream& out);
};

}  // namespace zw
