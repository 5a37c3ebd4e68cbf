// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string_view>

#include "cli/conversionlookup.h"

namespace zw {

// "convert": the amount and its conversion, both written as the converter dialogs write
// their fields (commas between thousands, at most four decimals, no zero before the period).
class CRateDates;

class CConvertCommand {
 public:
  // An amount as the dialogs' number fields accept it: digits with optional commas and one
  // period, a minus sign in front only where the category allows one.
  static bool IsAmount(std::string_view text, bool allowsNegative);
  // Throws CCliError: kUsage for an amount that is no number or nothing to convert,
  // kFailure when the converter refuses it.
  // Gives each currency of `plan` the day of its own rate, and the plan the older of the two:
  // a result is only as current as its oldest rate.
  static void DateEachRate(CConversionLookup::Plan& plan, const CRateDates& dates);
  static void Write(const CConversionLookup::Plan& plan, std::string_view amount, bool json,
                    std::ostream& out);
};

}  // namespace zw
