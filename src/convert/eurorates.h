// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zw {

// One day's euro reference rates as a central bank publishes them in XML: a day
// (<Cube time='YYYY-MM-DD'>) and, per currency, how many units of it one euro buys
// (<Cube currency='USD' rate='1.0304'/>). The text comes from the network: it is read only
// when it is whole and plausible.
struct EuroRates {
  static constexpr std::size_t kMaxBytes = 256 * 1024;
  static constexpr std::size_t kMaxCurrencies = 200;

  std::string date;
  std::map<std::string, double> perEuro;

  // Nothing unless the text ends its envelope, names exactly one real day, and every rate is
  // a positive decimal of a currency named once by three capital letters.
  static std::optional<EuroRates> Parse(std::string_view xml);
};

}  // namespace zw
