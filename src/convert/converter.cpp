// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/converter.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/messagesink.h"

namespace zw {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool HasDigit(std::string_view text) {
  for (const char c : text) {
    if (IsDigit(c)) {
      return true;
    }
  }
  return false;
}

// A magnitude rounded to four decimals as fixed-point digits: no leading zeros, the period
// `point` digits from the left (negative: further right). Empty digits stand for zero.
struct FixedDigits {
  std::string digits;
  int point = 0;
};

// Adds one unit in the last digit; a carry out of the first digit moves the period.
void RoundUp(FixedDigits& fixed) {
  std::size_t i = fixed.digits.size();
  while (i > 0 && fixed.digits[i - 1] == '9') {
    fixed.digits[--i] = '0';
  }
  if (i == 0) {
    fixed.digits.insert(0, 1, '1');
    ++fixed.point;
    return;
  }
  ++fixed.digits[i - 1];
}

// The shortest decimal that reads back as `magnitude` (> 0): all its significant digits,
// with the period placed as in FixedDigits.
FixedDigits ShortestDigits(double magnitude) {
  char buffer[64];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  const std::size_t e = text.find('e');
  FixedDigits shortest;
  for (const char c : text.substr(0, e)) {
    if (c != '.') {
      shortest.digits += c;
    }
  }
  std::string_view exponentText = text.substr(e + 1);
  const bool negativeExponent = exponentText.front() == '-';
  exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  shortest.point = (negativeExponent ? -exponent : exponent) + 1;
  return shortest;
}

// Rounds the shortest decimal rather than the binary value, so a result the arithmetic meant
// as 0.00015 rounds up like the decimal it stands for, not down like its binary neighbour
// 0.000149999....
FixedDigits FourDecimals(double magnitude) {
  if (magnitude == 0) {
    return {};
  }
  FixedDigits fixed = ShortestDigits(magnitude);
  const int keep = fixed.point + CConverter::kDecimals;
  if (keep < 0) {
    return {};
  }
  const auto kept = static_cast<std::size_t>(keep);
  if (kept >= fixed.digits.size()) {
    fixed.digits.append(kept - fixed.digits.size(), '0');
    return fixed;
  }
  const bool up = fixed.digits[kept] >= '5';
  fixed.digits.resize(kept);
  if (up) {
    RoundUp(fixed);
  }
  return fixed;
}

std::string FixedText(FixedDigits fixed) {
  std::string& digits = fixed.digits;
  while (!digits.empty() && digits.back() == '0' &&
         static_cast<long>(digits.size()) > fixed.point) {
    digits.pop_back();
  }
  // A result that rounds away to nothing is still a result: an empty text would leave the
  // target field showing the previous one.
  if (digits.empty()) {
    return "0";
  }
  if (fixed.point < 0) {
    std::string text(".");
    text.append(static_cast<std::size_t>(-fixed.point), '0');
    text += digits;
    return text;
  }
  const auto point = static_cast<std::size_t>(fixed.point);
  if (point >= digits.size()) {
    digits.append(point - digits.size(), '0');
    return digits;
  }
  std::string text = digits.substr(0, point);
  text += '.';
  text += digits.substr(point);
  return text;
}

}  // namespace

std::string CConverter::CleanSource(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (c == ',' || (c == '0' && kept.empty())) {
      continue;
    }
    kept += c;
  }
  return kept;
}

bool CConverter::IsAmount(std::string_view cleaned, bool signAllowed) {
  if (signAllowed && !cleaned.empty() && cleaned.front() == '-') {
    cleaned.remove_prefix(1);
  }
  bool period = false;
  for (const char c : cleaned) {
    if (c == '.' && !period) {
      period = true;
    } else if (!IsDigit(c)) {
      return false;
    }
  }
  return true;
}

double CConverter::ReadNumber(std::string_view text) {
  std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
  if (at == std::string_view::npos) {
    return 0;
  }
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') {
    ++at;
  }
  if (at >= text.size() || !(IsDigit(text[at]) || text[at] == '.')) {
    return 0;
  }
  double value = 0;
  const auto read = std::from_chars(text.data() + at, text.data() + text.size(), value,
                                    std::chars_format::general);
  if (read.ec != std::errc{}) {
    return 0;
  }
  return negative ? -value : value;
}

std::optional<std::string> CConverter::ResultText(double value) {
  // A zero rate or factor in a damaged file divides by zero; such a result has no digits.
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const FixedDigits fixed = FourDecimals(value < 0 ? -value : value);
  if (fixed.digits.size() > kMaxResultDigits) {
    return std::nullopt;
  }
  std::string text = FixedText(fixed);
  if (value < 0 && text != "0") {
    text.insert(0, 1, '-');
  }
  return text;
}

std::optional<CConverter::Source> CConverter::Read(std::string_view text, bool zeroConverts,
                                                   bool signAllowed, IMessageSink& messages) {
  Source source{CleanSource(text)};
  if (source.cleaned.size() > kMaxSourceChars) {
    messages.Warn(kTooLarge);
    return std::nullopt;
  }
  // Read up to the first stray character, "1.2.3" would convert as 1.2.
  if (HasDigit(source.cleaned) && !IsAmount(source.cleaned, signAllowed)) {
    messages.Warn(kNotANumber);
    return std::nullopt;
  }
  source.value = ReadNumber(source.cleaned);
  // A field without a digit holds no zero to convert, only nothing.
  if (source.value == 0 && !(zeroConverts && HasDigit(text))) {
    return std::nullopt;
  }
  return source;
}

std::optional<CConverter::Texts> CConverter::Finish(double result, Source source,
                                                    IMessageSink& messages) {
  std::optional<std::string> text = ResultText(result);
  if (!text) {
    messages.Warn(kTooManyDigits);
    return std::nullopt;
  }
  return Texts{std::move(*text), std::move(source.cleaned)};
}

std::optional<CConverter::Texts> CConverter::Currency(std::string_view source, double sourceRate,
                                                      double targetRate, IMessageSink& messages) {
  std::optional<Source> read = Read(source, false, false, messages);
  if (!read) {
    return std::nullopt;
  }
  const double result = read->value * (sourceRate / targetRate);
  return Finish(result, std::move(*read), messages);
}

std::optional<CConverter::Texts> CConverter::Measure(std::string_view source,
                                                     const MeasureTerms& terms,
                                                     IMessageSink& messages) {
  std::optional<Source> read = Read(source, terms.zeroConverts, true, messages);
  if (!read) {
    return std::nullopt;
  }
  double value = read->value;
  if (terms.sourceUs) {
    value -= terms.offset;
  }
  double result = terms.sourceFactor / terms.targetFactor * value;
  if (terms.targetUs) {
    result += terms.offset;
  }
  return Finish(result, std::move(*read), messages);
}

}  // namespace zw
