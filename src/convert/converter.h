// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include "platform/translatable.h"

namespace zw {

class IMessageSink;

// What a measurement conversion needs of its two units and of their category.
struct MeasureTerms {
  double sourceFactor = 1;
  double targetFactor = 1;
  bool sourceUs = false;  // U.S. units carry the category's offset
  bool targetUs = false;
  double offset = 0;
  // Zero is a value worth converting only where scales have different zero points.
  bool zeroConverts = false;
};

// Turns the text of one amount field into the text of the other: the amount as typed is
// cleaned, multiplied by the ratio of the two sides and written with four decimals.
class CConverter {
 public:
  static constexpr const char* kTooLarge = ZW_TR_NOOP(
      "Core", "Number entered is too large.  Please choose a number with 12 or fewer digits.");
  static constexpr const char* kTooManyDigits = ZW_TR_NOOP(
      "Core", "Too many digits in the result.  Please enter a smaller number to convert.");
  static constexpr const char* kNotANumber = ZW_TR_NOOP("Core", "Please enter a number.");
  static constexpr std::size_t kMaxSourceChars = 13;
  // Digits of the result with its four decimals: a 12-digit amount at a rate in the
  // thousands (dollars into rials) still fits.
  static constexpr std::size_t kMaxResultDigits = 18;
  static constexpr int kDecimals = 4;

  struct Texts {
    std::string target;
    std::string source;  // the cleaned source, for the source field to show back
  };

  // Commas and leading zeros dropped; everything else, even pasted junk, kept.
  static std::string CleanSource(std::string_view text);
  // Whether a cleaned text is an amount: digits with at most one period, and a leading minus
  // sign where `signAllowed`. "1.2.3", "12abc" and "1e5" are not.
  static bool IsAmount(std::string_view cleaned, bool signAllowed);
  // The number at the start of `text` (blanks, a sign, digits, a period, an exponent), as the
  // C library would read it; 0 when there is none. Words such as "inf" are no number here.
  static double ReadNumber(std::string_view text);
  // Four decimals, trailing fractional zeros dropped, no zero before the period, a minus sign
  // before a negative result. Nothing when the result has more than kMaxResultDigits digits
  // or is no finite number.
  static std::optional<std::string> ResultText(double value);

  // Nothing when there is nothing to convert, or after telling the user why not. A currency
  // amount has no sign; a measurement may be negative.
  static std::optional<Texts> Currency(std::string_view source, double sourceRate,
                                       double targetRate, IMessageSink& messages);
  static std::optional<Texts> Measure(std::string_view source, const MeasureTerms& terms,
                                      IMessageSink& messages);

 private:
  struct Source {
    std::string cleaned;
    double value = 0;
  };
  static std::optional<Source> Read(std::string_view text, bool zeroConverts, bool signAllowed,
                                    IMessageSink& messages);
  static std::optional<Texts> Finish(double result, Source source, IMessageSink& messages);
};

}  // namespace zw
