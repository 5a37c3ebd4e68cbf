// SPDX-License-Identifier: GPL-3.0-or-later
// Reading CURRENCY.DAT and MEASURE.DAT, sound and damaged, as files the tests write.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "convert/currencyfile.h"
#include "convert/measurefile.h"
#include "platform/posixfilelayer.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "testtables.h"

namespace zw {
namespace {

using test::Bytes;
using test::Join;
using test::ToBytes;

Bytes Record(std::string_view name, double rate) {
  return test::CurrencyRecord(name, rate);
}

Bytes Description(std::string_view text) {
  return test::CurrencyDescription(text);
}

CCurrencyFile ParsedCurrencies(const Bytes& bytes) {
  CCurrencyFile file;
  file.Parse(bytes);
  return file;
}

CMeasureFile ParsedMeasures(std::string_view text) {
  CMeasureFile file;
  file.Parse(ToBytes(text));
  return file;
}

// Writes `bytes` as `name` in a fresh directory and makes that the working directory.
class TableDir {
 public:
  void Write(const std::string& name, const Bytes& bytes) const {
    test::WriteFile(m_dir.File(name), bytes);
  }

 private:
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
};

TEST(CurrencyFile, ReadsRecordsAndTheirDescription) {
  const CCurrencyFile file =
      ParsedCurrencies(Join({Record("Euro", 1.1), Record("Japan Yen", 0.007),
                             Record("Pound \xa3", 1.25), Description("Rates of today")}));
  ASSERT_EQ(file.Records().size(), 3u);
  EXPECT_EQ(file.Records()[0].name, "Euro");
  EXPECT_EQ(file.Records()[0].rate, 1.1);
  EXPECT_EQ(file.Records()[1].name, "Japan Yen");
  EXPECT_EQ(file.Records()[1].rate, 0.007);
  EXPECT_EQ(file.Records()[2].name, "Pound \xa3");
  EXPECT_EQ(file.Description(), "Rates of today");
}

TEST(CurrencyFile, DescriptionIsOptionalAndEndsAtItsNulOrTheFile) {
  EXPECT_EQ(ParsedCurrencies(Join({Record("Euro", 1)})).Description(), std::nullopt);
  EXPECT_EQ(ParsedCurrencies(Join({Record("Euro", 1), ToBytes("DNo end")})).Description(),
            "No end");
  EXPECT_EQ(ParsedCurrencies(Join({Record("Euro", 1), ToBytes("D")})).Description(), "");
  EXPECT_EQ(ParsedCurrencies(ToBytes(std::string("DOnly\0junk", 10))).Description(), "Only");
  // A description is only looked for where the records stop.
  EXPECT_EQ(ParsedCurrencies(Join({Record("Euro", 1), ToBytes("XDnot")})).Description(),
            std::nullopt);
}

TEST(CurrencyFile, NameWithoutNulEndsAtItsField) {
  const std::string full(39, 'N');
  const CCurrencyFile file = ParsedCurrencies(Join({Record(full, 2.5), Record("Euro", 1)}));
  ASSERT_EQ(file.Records().size(), 2u);
  EXPECT_EQ(file.Records()[0].name, full);
  EXPECT_EQ(file.Records()[0].rate, 2.5);
  EXPECT_EQ(file.Records()[1].name, "Euro");
}

TEST(CurrencyFile, StopsAtTheFirstPositionThatIsNoRecord) {
  const Bytes two = Join({Record("A", 1), Record("B", 2)});
  // Cut inside the third record: it is dropped, and no description is looked for.
  Bytes cut = Join({two, Record("C", 3), Description("late")});
  cut.resize(two.size() + 20);
  EXPECT_EQ(ParsedCurrencies(cut).Records().size(), 2u);
  EXPECT_EQ(ParsedCurrencies(cut).Description(), std::nullopt);
  // Only the marker of a third record.
  EXPECT_EQ(ParsedCurrencies(Join({two, ToBytes("R")})).Records().size(), 2u);
  // Anything but "R" ends the records, even when whole records follow.
  const CCurrencyFile stopped =
      ParsedCurrencies(Join({two, ToBytes(std::string(48, 'x')), Record("C", 3)}));
  EXPECT_EQ(stopped.Records().size(), 2u);
}

TEST(CurrencyFile, WithoutAnyRecordTheListsAreEmpty) {
  EXPECT_TRUE(ParsedCurrencies({}).Records().empty());
  EXPECT_TRUE(ParsedCurrencies(ToBytes("garbage that is no rate table")).Records().empty());
  const CCurrencyFile onlyText = ParsedCurrencies(Description("Nothing to convert"));
  EXPECT_TRUE(onlyText.Records().empty());
  EXPECT_EQ(onlyText.Description(), "Nothing to convert");
  EXPECT_EQ(onlyText.Find("Euro", 1), -1);
}

TEST(CurrencyFile, FindsTheStoredNameOrFallsBack) {
  const std::string longName = std::string(35, 'L') + "ong";
  const CCurrencyFile file =
      ParsedCurrencies(Join({Record("Euro", 1), Record("Yen", 2), Record("Euro", 3),
                             Record(longName, 4), Record("", 5)}));
  EXPECT_EQ(file.Find("Euro", 0), 0);
  EXPECT_EQ(file.Find("Yen", 0), 1);
  EXPECT_EQ(file.Find("", 0), 4);
  EXPECT_EQ(file.Find("euro", 1), 1);
  EXPECT_EQ(file.Find("Eur", 0), 0);
  // The settings keep 35 characters of a longer name.
  EXPECT_EQ(file.Find(longName.substr(0, 35), 0), 3);
  EXPECT_EQ(file.Find(longName.substr(0, 34), 1), 1);

  const CCurrencyFile one = ParsedCurrencies(Record("Euro", 1));
  EXPECT_EQ(one.Find("Dollar", 1), 0);
}

TEST(CurrencyFile, LoadsByBareNameAndWordsEveryFailure) {
  const std::string notFound =
      "The currency rate file \"CURRENCY.DAT\" is not found.  Select the popup menu command "
      "\"Update Database\" to download the currency file from the internet or visit our Web "
      "site to retrieve the file directly. Please refer to online help for further details.";
  TableDir dir;
  CPosixFileLayer files;
  CCurrencyFile file;
  EXPECT_EQ(file.Load(files), DataFileStatus::kNotFound);
  EXPECT_EQ(CCurrencyFile::Message(DataFileStatus::kNotFound), notFound);

  dir.Write("CURRENCY.DAT", {});
  EXPECT_EQ(file.Load(files), DataFileStatus::kEmpty);
  EXPECT_EQ(CCurrencyFile::Message(DataFileStatus::kEmpty), "Invalid currency file.");

  dir.Write("CURRENCY.DAT", Join({Record("Euro", 1), Record("Yen", 2)}));
  EXPECT_EQ(file.Load(files), DataFileStatus::kLoaded);
  EXPECT_EQ(file.Records().size(), 2u);
  EXPECT_EQ(CCurrencyFile::Message(DataFileStatus::kLoaded), "");

  test::FaultyFileLayer faulty;
  faulty.FailRead(1, FileCause::kHardwareIo);
  EXPECT_EQ(file.Load(faulty), DataFileStatus::kUnreadable);
  EXPECT_TRUE(file.Records().empty());
  EXPECT_EQ(CCurrencyFile::Message(DataFileStatus::kUnreadable), "Unable to read currency file.");

  Bytes huge = Join({Record("Euro", 1)});
  huge.resize(CCurrencyFile::kMaxFileBytes + 1, 'x');
  dir.Write("CURRENCY.DAT", huge);
  EXPECT_EQ(file.Load(files), DataFileStatus::kNoLength);
  EXPECT_TRUE(file.Records().empty());
  EXPECT_EQ(CCurrencyFile::Message(DataFileStatus::kNoLength),
            "Unable to determine currency file length.");
}

constexpr const char* kTable =
    "L 0 0          Length\r\n"
    "T 0 32         Temperature\r\n"
    "L 1 0.001      Millimeter\r\n"
    "L 1 1000       Kilometer\r\n"
    "L 2 1609.344   Mile\r\n"
    "T 1 1          Celsius\r\n"
    "T 2 0.5555556  Fahrenheit\r\n"
    "L 1 1          Meter\r\n";

TEST(MeasureFile, ReadsTitlesAndUnitsByTheirColumns) {
  const CMeasureFile file = ParsedMeasures(kTable);
  ASSERT_EQ(file.Lines().size(), 8u);
  const auto categories = file.Categories();
  ASSERT_EQ(categories.size(), 2u);
  EXPECT_EQ(categories[0].code, 'L');
  EXPECT_EQ(categories[0].name, "Length");
  EXPECT_EQ(categories[1].code, 'T');
  EXPECT_EQ(categories[1].name, "Temperature");

  const auto metric = file.Units('L', '1');
  ASSERT_EQ(metric.size(), 3u);
  EXPECT_EQ(metric[0].name, "Millimeter");
  EXPECT_EQ(metric[0].line, 2u);
  EXPECT_EQ(metric[2].name, "Meter");
  EXPECT_EQ(metric[2].line, 7u);
  EXPECT_EQ(file.Units('L', '3').size(), 0u);
  EXPECT_EQ(file.Units('X', '1').size(), 0u);

  EXPECT_EQ(file.Number(2), 0.001);
  EXPECT_EQ(file.Number(4), 1609.344);
  EXPECT_EQ(file.Number(1), 32);
  EXPECT_EQ(file.Number(99), 0);
}

TEST(MeasureFile, TermsTakeTheOffsetFromTheLineOfTheCategorysPosition) {
  const CMeasureFile file = ParsedMeasures(kTable);
  const MeasureTerms toCelsius = file.Terms(1, 6, 5);
  EXPECT_EQ(toCelsius.sourceFactor, 0.5555556);
  EXPECT_EQ(toCelsius.targetFactor, 1);
  EXPECT_TRUE(toCelsius.sourceUs);
  EXPECT_FALSE(toCelsius.targetUs);
  EXPECT_EQ(toCelsius.offset, 32);
  EXPECT_FALSE(toCelsius.zeroConverts);
  EXPECT_EQ(file.Terms(0, 4, 3).offset, 0);
  EXPECT_TRUE(file.Terms(4, 4, 3).zeroConverts);
}

TEST(MeasureFile, LinesEndAtTheirCarriageReturn) {
  // Without CR nothing is a line; after the last CR nothing either.
  EXPECT_TRUE(ParsedMeasures("L 0 0          Length\n").Lines().empty());
  EXPECT_EQ(ParsedMeasures("L 0 0          Length\r\nL 1 1          Meter").Lines().size(), 1u);
  // The byte after a CR is skipped whatever it is; a CR at the very end ends the last line.
  const CMeasureFile loose = ParsedMeasures("L 0 0          A\rXL 0 0          B\r");
  ASSERT_EQ(loose.Lines().size(), 2u);
  EXPECT_EQ(loose.Lines()[1], "L 0 0          B");
  const CMeasureFile blank = ParsedMeasures("\r\n\r\nL 0 0          Length\r\n");
  ASSERT_EQ(blank.Lines().size(), 3u);
  EXPECT_EQ(blank.Categories().size(), 1u);
}

TEST(MeasureFile, DamagedLinesAreCutNotOverrun) {
  const std::string longName(60, 'n');
  std::string text("L 0 0          ");
  text.append(longName).append("\r\n");                         // longer than 44: cut
  text.append("L\r\n");                                         // too short for a system
  text.append("L 1\r\n");                                       // no number, no name
  text.append("L 1 12345678901234567890 Overlong number\r\n");  // the number ends at 13
  text.append(std::string_view("L 1 2          Na\0me\r\n", 22));
  const CMeasureFile file = ParsedMeasures(text);
  ASSERT_EQ(file.Lines().size(), 5u);
  EXPECT_EQ(file.Lines()[0].size(), CMeasureFile::kMaxLineChars);
  ASSERT_EQ(file.Categories().size(), 1u);
  EXPECT_EQ(file.Categories()[0].name, longName.substr(0, 29));
  const auto units = file.Units('L', '1');
  ASSERT_EQ(units.size(), 3u);
  EXPECT_EQ(units[0].name, "");
  EXPECT_EQ(file.Number(2), 0);
  EXPECT_EQ(file.Number(3), 1234567890);
  EXPECT_EQ(units[1].name, "234567890 Overlong number");
  EXPECT_EQ(units[2].name, "Na");
}

TEST(MeasureFile, LoadsByBareNameAndWordsEveryFailure) {
  TableDir dir;
  CPosixFileLayer files;
  CMeasureFile file;
  EXPECT_EQ(file.Load(files), DataFileStatus::kNotFound);
  EXPECT_EQ(CMeasureFile::Message(DataFileStatus::kNotFound),
            "The measurement file \"MEASURE.DAT\" is not found.");

  dir.Write("MEASURE.DAT", {});
  EXPECT_EQ(file.Load(files), DataFileStatus::kEmpty);
  EXPECT_EQ(CMeasureFile::Message(DataFileStatus::kEmpty), "Invalid measurement file.");

  dir.Write("MEASURE.DAT", ToBytes(kTable));
  EXPECT_EQ(file.Load(files), DataFileStatus::kLoaded);
  EXPECT_EQ(file.Lines().size(), 8u);

  test::FaultyFileLayer faulty;
  faulty.FailRead(1, FileCause::kHardwareIo);
  EXPECT_EQ(file.Load(faulty), DataFileStatus::kUnreadable);
  EXPECT_TRUE(file.Lines().empty());
  EXPECT_EQ(CMeasureFile::Message(DataFileStatus::kUnreadable), "Unable to read measurement file.");

  Bytes huge = ToBytes(kTable);
  huge.resize(CMeasureFile::kMaxFileBytes + 1, '\r');
  dir.Write("MEASURE.DAT", huge);
  EXPECT_EQ(file.Load(files), DataFileStatus::kNoLength);
  EXPECT_TRUE(file.Lines().empty());
  EXPECT_EQ(CMeasureFile::Message(DataFileStatus::kNoLength),
            "Unable to determine measurement file length.");
}

// Bytes drawn mostly from the characters the formats give meaning to.
Bytes RandomBytes(std::mt19937& random) {
  static constexpr char kMeaningful[] = "RD\r\n0123 .-LT";
  std::uniform_int_distribution<int> length(0, 600);
  std::uniform_int_distribution<int> pick(0, 3);
  std::uniform_int_distribution<int> any(0, 255);
  std::uniform_int_distribution<int> meaningful(0, sizeof kMeaningful - 2);
  Bytes bytes(static_cast<std::size_t>(length(random)));
  for (std::uint8_t& b : bytes) {
    b = static_cast<std::uint8_t>(pick(random) == 0 ? any(random)
                                                    : kMeaningful[meaningful(random)]);
  }
  return bytes;
}

TEST(TableFiles, RandomBytesGiveBoundedTablesAndSafeConversions) {
  std::mt19937 random(20261208);
  test::RecordingSink messages;
  for (int round = 0; round < 3000; ++round) {
    const Bytes bytes = RandomBytes(random);

    const CCurrencyFile currencies = ParsedCurrencies(bytes);
    EXPECT_LE(currencies.Records().size() * CCurrencyFile::kRecordSize, bytes.size());
    for (const CurrencyRecord& record : currencies.Records()) {
      EXPECT_LE(record.name.size(), CCurrencyFile::kNameBytes);
      CConverter::Currency("1234.5", record.rate, currencies.Records().front().rate, messages);
    }
    currencies.Find("R", 1);

    CMeasureFile measures;
    measures.Parse(bytes);
    const auto categories = measures.Categories();
    for (const std::string& line : measures.Lines()) {
      EXPECT_LE(line.size(), CMeasureFile::kMaxLineChars);
    }
    for (std::size_t c = 0; c < categories.size(); ++c) {
      for (const char system : {'1', '2', '3'}) {
        for (const MeasureUnit& unit : measures.Units(categories[c].code, system)) {
          EXPECT_LT(unit.line, measures.Lines().size());
          CConverter::Measure("-12.5", measures.Terms(c, unit.line, 0), messages);
        }
      }
    }
  }
}

}  // namespace
}  // namespace zw
