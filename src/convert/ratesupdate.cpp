// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ratesupdate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "convert/currencyfile.h"
#include "convert/datafile.h"
#include "convert/eurorates.h"
#include "convert/ratedates.h"
#include "platform/filelayer.h"

namespace zw {

namespace {

constexpr std::string_view kBaseCode = "USD";
constexpr std::string_view kEuroCode = "EUR";

// The table's names of the currencies the euro reference rates have covered.
constexpr std::array<std::pair<std::string_view, std::string_view>, 32> kCodes{{
    {"Australia Dollar", "AUD"},
    {"Brazil Real", "BRL"},
    {"Bulgaria Lev", "BGN"},
    {"Canada Dollar", "CAD"},
    {"China Yuan Renminbi", "CNY"},
    {"Czechia Koruna", "CZK"},
    {"Denmark Krone", "DKK"},
    {"Euro", "EUR"},
    {"Hong Kong Dollar", "HKD"},
    {"Hungary Forint", "HUF"},
    {"Iceland Krona", "ISK"},
    {"India Rupee", "INR"},
    {"Indonesia Rupiah", "IDR"},
    {"Israel New Shekel", "ILS"},
    {"Japan Yen", "JPY"},
    {"Malaysia Ringgit", "MYR"},
    {"Mexico Peso", "MXN"},
    {"New Zealand Dollar", "NZD"},
    {"Norway Krone", "NOK"},
    {"Philippines Peso", "PHP"},
    {"Poland Zloty", "PLN"},
    {"Romania Leu", "RON"},
    {"Russia Ruble", "RUB"},
    {"Singapore Dollar", "SGD"},
    {"South Africa Rand", "ZAR"},
    {"South Korea Won", "KRW"},
    {"Sweden Krona", "SEK"},
    {"Switzerland Franc", "CHF"},
    {"Thailand Baht", "THB"},
    {"T\xFCrkiye Lira", "TRY"},
    {"United Kingdom Pound", "GBP"},
    {"United States Dollar", "USD"},
}};

double RateAt(std::span<const std::uint8_t> record) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    bits |= static_cast<std::uint64_t>(record[CCurrencyFile::kRateOffset + i]) << (8 * i);
  }
  return std::bit_cast<double>(bits);
}

void PutRate(std::span<std::uint8_t> record, double rate) {
  const auto bits = std::bit_cast<std::uint64_t>(rate);
  for (std::size_t i = 0; i < 8; ++i) {
    record[CCurrencyFile::kRateOffset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
}

std::string NameAt(std::span<const std::uint8_t> record) {
  const auto field = record.subspan(1, CCurrencyFile::kNameBytes);
  const auto end = std::find(field.begin(), field.end(), 0);
  return std::string(field.begin(), end);
}

// How many units of the table's base one euro buys.
std::optional<double> BasePerEuro(const EuroRates& rates) {
  const auto base = rates.perEuro.find(std::string(kBaseCode));
  if (base == rates.perEuro.end()) {
    return std::nullopt;
  }
  return base->second;
}

}  // namespace

std::string_view CRatesUpdate::CodeOf(std::string_view name) {
  // A table of another maker may name the code itself: "Euro (EUR)".
  if (name.size() >= 6 && name.ends_with(')') && name[name.size() - 5] == '(' &&
      name[name.size() - 6] == ' ') {
    const std::string_view code = name.substr(name.size() - 4, 3);
    if (std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
      return code;
    }
  }
  for (const auto& [known, code] : kCodes) {
    if (known == name) {
      return code;
    }
  }
  return {};
}

CRatesUpdate::Outcome CRatesUpdate::Merge(std::span<const std::uint8_t> current,
                                          const EuroRates& rates) {
  Outcome outcome;
  outcome.bytes.assign(current.begin(), current.end());
  const std::span<std::uint8_t> table(outcome.bytes);
  // The old rate of the base keeps the table's unit, whatever it is.
  std::optional<double> baseRate;
  for (std::size_t at = 0;
       table.size() - at >= CCurrencyFile::kRecordSize && table[at] == CCurrencyFile::kRecordMarker;
       at += CCurrencyFile::kRecordSize) {
    if (CodeOf(NameAt(table.subspan(at))) == kBaseCode) {
      baseRate = RateAt(table.subspan(at));
    }
  }
  const auto basePerEuro = BasePerEuro(rates);
  if (!baseRate || !basePerEuro || !std::isfinite(*baseRate) || *baseRate <= 0) {
    outcome.error = kNoBase;
    return outcome;
  }
  for (std::size_t at = 0;
       table.size() - at >= CCurrencyFile::kRecordSize && table[at] == CCurrencyFile::kRecordMarker;
       at += CCurrencyFile::kRecordSize) {
    const auto record = table.subspan(at, CCurrencyFile::kRecordSize);
    const std::string name = NameAt(record);
    const std::string_view code = CodeOf(name);
    const auto perEuro = rates.perEuro.find(std::string(code));
    if (code.empty() || (code != kEuroCode && perEuro == rates.perEuro.end())) {
      continue;
    }
    const double unitsPerEuro = code == kEuroCode ? 1.0 : perEuro->second;
    const double rate = *baseRate * *basePerEuro / unitsPerEuro;
    const double old = RateAt(record);
    const bool oldKnown = std::isfinite(old) && old > 0;
    if (!std::isfinite(rate) || rate <= 0 ||
        (oldKnown && (rate > old * kSaneFactor || rate * kSaneFactor < old))) {
      outcome.error = kImplausible + name;
      return outcome;
    }
    PutRate(record, rate);
    outcome.updated.push_back(name);
  }
  return outcome;
}

CRatesUpdate::Outcome CRatesUpdate::Install(IFileLayer& files, std::string_view xml) {
  const std::optional<EuroRates> rates = EuroRates::Parse(xml);
  if (!rates) {
    return {kIncomplete, {}, {}};
  }
  const DataFileRead read =
      ReadDataFile(files, CCurrencyFile::kFileName, CCurrencyFile::kMaxFileBytes);
  if (read.status != DataFileStatus::kLoaded) {
    return {kNoTable, {}, {}};
  }
  Outcome outcome = Merge(read.bytes, *rates);
  if (!outcome.error.empty()) {
    return outcome;
  }
  if (!SaveAtomically(files, std::string(CCurrencyFile::kFileName), outcome.bytes).Ok()) {
    outcome.error = kNotSaved;
    return outcome;
  }
  CRateDates dates = CRateDates::Load(files);
  for (const std::string& name : outcome.updated) {
    dates.Set(name, rates->date);
  }
  // The rates are in; a date that could not be recorded only stays unknown.
  dates.Save(files);
  return outcome;
}

}  // namespace zw
