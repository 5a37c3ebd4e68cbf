// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace zw {

class CTzCatalog;
class CTzZone;

// Finds the tz database zone a user names: exact spelling first, then ignoring ASCII case
// ("europe/paris").
class CZoneLookup {
 public:
  // An available zone, or nullptr.
  static const CTzZone* Find(CTzCatalog& catalog, std::string_view text);
};

}  // namespace zw
