// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>
#include "platform/translatable.h"

namespace zw {

class IFileLayer;
struct EuroRates;

// Brings CURRENCY.DAT's rates up to a day's euro reference rates. The table keeps its
// layout, its names, its order, its description and its base (the currency whose rate is 1,
// the U.S. dollar in the supplied table); the currencies the rates cover get the new rates
// and the day they date from, the others keep theirs.
class CRatesUpdate {
 public:
  static constexpr std::string_view kDefaultSource =
      "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
  // A new rate further than this from the old one, either way, is a mistake somewhere.
  static constexpr double kSaneFactor = 10.0;

  static constexpr const char* kIncomplete = ZW_TR_NOOP(
      "Core",
      "The exchange rates received were incomplete or not understood; nothing was changed.");
  static constexpr const char* kNoBase = ZW_TR_NOOP(
      "Core",
      "The exchange rates received do not include the currency table's base (United States "
      "Dollar); nothing was changed.");
  static constexpr const char* kImplausible =
      "The exchange rates received differ too much from the current ones; nothing was changed. "
      "Currency: ";
  static constexpr const char* kNoTable =
      ZW_TR_NOOP("Core", "The currency rate file could not be read, so it was not updated.");
  static constexpr const char* kNotSaved =
      ZW_TR_NOOP("Core", "The currency rate file could not be saved; the old one is kept.");

  struct Outcome {
    // Empty on success, else what went wrong, for the user.
    std::string error;
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> updated;
  };

  // The currency code a table name stands for, as the rates name it: the one in parentheses
  // at its end, else the one the supplied table's name stands for; empty when none.
  static std::string_view CodeOf(std::string_view name);

  // The table `current` with the new rates; an error when the rates cannot reach the table's
  // base or a covered rate moves by more than kSaneFactor.
  static Outcome Merge(std::span<const std::uint8_t> current, const EuroRates& rates);

  // Reads CURRENCY.DAT by its bare name, merges `xml` into it and replaces it atomically,
  // then records the day of each updated rate; the table is never replaced when anything
  // before that failed.
  static Outcome Install(IFileLayer& files, std::string_view xml);
};

}  // namespace zw
