// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "timecore/displayoptions.h"

namespace zw {

class CLocation;
class CLocationDB;

// "find": every location whose name or country holds the text, whatever its case, in
// database order, with its kind and its zone.
class CFindCommand {
 public:
  static std::vector<const CLocation*> Search(const CLocationDB& db, std::string_view text);
  // Throws CCliError(kNotFound) when nothing matches.
  static void Write(const CLocationDB& db, std::string_view text, const DisplayOptions& options,
                    bool json, std::ostream& out);
};

}  // namespace zw
