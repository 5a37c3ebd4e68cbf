// SPDX-License-Identifier: GPL-3.0-or-later
// The supplied CURRENCY.DAT and MEASURE.DAT as the converters read them.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "convert/converter.h"
#include "convert/currencyfile.h"
#include "convert/measurefile.h"
#include "platform/posixfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"

namespace zw {
namespace {

class SuppliedTables : public ::testing::Test {
 protected:
  void SetUp() override {
    // The program opens its tables by bare name in its data directory.
    test::ScopedCwd cwd(ZW_SOURCE_DATA_DIR);
    CPosixFileLayer files;
    ASSERT_EQ(m_currencies.Load(files), DataFileStatus::kLoaded);
    ASSERT_EQ(m_measures.Load(files), DataFileStatus::kLoaded);
  }

  std::size_t Line(std::string_view unit) const {
    for (const MeasureCategory& category : m_measures.Categories()) {
      for (const char system : {'1', '2', '3'}) {
        for (const MeasureUnit& u : m_measures.Units(category.code, system)) {
          if (u.name == unit) {
            return u.line;
          }
        }
      }
    }
    ADD_FAILURE() << "no unit " << unit;
    return 0;
  }

  std::size_t Position(std::string_view category) const {
    const auto categories = m_measures.Categories();
    for (std::size_t i = 0; i < categories.size(); ++i) {
      if (categories[i].name == category) {
        return i;
      }
    }
    ADD_FAILURE() << "no category " << category;
    return 0;
  }

  std::string Convert(std::string_view value, std::string_view category, std::string_view from,
                      std::string_view to) {
    test::RecordingSink messages;
    const auto texts = CConverter::Measure(
        value, m_measures.Terms(Position(category), Line(from), Line(to)), messages);
    return texts ? texts->target : messages.LastText();
  }

  CCurrencyFile m_currencies;
  CMeasureFile m_measures;
};

TEST_F(SuppliedTables, EveryCurrencyIsReadWithItsRateAndTheDescription) {
  const auto& records = m_currencies.Records();
  ASSERT_GT(records.size(), 100u);
  std::set<std::string> names;
  for (const CurrencyRecord& record : records) {
    EXPECT_FALSE(record.name.empty());
    // Every name fits the settings whole, so the choice survives a restart.
    EXPECT_LE(record.name.size(), CCurrencyFile::kStoredNameChars) << record.name;
    EXPECT_TRUE(std::isfinite(record.rate) && record.rate > 0) << record.name;
    EXPECT_TRUE(names.insert(record.name).second) << record.name;
  }
  ASSERT_TRUE(m_currencies.Description().has_value());
  EXPECT_NE(m_currencies.Description()->find("2022-09-05"), std::string::npos);
  const int dollar = m_currencies.Find("United States Dollar", -1);
  ASSERT_GE(dollar, 0);
  EXPECT_EQ(records[static_cast<std::size_t>(dollar)].rate, 1.0);

  test::RecordingSink messages;
  const int bermuda = m_currencies.Find("Bermuda Dollar", -1);
  ASSERT_GE(bermuda, 0);
  const auto texts = CConverter::Currency("1,000", records[static_cast<std::size_t>(bermuda)].rate,
                                          records[static_cast<std::size_t>(dollar)].rate, messages);
  ASSERT_TRUE(texts.has_value());
  EXPECT_EQ(texts->target, "1000");
}

TEST_F(SuppliedTables, EveryCategoryHasUnitsInEverySystem) {
  const auto categories = m_measures.Categories();
  ASSERT_EQ(categories.size(), 9u);
  EXPECT_EQ(categories[CMeasureFile::kSignedCategory].name, "Temperature");
  for (const std::string& line : m_measures.Lines()) {
    EXPECT_LE(line.size(), CMeasureFile::kMaxLineChars);
  }
  for (const MeasureCategory& category : categories) {
    for (const char system : {'1', '2', '3'}) {
      EXPECT_FALSE(m_measures.Units(category.code, system).empty())
          << category.name << " " << system;
    }
  }
}

TEST_F(SuppliedTables, TemperaturesConvertThroughTheUsOffset) {
  EXPECT_EQ(Convert("212", "Temperature", "Fahrenheit", "Celsius"), "100");
  EXPECT_EQ(Convert("0", "Temperature", "Celsius", "Fahrenheit"), "32");
  EXPECT_EQ(Convert("-40", "Temperature", "Celsius", "Fahrenheit"), "-40");
  EXPECT_EQ(Convert("32", "Temperature", "Fahrenheit", "Celsius"), "0");
  EXPECT_EQ(Convert("-10", "Temperature", "Celsius", "Fahrenheit"), "14");
  EXPECT_EQ(Convert("100", "Temperature", "Celsius",
                    "R\xe9"
                    "aumur"),
            "80");
}

TEST_F(SuppliedTables, OtherCategoriesConvertByTheirFactors) {
  EXPECT_EQ(Convert("1", "Length", "Mile", "Kilometer"), "1.6093");
  EXPECT_EQ(Convert("1", "Volume", "Gallon", "Liter"), "3.7854");
  EXPECT_EQ(Convert("1", "Weight", "Pound", "Kilogram"), ".4536");
  EXPECT_EQ(Convert("1", "Area", "Acre", "Hectare"), ".4047");
  EXPECT_EQ(Convert("1", "Pressure", "Atmosphere", "Pound per Square Inch"), "14.6959");
  EXPECT_EQ(Convert("1", "Power", "Horsepower", "Watt"), "745.6999");
  EXPECT_EQ(Convert("1,234,567.891", "Length", "Meter", "Meter"), "1234567.891");
}

}  // namespace
}  // namespace zw
