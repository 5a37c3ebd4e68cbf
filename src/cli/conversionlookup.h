// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert/converter.h"

namespace zw {

class CCurrencyFile;
class CMeasureFile;

// Finds what FROM and TO name: two currencies of CURRENCY.DAT (by name, or by ISO 4217
// code), or two units of one category of MEASURE.DAT (by name, or by common symbol). Exact
// spelling wins over spelling in another case; a full name wins over an alias.
class CConversionLookup {
 public:
  static constexpr std::string_view kCurrencyCategory = "Currency";

  struct Plan {
    bool currency = false;
    std::string category;  // kCurrencyCategory or the measure category's name
    std::string from;      // the names as the files spell them
    std::string to;
    double sourceRate = 0;
    double targetRate = 0;
    MeasureTerms terms;
    // Only the category whose scales start at different zeros goes below zero.
    bool allowsNegative = false;
    // The day the currency rates are of, "YYYY-MM-DD" as the rate file's description
    // states it; empty when it does not.
    std::string ratesDate;
    // Each side's own day where rates taken in since carry one; else as ratesDate.
    std::string fromRatesDate;
    std::string toRatesDate;
  };

  CConversionLookup(const CCurrencyFile& currencies, const CMeasureFile& measures)
      : m_currencies(currencies), m_measures(measures) {}

  // Throws CCliError(kNotFound) when a name is unknown or ambiguous, or when the two cannot
  // be converted into each other.
  Plan Resolve(std::string_view from, std::string_view to) const;

  // The ISO code a currency name holds in parentheses, as in "Euro (EUR)"; empty if none.
  static std::string_view IsoCode(std::string_view name);
  // The first "YYYY-MM-DD" in a text, or an empty view.
  static std::string_view DateIn(std::string_view text);

 private:
  struct Unit {
    std::size_t category;  // list position
    std::size_t line;
    std::string name;
  };

  std::vector<std::size_t> Currencies(std::string_view name) const;
  std::vector<Unit> Units(std::string_view name) const;
  std::vector<Unit> AllUnits() const;
  bool ResolveCurrencies(std::string_view from, std::string_view to, Plan& plan) const;
  bool ResolveUnits(std::string_view from, std::string_view to, Plan& plan) const;

  const CCurrencyFile& m_currencies;
  const CMeasureFile& m_measures;
};

}  // namespace zw
