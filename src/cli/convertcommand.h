#pragma once

#include <ostream>
#include <string_view>

#include "cli/conversionlookup.h"

namespace zw {

// "convert": the amount and its conversion, both written as the converter dialogs write
// their fields (commas between thousands, at most four decimals, no zero before the period).
class CConvertCommand {
 public:
  // An amount as the dialogs' number fields accept it: digits with optional commas and one
  // period, a minus sign in front only where the category allows one.
  static bool IsAmount(std::string_view text, bool allowsNegative);
  // Throws CCliError: kUsage for an amount that is no number or nothing to convert,
  // kFailure when the converter refuses it.
  static void Write(const CConversionLookup::Plan& plan, std::string_view amount, bool json,
                    std::ostream& out);
};

}  // namespace zw
