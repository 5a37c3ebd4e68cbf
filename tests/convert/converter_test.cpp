// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic and the texts of both converters, without their dialogs.

#include "convert/converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "convert/formatgrouped.h"
#include "support/recordingsink.h"

namespace zw {
namespace {

using Kind = test::RecordingSink::Kind;

TEST(ConverterClean, DropsCommasAndLeadingZerosOnly) {
  EXPECT_EQ(CConverter::CleanSource("0001,234.50"), "1234.50");
  EXPECT_EQ(CConverter::CleanSource("1,000"), "1000");
  EXPECT_EQ(CConverter::CleanSource("0.05"), ".05");
  EXPECT_EQ(CConverter::CleanSource("000"), "");
  EXPECT_EQ(CConverter::CleanSource("0,0,10"), "10");
  EXPECT_EQ(CConverter::CleanSource("-005"), "-005");
  EXPECT_EQ(CConverter::CleanSource("1.2.3,0"), "1.2.30");
  EXPECT_EQ(CConverter::CleanSource("0a0 b"), "a0 b");
}

TEST(ConverterReadNumber, ReadsTheNumberAtTheStart) {
  EXPECT_EQ(CConverter::ReadNumber("1234.50"), 1234.5);
  EXPECT_EQ(CConverter::ReadNumber(".5"), 0.5);
  EXPECT_EQ(CConverter::ReadNumber("-12"), -12);
  EXPECT_EQ(CConverter::ReadNumber("+7"), 7);
  EXPECT_EQ(CConverter::ReadNumber("  32        "), 32);
  EXPECT_EQ(CConverter::ReadNumber("1.2.3"), 1.2);
  EXPECT_EQ(CConverter::ReadNumber("12-3"), 12);
  EXPECT_EQ(CConverter::ReadNumber("1e3"), 1000);
}

TEST(ConverterReadNumber, TextWithoutANumberIsZero) {
  for (const char* text : {"", "-", ".", "-.", "abc", "inf", "-nan", "infinity", " ", "1e999"}) {
    EXPECT_EQ(CConverter::ReadNumber(text), 0) << text;
  }
}

TEST(ConverterResult, FourDecimalsWithoutLeadingOrTrailingZeros) {
  EXPECT_EQ(CConverter::ResultText(1.0 / 3.0), ".3333");
  EXPECT_EQ(CConverter::ResultText(2.0 / 3.0), ".6667");
  EXPECT_EQ(CConverter::ResultText(10), "10");
  EXPECT_EQ(CConverter::ResultText(2), "2");
  EXPECT_EQ(CConverter::ResultText(100), "100");
  EXPECT_EQ(CConverter::ResultText(0.5), ".5");
  EXPECT_EQ(CConverter::ResultText(0.0012), ".0012");
  EXPECT_EQ(CConverter::ResultText(1234.5), "1234.5");
  EXPECT_EQ(CConverter::ResultText(1234567.891), "1234567.891");
  EXPECT_EQ(CConverter::ResultText(1.60934), "1.6093");
}

TEST(ConverterResult, RoundsHalfWaysUpAsTheirDecimalsRead) {
  EXPECT_EQ(CConverter::ResultText(0.00005), ".0001");
  EXPECT_EQ(CConverter::ResultText(0.00015), ".0002");
  EXPECT_EQ(CConverter::ResultText(1.00005), "1.0001");
  EXPECT_EQ(CConverter::ResultText(0.000049), "0");
  EXPECT_EQ(CConverter::ResultText(9.99995), "10");
  EXPECT_EQ(CConverter::ResultText(0.99999), "1");
  EXPECT_EQ(CConverter::ResultText(99.999951), "100");
}

TEST(ConverterResult, NegativeResultsCarryTheirSignButZeroDoesNot) {
  EXPECT_EQ(CConverter::ResultText(-40), "-40");
  EXPECT_EQ(CConverter::ResultText(-0.5), "-.5");
  EXPECT_EQ(CConverter::ResultText(-17.77777), "-17.7778");
  EXPECT_EQ(CConverter::ResultText(-0.00001), "0");
  EXPECT_EQ(CConverter::ResultText(-0.0), "0");
  EXPECT_EQ(CConverter::ResultText(0), "0");
  EXPECT_EQ(CConverter::ResultText(1e-300), "0");
}

TEST(ConverterResult, EighteenDigitsAtMost) {
  EXPECT_EQ(CConverter::ResultText(999999999.9999), "999999999.9999");
  EXPECT_EQ(CConverter::ResultText(-999999999.9999), "-999999999.9999");
  // 50,000 dollars in rials.
  EXPECT_EQ(CConverter::ResultText(50000 * 42105.0), "2105250000");
  EXPECT_EQ(CConverter::ResultText(99999999999999.98), "99999999999999.98");
  EXPECT_EQ(CConverter::ResultText(1e14), std::nullopt);
  // Rounding adds the nineteenth digit.
  EXPECT_EQ(CConverter::ResultText(99999999999999.99996), std::nullopt);
  EXPECT_EQ(CConverter::ResultText(1e300), std::nullopt);
  EXPECT_EQ(CConverter::ResultText(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(CConverter::ResultText(-std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(CConverter::ResultText(std::nan("")), std::nullopt);
}

struct CurrencyCase {
  const char* source;
  double sourceRate;
  double targetRate;
  const char* target;
  const char* cleaned;
};

TEST(ConverterCurrency, ConvertsByTheRatioOfTheRates) {
  const CurrencyCase cases[] = {
      {"16", 1, 1.6, "10", "16"},
      {"1,000", 1, 1.6, "625", "1000"},
      {"1", 1, 3, ".3333", "1"},
      {"0001,234.50", 1, 1, "1234.5", "1234.50"},
      {"1", 1, 0.5, "2", "1"},
      {"123456789.123", 1, 1, "123456789.123", "123456789.123"},
      // Cleaning comes before the length is measured.
      {"000000000000001", 1, 1, "1", "1"},
      {"50,000", 42105, 1, "2105250000", "50000"},
  };
  for (const CurrencyCase& c : cases) {
    test::RecordingSink messages;
    const auto texts = CConverter::Currency(c.source, c.sourceRate, c.targetRate, messages);
    ASSERT_TRUE(texts.has_value()) << c.source;
    EXPECT_EQ(texts->target, c.target) << c.source;
    EXPECT_EQ(texts->source, c.cleaned) << c.source;
    EXPECT_TRUE(messages.Messages().empty()) << c.source;
  }
}

TEST(ConverterCurrency, NothingToConvertIsSilent) {
  for (const char* source : {"", "0", "000", "0.0000", ",", "-", "abc"}) {
    test::RecordingSink messages;
    EXPECT_EQ(CConverter::Currency(source, 1, 2, messages), std::nullopt) << source;
    EXPECT_TRUE(messages.Messages().empty()) << source;
  }
}

// Read up to their first stray character these would convert as something never entered.
TEST(ConverterCurrency, WhatIsNoAmountIsRefused) {
  for (const char* source : {"1.2.3", "12abc", "1e5", "-5", "12-3", "1 2", "1..2"}) {
    test::RecordingSink messages;
    EXPECT_EQ(CConverter::Currency(source, 2, 1, messages), std::nullopt) << source;
    EXPECT_EQ(messages.LastText(), "Please enter a number.") << source;
  }
  test::RecordingSink messages;
  EXPECT_EQ(CConverter::Measure("-5.5", MeasureTerms{}, messages)->target, "-5.5");
  EXPECT_EQ(CConverter::Measure("5-", MeasureTerms{}, messages), std::nullopt);
  EXPECT_EQ(messages.LastText(), "Please enter a number.");
}

TEST(ConverterCurrency, TooLongAnAmountIsRefused) {
  test::RecordingSink messages;
  EXPECT_EQ(CConverter::Currency("12345678901.23", 1, 1, messages), std::nullopt);
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0].kind, Kind::kWarn);
  EXPECT_EQ(messages.LastText(),
            "Number entered is too large.  Please choose a number with 12 or fewer digits.");
}

TEST(ConverterCurrency, TooLargeAResultIsRefused) {
  const CurrencyCase cases[] = {
      {"999999999999", 1000, 1, "", ""},
      {"1000000", 1e9, 1, "", ""},
      // A damaged table: a zero rate divides by zero.
      {"5", 1, 0, "", ""},
      {"5", 0, 0, "", ""},
  };
  for (const CurrencyCase& c : cases) {
    test::RecordingSink messages;
    EXPECT_EQ(CConverter::Currency(c.source, c.sourceRate, c.targetRate, messages), std::nullopt);
    EXPECT_EQ(messages.LastText(),
              "Too many digits in the result.  Please enter a smaller number to convert.");
  }
}

// Celsius (Metric, 1), Fahrenheit (U.S., 0.5555556), offset 32: the temperatures of the
// category at list position 4.
MeasureTerms Temperature(bool fromFahrenheit, bool toFahrenheit) {
  MeasureTerms terms;
  terms.sourceFactor = fromFahrenheit ? 0.5555556 : 1;
  terms.targetFactor = toFahrenheit ? 0.5555556 : 1;
  terms.sourceUs = fromFahrenheit;
  terms.targetUs = toFahrenheit;
  terms.offset = 32;
  terms.zeroConverts = true;
  return terms;
}

std::string Measured(std::string_view source, const MeasureTerms& terms) {
  test::RecordingSink messages;
  const auto texts = CConverter::Measure(source, terms, messages);
  EXPECT_TRUE(messages.Messages().empty()) << messages.LastText();
  return texts ? texts->target : "(nothing)";
}

TEST(ConverterMeasure, TemperaturesShiftByTheUsOffset) {
  EXPECT_EQ(Measured("212", Temperature(true, false)), "100");
  EXPECT_EQ(Measured("32", Temperature(true, false)), "0");
  EXPECT_EQ(Measured("0", Temperature(false, true)), "32");
  EXPECT_EQ(Measured("-40", Temperature(false, true)), "-40");
  EXPECT_EQ(Measured("-40", Temperature(true, false)), "-40");
  EXPECT_EQ(Measured("0", Temperature(true, false)), "-17.7778");
  EXPECT_EQ(Measured("-273.15", Temperature(false, true)), "-459.67");
  EXPECT_EQ(Measured("100", Temperature(false, false)), "100");
}

TEST(ConverterMeasure, ZeroIsConvertedOnlyWhereScalesDifferInTheirZero) {
  MeasureTerms length;
  length.sourceFactor = 1000;
  length.targetFactor = 1;
  EXPECT_EQ(Measured("0", length), "(nothing)");
  EXPECT_EQ(Measured("0.000", length), "(nothing)");
  EXPECT_EQ(Measured("1.5", length), "1500");
  // An empty or digitless field holds no zero, not even for temperatures.
  for (const char* nothing : {"", "-", ".", "-."}) {
    EXPECT_EQ(Measured(nothing, Temperature(false, true)), "(nothing)") << nothing;
  }
  test::RecordingSink messages;
  const auto zero = CConverter::Measure("000", Temperature(false, true), messages);
  ASSERT_TRUE(zero.has_value());
  EXPECT_EQ(zero->target, "32");
  EXPECT_EQ(zero->source, "");
}

TEST(ConverterMeasure, RefusesLikeTheCurrencies) {
  test::RecordingSink messages;
  EXPECT_EQ(CConverter::Measure("-12345678901.5", Temperature(false, true), messages),
            std::nullopt);
  MeasureTerms zeroFactor;
  zeroFactor.targetFactor = 0;
  EXPECT_EQ(CConverter::Measure("3", zeroFactor, messages), std::nullopt);
  ASSERT_EQ(messages.Messages().size(), 2u);
  EXPECT_EQ(messages.Messages()[0].text, CConverter::kTooLarge);
  EXPECT_EQ(messages.Messages()[1].text, CConverter::kTooManyDigits);
}

TEST(FormatGrouped, GroupsTheIntegerPartInThousands) {
  EXPECT_EQ(FormatGrouped("1234567.891", ""), "1,234,567.891");
  EXPECT_EQ(FormatGrouped("1234.50", ""), "1,234.50");
  EXPECT_EQ(FormatGrouped("1000000", ""), "1,000,000");
  EXPECT_EQ(FormatGrouped("123456", ""), "123,456");
  EXPECT_EQ(FormatGrouped("123", ""), "123");
  EXPECT_EQ(FormatGrouped("12", ""), "12");
  EXPECT_EQ(FormatGrouped(".3333", ""), ".3333");
  EXPECT_EQ(FormatGrouped("1,2,3,4", ""), "1,234");
  // Only the first period counts; what follows it stays as it is.
  EXPECT_EQ(FormatGrouped("1234.5678,9.1", ""), "1,234.5678,9.1");
}

TEST(FormatGrouped, EmptyTextRegroupsTheFieldsOwn) {
  EXPECT_EQ(FormatGrouped("", "1234"), "1,234");
  EXPECT_EQ(FormatGrouped("", "000"), "000");
  EXPECT_EQ(FormatGrouped("", ""), "");
  EXPECT_EQ(FormatGrouped("5", "1234"), "5");
}

TEST(FormatGrouped, SignStaysOutOfTheGroups) {
  EXPECT_EQ(FormatGrouped("-123", ""), "-123");
  EXPECT_EQ(FormatGrouped("-1234.5", ""), "-1,234.5");
  EXPECT_EQ(FormatGrouped("-123456789", ""), "-123,456,789");
  EXPECT_EQ(FormatGrouped("-.5", ""), "-.5");
}

}  // namespace
}  // namespace zw
