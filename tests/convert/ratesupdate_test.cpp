// Today's euro reference rates taken into a copy of the supplied currency table.

#include "convert/ratesupdate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "convert/currencyfile.h"
#include "convert/eurorates.h"
#include "convert/eurorates_sample.h"
#include "convert/ratedates.h"
#include "support/faultyfilelayer.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

namespace zw {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class RatesUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::string(ZW_SOURCE_DATA_DIR) + "/CURRENCY.DAT",
                               m_dir.File("CURRENCY.DAT"));
    m_before = ReadAll(m_dir.File("CURRENCY.DAT"));
  }
  CCurrencyFile Table() {
    CCurrencyFile table;
    EXPECT_EQ(table.Load(m_files), DataFileStatus::kLoaded);
    return table;
  }
  bool Unchanged() { return ReadAll(m_dir.File("CURRENCY.DAT")) == m_before; }

  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FaultyFileLayer m_files;
  std::string m_before;
};

TEST_F(RatesUpdate, CoveredCurrenciesTakeTheDaysRatesInTheTablesBase) {
  const CCurrencyFile old = Table();
  const auto outcome = CRatesUpdate::Install(m_files, test::kEuroRatesSample);
  ASSERT_EQ(outcome.error, "");
  const auto rates = *EuroRates::Parse(test::kEuroRatesSample);
  const CCurrencyFile now = Table();
  const CRateDates dates = CRateDates::Load(m_files);
  ASSERT_EQ(now.Records().size(), old.Records().size());
  EXPECT_EQ(now.Description(), old.Description());
  std::size_t covered = 0;
  for (std::size_t i = 0; i < old.Records().size(); ++i) {
    const std::string& name = old.Records()[i].name;
    SCOPED_TRACE(name);
    EXPECT_EQ(now.Records()[i].name, name);
    const std::string code(CRatesUpdate::CodeOf(name));
    const double perEuro = code == "EUR"                  ? 1.0
                           : rates.perEuro.contains(code) ? rates.perEuro.at(code)
                                                          : 0;
    if (perEuro == 0) {
      EXPECT_EQ(now.Records()[i].rate, old.Records()[i].rate);
      EXPECT_EQ(dates.DateOf(name), "");
      continue;
    }
    ++covered;
    EXPECT_DOUBLE_EQ(now.Records()[i].rate, 1.0850 / perEuro);
    EXPECT_EQ(dates.DateOf(name), "2026-12-08");
  }
  // Every rate published has a currency of the table, and the euro itself.
  EXPECT_EQ(covered, rates.perEuro.size() + 1);
  EXPECT_EQ(outcome.updated.size(), covered);
}

TEST_F(RatesUpdate, ADownloadCutShortAnywhereChangesNothing) {
  const std::string whole = test::kEuroRatesSample;
  const std::size_t end = whole.find_last_not_of("\n") + 1;
  for (std::size_t cut = 0; cut < end; ++cut) {
    ASSERT_EQ(CRatesUpdate::Install(m_files, whole.substr(0, cut)).error, CRatesUpdate::kIncomplete)
        << cut;
  }
  EXPECT_TRUE(Unchanged());
  EXPECT_FALSE(std::filesystem::exists(m_dir.File(std::string(CRateDates::kFileName))));
}

TEST_F(RatesUpdate, RatesThatCannotBeRightChangeNothing) {
  const std::string whole = test::kEuroRatesSample;
  const auto with = [&](const std::string& from, const std::string& to) {
    std::string text = whole;
    text.replace(text.find(from), from.size(), to);
    return CRatesUpdate::Install(m_files, text).error;
  };
  for (const char* bad : {"'-162.45'", "'0'", "'1e3'", "'nan'", "''", "'162,45'"}) {
    EXPECT_EQ(with("'162.45'", bad), CRatesUpdate::kIncomplete) << bad;
  }
  EXPECT_EQ(with("'JPY'", "'jpy'"), CRatesUpdate::kIncomplete);
  EXPECT_EQ(with("'JPY'", "'USD'"), CRatesUpdate::kIncomplete);
  EXPECT_EQ(with("'2026-12-08'", "'2026-02-30'"), CRatesUpdate::kIncomplete);
  EXPECT_EQ(with("<Cube currency='JPY'", "<Cube time='2026-12-09'/><Cube currency='JPY'"),
            CRatesUpdate::kIncomplete);
  EXPECT_EQ(with("'USD'", "'XAU'"), CRatesUpdate::kNoBase);
  EXPECT_EQ(with("'162.45'", "'16245'"), std::string(CRatesUpdate::kImplausible) + "Japan Yen");
  EXPECT_EQ(with("'1.0850'", "'0.1'"),
            std::string(CRatesUpdate::kImplausible) + "Australia Dollar");
  EXPECT_TRUE(Unchanged());
}

TEST_F(RatesUpdate, ATableThatCannotBeSavedIsKept) {
  m_files.FailRename(1, FileCause::kAccessDenied);
  EXPECT_EQ(CRatesUpdate::Install(m_files, test::kEuroRatesSample).error, CRatesUpdate::kNotSaved);
  EXPECT_TRUE(Unchanged());
  std::filesystem::remove(m_dir.File("CURRENCY.DAT"));
  EXPECT_EQ(CRatesUpdate::Install(m_files, test::kEuroRatesSample).error, CRatesUpdate::kNoTable);
}

TEST_F(RatesUpdate, DatesFileKeepsOnlyWhatReadsAsADayAndAName) {
  std::ofstream(m_dir.File(std::string(CRateDates::kFileName)))
      << "2026-12-01 Euro\njunk\n2026-12-01\n\n2026-11-30 Japan Yen";
  const CRateDates dates = CRateDates::Load(m_files);
  EXPECT_EQ(dates.DateOf("Euro"), "2026-12-01");
  EXPECT_EQ(dates.DateOf("Japan Yen"), "2026-11-30");
  EXPECT_EQ(dates.DateOf("junk"), "");
}

}  // namespace
}  // namespace zw
