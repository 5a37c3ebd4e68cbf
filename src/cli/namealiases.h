// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace zw {

// Other names for what the data files name in full: the ISO 4217 code of a currency and
// the common symbol of a unit ("km", "mi", "kWh"). Both give the file's own Latin-1 name, or
// an empty view when the alias is unknown; case counts, as in "mm" and "Mm".
class CNameAliases {
 public:
  static std::string_view CurrencyName(std::string_view code);
  static std::string_view UnitName(std::string_view symbol);
};

}  // namespace zw
