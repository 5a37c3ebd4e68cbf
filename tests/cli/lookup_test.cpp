// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "cli/clierror.h"
#include "cli/conversionlookup.h"
#include "cli/findcommand.h"
#include "cli/latin1.h"
#include "cli/locationlookup.h"
#include "convert/currencyfile.h"
#include "convert/measurefile.h"
#include "platform/posixfilelayer.h"
#include "support/scopedcwd.h"
#include "testworld.h"

using namespace zw;

namespace {

class Lookup : public testing::Test {
 protected:
  // The places found for `text`, as zw prints them; the error message when there is none.
  std::string Found(std::string_view text) const {
    try {
      return CLocationLookup::Place(*CLocationLookup(*m_db).Find(text));
    } catch (const CCliError& error) {
      EXPECT_EQ(error.GetStatus(), CCliError::kNotFound);
      return error.what();
    }
  }

  std::unique_ptr<CLocationDB> m_db = test::MakeWorld();
};

TEST_F(Lookup, PrefersTheExactSpellingThenIgnoresCase) {
  EXPECT_EQ(Found("Tokyo"), "Tokyo, Japan");
  EXPECT_EQ(Found("tOKYO"), "Tokyo, Japan");
  EXPECT_EQ(Found("z\xDCRICH"), "Z\xFCrich, Switzerland");
  EXPECT_EQ(Found("  London  "), "London, United Kingdom");
  EXPECT_EQ(Found("Base Camp"), "Base Camp");
  EXPECT_EQ(Found("212"), "212, New York");
  // "New York" is a city and a region of area codes; only the city bears the name.
  EXPECT_EQ(Found("New York"), "New York, United States");
}

TEST_F(Lookup, TellsSharedNamesApartByCountry) {
  EXPECT_EQ(Found("Valencia,Spain"), "Valencia, Spain");
  EXPECT_EQ(Found("valencia, venezuela"), "Valencia, Venezuela");
  // What zw prints can be typed back.
  EXPECT_EQ(Found(Found("Valencia, Spain")), "Valencia, Spain");
  EXPECT_EQ(Found("Valencia"),
            "\"Valencia\" names 2 locations; name one with its country:\n"
            "  Valencia, Spain\n"
            "  Valencia, Venezuela");
  EXPECT_EQ(Found("Valencia, France"), "no location is named \"Valencia, France\"");
  EXPECT_EQ(Found("Toky"), "no location is named \"Toky\"");
  EXPECT_EQ(Found(""), "no location is named \"\"");
}

TEST_F(Lookup, FindsNamesAndCountriesHoldingTheText) {
  const auto places = [&](std::string_view text) {
    std::vector<std::string> found;
    for (const CLocation* location : CFindCommand::Search(*m_db, text)) {
      found.push_back(CLocationLookup::Place(*location));
    }
    return found;
  };
  EXPECT_EQ(places("new york"),
            (std::vector<std::string>{"New York, United States", "212, New York"}));
  EXPECT_EQ(places("VALENCIA"),
            (std::vector<std::string>{"Valencia, Spain", "Valencia, Venezuela"}));
  EXPECT_EQ(places("\xFC"), std::vector<std::string>{"Z\xFCrich, Switzerland"});
  EXPECT_TRUE(places("Atlantis").empty());
}

class Conversions : public testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::uint8_t> currency = test::CurrencyBytes(test::TestCurrencies());
    m_currencies.Parse(currency);
    const std::string measure = test::MeasureText();
    m_measures.Parse({reinterpret_cast<const std::uint8_t*>(measure.data()), measure.size()});
  }

  CConversionLookup::Plan Resolve(std::string_view from, std::string_view to) const {
    return CConversionLookup(m_currencies, m_measures).Resolve(from, to);
  }
  std::string Refusal(std::string_view from, std::string_view to) const {
    try {
      Resolve(from, to);
    } catch (const CCliError& error) {
      EXPECT_EQ(error.GetStatus(), CCliError::kNotFound);
      return error.what();
    }
    return {};
  }

  CCurrencyFile m_currencies;
  CMeasureFile m_measures;
};

TEST_F(Conversions, NamesCurrenciesByNameOrTheirIsoCode) {
  const auto plan = Resolve("usd", "Euro (EUR)");
  EXPECT_TRUE(plan.currency);
  EXPECT_EQ(plan.category, "Currency");
  EXPECT_EQ(plan.from, "United States Dollar (USD)");
  EXPECT_EQ(plan.to, "Euro (EUR)");
  EXPECT_EQ(plan.sourceRate, 1);
  EXPECT_EQ(plan.targetRate, 1.6);
  EXPECT_FALSE(plan.allowsNegative);
  EXPECT_EQ(Resolve("t\xFCrkiye lira", "EUR").from, "T\xFCrkiye Lira");
  EXPECT_EQ(CConversionLookup::IsoCode("Euro (EUR)"), "EUR");
  EXPECT_EQ(CConversionLookup::IsoCode("Central Africa CFA Franc"), "");
  EXPECT_EQ(CConversionLookup::IsoCode("Odd (Eur)"), "");
}

TEST_F(Conversions, NamesUnitsWithinOneCategory) {
  const auto feet = Resolve("meter", "Foot");
  EXPECT_FALSE(feet.currency);
  EXPECT_EQ(feet.category, "Length");
  EXPECT_EQ(feet.terms.sourceFactor, 1);
  EXPECT_EQ(feet.terms.targetFactor, 0.3048);
  EXPECT_FALSE(feet.allowsNegative);

  const auto temperature = Resolve("Fahrenheit",
                                   "R\xE9"
                                   "aumur");
  EXPECT_EQ(temperature.category, "Temperature");
  EXPECT_TRUE(temperature.terms.sourceUs);
  EXPECT_EQ(temperature.terms.offset, 32);
  EXPECT_TRUE(temperature.allowsNegative);

  // An ounce weighs or holds, whichever the other unit says.
  EXPECT_EQ(Resolve("Ounce", "Gram").category, "Weight");
  EXPECT_EQ(Resolve("Milliliter", "Ounce").category, "Volume");
  EXPECT_EQ(Refusal("Ounce", "Ounce"),
            "\"Ounce\" and \"Ounce\" name units of more than one category");
  EXPECT_EQ(Refusal("Meter", "Celsius"), "\"Meter\" cannot be converted to \"Celsius\"");
  EXPECT_EQ(Refusal("Meter", "Euro (EUR)"), "\"Meter\" cannot be converted to \"Euro (EUR)\"");
  EXPECT_EQ(Refusal("Cubit", "Meter"), "no currency or unit is named \"Cubit\"");
  EXPECT_EQ(Refusal("Meter", "Cubit"), "no currency or unit is named \"Cubit\"");
}

// The names people write: ISO codes for every currency of the supplied rate file, as the
// generator's table pairs them, and the usual symbols of units.
TEST(SuppliedConversions, NamesCurrenciesByIsoCodeAndUnitsBySymbol) {
  CPosixFileLayer files;
  test::ScopedCwd cwd(ZW_SOURCE_DATA_DIR);
  CCurrencyFile currencies;
  ASSERT_EQ(currencies.Load(files), DataFileStatus::kLoaded);
  CMeasureFile measures;
  ASSERT_EQ(measures.Load(files), DataFileStatus::kLoaded);
  const CConversionLookup lookup(currencies, measures);

  std::ifstream table(std::string(ZW_TOOLS_DIR) + "/currency_table.txt");
  const std::regex line(R"(^([A-Z]{3})\s+\S+\s+(.+?)\s*$)");
  std::size_t codes = 0;
  for (std::string text; std::getline(table, text);) {
    std::smatch match;
    if (!std::regex_match(text, match, line)) {
      continue;
    }
    SCOPED_TRACE(text);
    const CConversionLookup::Plan plan = lookup.Resolve(match[1].str(), "usd");
    EXPECT_EQ(CLatin1::ToUtf8(plan.from), match[2].str());
    EXPECT_EQ(plan.ratesDate, "2022-09-05");
    ++codes;
  }
  EXPECT_EQ(codes, currencies.Records().size());

  const struct {
    const char* from;
    const char* to;
    const char* category;
  } units[] = {
      {"km", "mi", "Length"},
      {"mm", "in", "Length"},
      {"ha", "ac", "Area"},
      {"L", "gal", "Volume"},
      {"mL", "fl oz", "Volume"},
      {"kg", "lb", "Weight"},
      {"\xB0"
       "C",
       "\xB0"
       "F",
       "Temperature"},
      {"km/h", "mph", "Speed"},
      {"psi", "kPa", "Pressure"},
      {"kWh", "BTU", "Energy"},
      {"hp", "kW", "Power"},
  };
  for (const auto& u : units) {
    SCOPED_TRACE(u.from);
    const CConversionLookup::Plan plan = lookup.Resolve(u.from, u.to);
    EXPECT_EQ(plan.category, u.category);
    EXPECT_FALSE(plan.currency);
  }
}

}  // namespace
