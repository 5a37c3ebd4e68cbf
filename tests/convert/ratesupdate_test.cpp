// SPDX-License-Identifier: GPL-3.0-or-later
// Today's euro reference rates taken into a copy of the supplied currency table.

#include "convert/ratesupdate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "convert/currencyfile.h"
#include "convert/eurorates.h"
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
  std::string Install(const std::string& from = {}, const std::string& to = {}) {
    std::string text = m_sample;
    text.replace(text.rfind(from), from.size(), to);
    return CRatesUpdate::Install(m_files, text).error;
  }
  std::string Table() const { return ReadAll(m_dir.File("CURRENCY.DAT")); }

  const std::string m_sample = ReadAll(ZW_RATES_SAMPLE);
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FaultyFileLayer m_files;
  const bool m_copied = std::filesystem::copy_file(
      std::string(ZW_SOURCE_DATA_DIR) + "/CURRENCY.DAT", m_dir.File("CURRENCY.DAT"));
  const std::string m_before = Table();
};

TEST_F(RatesUpdate, CoveredCurrenciesTakeTheDaysRatesInTheTablesBase) {
  CCurrencyFile old;
  CCurrencyFile now;
  ASSERT_EQ(old.Load(m_files), DataFileStatus::kLoaded);
  ASSERT_EQ(Install(), "");
  ASSERT_EQ(now.Load(m_files), DataFileStatus::kLoaded);
  const EuroRates rates = *EuroRates::Parse(m_sample);
  const CRateDates dates = CRateDates::Load(m_files);
  ASSERT_EQ(now.Records().size(), old.Records().size());
  for (std::size_t i = 0; i < old.Records().size(); ++i) {
    const std::string& name = old.Records()[i].name;
    const std::string code(CRatesUpdate::CodeOf(name));
    const double perEuro = code == "EUR"                  ? 1.0
                           : rates.perEuro.contains(code) ? rates.perEuro.at(code)
                                                          : 0;
    EXPECT_EQ(now.Records()[i].name, name);
    // The table's base is the dollar: one euro buys 1.0850 of them.
    EXPECT_DOUBLE_EQ(now.Records()[i].rate, perEuro ? 1.0850 / perEuro : old.Records()[i].rate)
        << name;
    EXPECT_EQ(dates.DateOf(name), perEuro ? "2026-12-08" : "") << name;
  }
  EXPECT_EQ(std::string(CRatesUpdate::CodeOf("Euro (EUR)")) +
                std::string(CRatesUpdate::CodeOf("X (Eur)")),
            "EUR");
  // Every published rate has its currency in the table, and so has the euro.
  EXPECT_EQ(CRatesUpdate::Install(m_files, m_sample).updated.size(), rates.perEuro.size() + 1);
}

TEST_F(RatesUpdate, AnythingWrongWithTheRatesChangesNothing) {
  for (std::size_t cut = 0; cut < m_sample.find_last_not_of('\n') + 1; ++cut) {
    ASSERT_EQ(Install(m_sample.substr(cut), ""), CRatesUpdate::kIncomplete) << cut;
  }
  for (const char* bad : {"'-162.45'", "'0'", "'1e3'", "'nan'", "''", "'162,45'", "'JPY'"}) {
    EXPECT_EQ(Install("'162.45'", bad), CRatesUpdate::kIncomplete) << bad;
  }
  EXPECT_EQ(Install("'JPY'", "'USD'") + Install("'2026-12-08'", "'2026-02-30'"),
            std::string(CRatesUpdate::kIncomplete) + CRatesUpdate::kIncomplete);
  EXPECT_EQ(Install("<Cube currency='JPY'", "<Cube time='2026-12-09'/><Cube currency='JPY'"),
            CRatesUpdate::kIncomplete);
  EXPECT_EQ(Install("'USD'", "'XAU'"), CRatesUpdate::kNoBase);
  EXPECT_EQ(Install("'162.45'", "'16245'"), std::string(CRatesUpdate::kImplausible) + "Japan Yen");
  m_files.FailRename(1, FileCause::kAccessDenied);
  EXPECT_EQ(Install(), CRatesUpdate::kNotSaved);
  EXPECT_EQ(Table(), m_before);
  EXPECT_FALSE(std::filesystem::exists(m_dir.File(std::string(CRateDates::kFileName))));
  std::filesystem::remove(m_dir.File("CURRENCY.DAT"));
  EXPECT_EQ(Install(), CRatesUpdate::kNoTable);
}

}  // namespace
}  // namespace zw
