// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>
#include <vector>

#include "timecore/datetime.h"

namespace zw {

class CJsonWriter;
class CLocation;

// "changes" and "now --changes": the offset changes coming at each location, each with the
// GMT instant, the offsets either side and the sentence the program shows for it.
class CChangesCommand {
 public:
  // Every change within `days` days after `gmt`, or only the next one when days is nullopt.
  static void Write(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                    std::optional<int> days, bool json, std::ostream& out);
  static void WriteArray(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                         std::optional<int> days, CJsonWriter& json);
};

}  // namespace zw
