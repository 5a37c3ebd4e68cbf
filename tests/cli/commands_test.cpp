// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/changescommand.h"
#include "cli/clierror.h"
#include "cli/comparecommand.h"
#include "cli/convertcommand.h"
#include "cli/eventscommand.h"
#include "cli/locationlookup.h"
#include "cli/plancommand.h"
#include "cli/readonlyfiles.h"
#include "cli/timescommand.h"
#include "cli/zwprogram.h"
#include "convert/currencyfile.h"
#include "convert/measurefile.h"
#include "convert/ratedates.h"
#include "events/eventlist.h"
#include "events/icalendar.h"
#include "jsonreader.h"
#include "support/fakeclock.h"
#include "support/tempdir.h"
#include "testworld.h"

using namespace zw;

namespace {

std::string LastLine(const std::string& text) {
  const std::size_t start = text.rfind('\n', text.size() - 2);
  return text.substr(start + 1);
}

class Commands : public testing::Test {
 protected:
  CLocation* At(std::string_view name) const { return CLocationLookup(*m_db).Find(name); }

  std::string Times(const std::vector<std::string_view>& names, const CDateTime& gmt,
                    bool json = false) const {
    std::vector<CLocation*> locations;
    for (const std::string_view name : names) {
      locations.push_back(At(name));
    }
    std::ostringstream out;
    CTimesCommand::Write(locations, gmt, m_options, json, out);
    return out.str();
  }

  std::unique_ptr<CLocationDB> m_db = test::MakeWorld();
  DisplayOptions m_options;
};

TEST_F(Commands, ListsEachPlacesComingChangesInOrder) {
  std::ostringstream out;
  CChangesCommand::Write({At("New York"), At("Adelaide"), At("Tokyo")},
                         CDateTime(2026, 1, 1, 0, 0, 0), 365, false, out);
  EXPECT_EQ(out.str(),
            "New York, United States  GMT-5:00 -> GMT-4:00   Clocks go forward 1 h on Sun 8 Mar "
            "2026 at 02:00 local\n"
            "New York, United States  GMT-4:00 -> GMT-5:00   Clocks go back 1 h on Sun 1 Nov 2026 "
            "at 02:00 local\n"
            "Adelaide, Australia      GMT+10:30 -> GMT+9:30  Clocks go back 1 h on Sun 5 Apr 2026 "
            "at 03:00 local\n"
            "Adelaide, Australia      GMT+9:30 -> GMT+10:30  Clocks go forward 1 h on Sun 4 Oct "
            "2026 at 02:00 local\n"
            "Tokyo, Japan                                    No change of offset coming\n");
}

TEST_F(Commands, PlansTheHoursGoodForEveryone) {
  std::ostringstream out;
  CPlanCommand::Write({At("London"), At("New York")}, CDateTime(2026, 1, 12, 0, 0, 0), true, out);
  const auto json = test::JsonReader::Parse(out.str());
  ASSERT_TRUE(json);
  EXPECT_EQ((*json)["places"][1]["hours"][0]["local"].text, "2026-01-11T19:00:00");
  EXPECT_EQ((*json)["places"][1]["hours"][0]["dayShift"].number, -1);
  EXPECT_EQ((*json)["goodForAll"].items.size(), 3u);
  EXPECT_EQ((*json)["goodForAll"][0].text, "2026-01-12T14:00:00Z");
  std::ostringstream text;
  CPlanCommand::Write({At("London"), At("New York")}, CDateTime(2026, 1, 12, 0, 0, 0), false, text);
  EXPECT_EQ(LastLine(text.str()),
            "Good for all: 14:00 15:00 16:00 (London, United Kingdom time)\n");
}

TEST_F(Commands, FollowsTheDisplayChoices) {
  const CDateTime july(2026, 7, 15, 12, 0, 0);
  m_options.hour24 = true;
  m_options.dateOrder = CDateTime::kYearMonthDay;
  m_options.showSeconds = false;
  m_options.fourDigitYears = false;
  EXPECT_EQ(Times({"Z\xFCrich"}, july), "Zürich, Switzerland  26-07-15  14:00  GMT+2:00  DST\n");
  m_options.hour24 = false;
  m_options.leadingZeros = false;
  m_options.dateOrder = CDateTime::kMonthDayYear;
  EXPECT_EQ(Times({"Tokyo"}, CDateTime(2026, 1, 5, 0, 5, 0)),
            "Tokyo, Japan  1/5/26   9:05 AM  GMT+9:00\n");
}

TEST_F(Commands, WritesTheSameAsJson) {
  const auto json = test::JsonReader::Parse(
      Times({"St. John's", "Z\xFCrich"}, CDateTime(2026, 7, 15, 12, 0, 0), true));
  ASSERT_TRUE(json);
  ASSERT_EQ(json->items.size(), 2u);
  const test::JsonValue& first = (*json)[0];
  EXPECT_EQ(first["name"].text, "St. John's");
  EXPECT_EQ(first["country"].text, "Canada");
  EXPECT_EQ(first["date"].text, "07/15/2026");
  EXPECT_EQ(first["time"].text, "09:30:00 AM");
  EXPECT_EQ(first["offset"].text, "GMT-2:30");
  EXPECT_EQ(first["offset_minutes"].number, -150);
  EXPECT_TRUE(first["dst"].boolean);
  EXPECT_EQ(first["local"].text, "2026-07-15T09:30:00");
  EXPECT_EQ(first["utc"].text, "2026-07-15T12:00:00Z");
  EXPECT_EQ((*json)[1]["name"].text, "Zürich");
}

// A place without a country reads as its bare name; a place compared with itself has no
// sentence.
TEST_F(Commands, ComparesWithTheDialogsSentence) {
  const auto compare = [&](std::string_view a, std::string_view b, const CDateTime& gmt) {
    std::ostringstream out;
    CCompareCommand::Write(*At(a), *At(b), gmt, m_options, false, out);
    return out.str();
  };
  EXPECT_EQ(LastLine(compare("Base Camp", "Adelaide", CDateTime(2026, 1, 15, 12, 0, 0))),
            "Base Camp is 20 hours earlier than Adelaide in Australia\n");
  EXPECT_EQ(compare("Tokyo", "Tokyo", CDateTime(2026, 7, 1, 8, 0, 0)),
            "Tokyo, Japan  07/01/2026  05:00:00 PM  GMT+9:00\n"
            "Tokyo, Japan  07/01/2026  05:00:00 PM  GMT+9:00\n");
}

class Events : public Commands {
 protected:
  void SetUp() override {
    test::WriteWorld(m_dir.Path());
    test::RecordingSink sink;
    m_alarms.Load(m_files, sink);
    ASSERT_EQ(m_alarms.GetCount(), 3u);
  }

  std::string List(const char* basis, const CDateTime& firstDay, int days) {
    std::ostringstream out;
    const CEventsCommand::Range range{basis != nullptr ? At(basis) : nullptr, firstDay, days};
    CEventsCommand::Write(m_alarms, range, m_options, false, out);
    return out.str();
  }

  test::TempDir m_dir;
  CReadOnlyFiles m_files{m_dir.Path(), {}};
  CEventList m_alarms{*m_db};
};

TEST_F(Events, ListsOccurrencesAcrossTheMonthsEnd) {
  test::FakeClock clock(2037, 1, 29, 12, 0, 0);
  const CDateTime firstDay(2037, 1, 30, 0, 0, 0);
  // Tokyo's days begin nine hours before Greenwich's: the rent falls due on its 1st.
  EXPECT_EQ(List("Tokyo", firstDay, 2),
            "Standup  01/30/2037 05:45:00 PM  London    Daily     15 min.\n"
            "Standup  01/31/2037 05:45:00 PM  London    Daily     15 min.\n"
            "Rent     02/01/2037 12:00:00 AM  New York  Monthly\n"
            "Lunch    02/01/2037 12:30:00 PM  Tokyo     One-Time\n"
            "Standup  02/01/2037 05:45:00 PM  London    Daily     15 min.\n");
  // The browser's time column ignores the clock's seconds and leading zeros choices.
  m_options.showSeconds = false;
  m_options.leadingZeros = false;
  m_options.hour24 = true;
  m_options.dateOrder = CDateTime::kDayMonthYear;
  EXPECT_EQ(List(nullptr, firstDay, 0), "Standup  30.01.2037 08:45:00  London  Daily  15 min.\n");
}

TEST_F(Events, NeverListsWhatIsPast) {
  test::FakeClock clock(2037, 1, 31, 12, 0, 0);
  EXPECT_EQ(List(nullptr, CDateTime(2037, 1, 30, 0, 0, 0), 2),
            "Rent     01/31/2037 03:00:00 PM  New York  Monthly\n"
            "Lunch    02/01/2037 03:30:00 AM  Tokyo     One-Time\n"
            "Standup  02/01/2037 08:45:00 AM  London    Daily     15 min.\n");
  EXPECT_EQ(List(nullptr, CDateTime(2037, 1, 30, 0, 0, 0), 0), "");
  EXPECT_EQ(CEventsCommand::Today(nullptr), CDateTime(2037, 1, 31, 0, 0, 0));
  clock.Set(CDateTime(2037, 1, 31, 15, 0, 0).Seconds());
  EXPECT_EQ(CEventsCommand::Today(At("Tokyo")), CDateTime(2037, 2, 1, 0, 0, 0));
  EXPECT_EQ(CEventsCommand::Today(At("Base Camp")), CDateTime(2037, 1, 31, 0, 0, 0));
}

// Past the 32-bit end of time, in a leap year: the last day of February is the 29th.
TEST_F(Events, ListsPastTheYear2038) {
  test::FakeClock clock(2040, 2, 28, 12, 0, 0);
  EXPECT_EQ(List(nullptr, CDateTime(2040, 2, 29, 0, 0, 0), 0),
            "Standup  02/29/2040 08:45:00 AM  London    Daily    15 min.\n"
            "Rent     02/29/2040 03:00:00 PM  New York  Monthly\n");
}

TEST_F(Events, ListSaysHowEachRepeatsAndWhenItComesNext) {
  test::FakeClock clock(2037, 1, 29, 12, 0, 0);
  // The computer keeps Central European time, an hour ahead of Greenwich in winter.
  const ComputerZone computer = [](const CDateTime& gmt) { return gmt + CDateSpan(0, 1, 0, 0); };
  m_alarms.GetAlarm(1)->SetOff(true);
  m_alarms.GetSchedule(1)->Reschedule();
  std::ostringstream out;
  CEventsCommand::WriteList(m_alarms, m_options, computer, false, out);
  // Standup's 08:45 alarm today has passed; an event that is off has no next time.
  EXPECT_EQ(out.str(),
            "Standup  on   Every day at 9:00 AM, London                          "
            "01/30/2037 09:00:00 AM  01/30/2037 10:00:00 AM\n"
            "Rent     off  On the last day of every month at 10:00 AM, New York\n"
            "Lunch    on   Once on 2037-02-01 at 12:30 PM, Tokyo                 "
            "02/01/2037 12:30:00 PM  02/01/2037 04:30:00 AM\n");

  // The export reads back in libical's own reading; its text is checked in the library.
  std::ostringstream ics;
  CEventsCommand::WriteIcs(
      m_alarms,
      [](const std::vector<const CEventSchedule*>& events, const CDateTime& now) {
        return CICalendar::Export(events, now, &CICalendar::TzZoneName);
      },
      ics);
  EXPECT_TRUE(ics.str().starts_with("BEGIN:VCALENDAR\r\n"));
  EXPECT_NE(ics.str().find("SUMMARY:Standup"), std::string::npos);
}

class Convert : public testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::uint8_t> currency = test::CurrencyBytes(test::TestCurrencies());
    m_currencies.Parse(currency);
    const std::string measure = test::MeasureText();
    m_measures.Parse({reinterpret_cast<const std::uint8_t*>(measure.data()), measure.size()});
  }

  std::string Line(std::string_view amount, std::string_view from, std::string_view to,
                   bool json = false) const {
    std::ostringstream out;
    CConvertCommand::Write(CConversionLookup(m_currencies, m_measures).Resolve(from, to), amount,
                           json, out);
    return out.str();
  }
  CCliError::Status Refusal(std::string_view amount, std::string_view from,
                            std::string_view to) const {
    try {
      Line(amount, from, to);
    } catch (const CCliError& error) {
      return error.GetStatus();
    }
    return static_cast<CCliError::Status>(0);
  }

  CCurrencyFile m_currencies;
  CMeasureFile m_measures;
};

TEST_F(Convert, WritesAmountAndResultAsTheConvertersDo) {
  const std::string rates = " (rates of 2026-03-01)\n";
  EXPECT_EQ(Line("16", "USD", "EUR"), "16 United States Dollar (USD) = 10 Euro (EUR)" + rates);
  EXPECT_EQ(Line("1000", "usd", "eur"),
            "1,000 United States Dollar (USD) = 625 Euro (EUR)" + rates);
  EXPECT_EQ(Line("1", "USD", "Pound"), "1 United States Dollar (USD) = .3333 Pound" + rates);
  EXPECT_EQ(Line("0001,234.50", "EUR", "EUR"), "1,234.50 Euro (EUR) = 1,234.5 Euro (EUR)" + rates);
  EXPECT_EQ(Line("3", "Pound", "T\xFCrkiye Lira"), "3 Pound = 18 Türkiye Lira" + rates);
  EXPECT_EQ(Line("212", "Fahrenheit", "Celsius"), "212 Fahrenheit = 100 Celsius\n");
  EXPECT_EQ(Line("-40", "Celsius", "Fahrenheit"), "-40 Celsius = -40 Fahrenheit\n");
  EXPECT_EQ(Line("0", "Celsius", "Fahrenheit"), "0 Celsius = 32 Fahrenheit\n");
  EXPECT_EQ(Line("1", "Mile", "Foot"), "1 Mile = 5,280 Foot\n");
  const auto json = test::JsonReader::Parse(Line("5",
                                                 "R\xE9"
                                                 "aumur",
                                                 "Celsius", true));
  ASSERT_TRUE(json);
  EXPECT_EQ((*json)["category"].text, "Temperature");
  EXPECT_EQ((*json)["amount"].text, "5");
  EXPECT_EQ((*json)["from"].text, "Réaumur");
  EXPECT_EQ((*json)["result"].text, "6.25");
  EXPECT_EQ((*json)["to"].text, "Celsius");

  // Amounts come as numbers beside their text, and a currency's with the rates' date.
  const auto money = test::JsonReader::Parse(Line("1,000", "USD", "Pound", true));
  ASSERT_TRUE(money);
  EXPECT_EQ((*money)["amount"].text, "1,000");
  EXPECT_EQ((*money)["amount_value"].number, 1000);
  EXPECT_EQ((*money)["result"].text, "333.3333");
  EXPECT_EQ((*money)["result_value"].number, 333.3333);
  EXPECT_EQ((*money)["rates_date"].text, "2026-03-01");
  EXPECT_EQ((*json)["result_value"].number, 6.25);
}

TEST_F(Convert, SaysWhenTheRatesAreOfAnUnknownDate) {
  std::vector<std::uint8_t> bytes = test::CurrencyBytes(test::TestCurrencies());
  const std::string undated = "DRates from the bank";
  bytes.resize(test::TestCurrencies().size() * CCurrencyFile::kRecordSize);
  bytes.insert(bytes.end(), undated.begin(), undated.end());
  m_currencies.Parse(bytes);
  EXPECT_EQ(Line("16", "USD", "EUR"),
            "16 United States Dollar (USD) = 10 Euro (EUR) (rates of an unknown date)\n");
  const auto json = test::JsonReader::Parse(Line("16", "USD", "EUR", true));
  ASSERT_TRUE(json);
  EXPECT_EQ((*json)["rates_date"].kind, test::JsonValue::Kind::kNull);
}

TEST_F(Convert, EachRateCarriesItsOwnDayAndTheResultTheOlder) {
  CConversionLookup::Plan plan = CConversionLookup(m_currencies, m_measures).Resolve("USD", "EUR");
  CRateDates dates;
  dates.Set(plan.to, "2026-12-08");
  CConvertCommand::DateEachRate(plan, dates);
  std::ostringstream out;
  CConvertCommand::Write(plan, "16", false, out);
  EXPECT_EQ(out.str(),
            "16 United States Dollar (USD) = 10 Euro (EUR) (rates of 2026-03-01 and 2026-12-08)\n");
}

TEST_F(Convert, RefusesWhatTheFieldsWouldNotTake) {
  EXPECT_EQ(Refusal("-5", "Meter", "Foot"), CCliError::kUsage);
  EXPECT_EQ(Refusal("0", "Meter", "Foot"), CCliError::kUsage);
  EXPECT_EQ(Refusal("12a", "Meter", "Foot"), CCliError::kUsage);
  EXPECT_EQ(Refusal("1.2.3", "Meter", "Foot"), CCliError::kUsage);
  EXPECT_EQ(Refusal(".", "Meter", "Foot"), CCliError::kUsage);
  // A result has at most eighteen digits, its four decimals included.
  EXPECT_EQ(Line("12,345,678,901", "Meter", "Meter"),
            "12,345,678,901 Meter = 12,345,678,901 Meter\n");
  EXPECT_EQ(Refusal("999999999999", "Mile", "Foot"), CCliError::kFailure);
  // An amount has at most thirteen characters once commas and leading zeros are gone.
  EXPECT_EQ(Refusal("00012345678901234", "Meter", "Foot"), CCliError::kFailure);
}

// A stream on a full disk: it takes nothing.
class FullBuffer final : public std::streambuf {
 protected:
  int overflow(int) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(Program, OutputThatCannotBeWrittenFailsTheRun) {
  test::TempDir dir;
  test::WriteWorld(dir.Path());
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"--version"},
        std::vector<std::string>{"--data-dir", dir.Path(), "find", "a"},
        std::vector<std::string>{"--data-dir", dir.Path(), "--json", "find", "a"}}) {
    SCOPED_TRACE(words.front());
    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(CZwProgram(out, err).Run(words), 1);
    EXPECT_EQ(err.str(), "zw: cannot write the output\n");
  }
}

TEST(ReadOnlyFiles, ReadsSuppliedFilesFromFallbacksAndWritesNothing) {
  test::TempDir own;
  test::TempDir supplied;
  test::WriteBytes(supplied.File("TIME_ZON.DAT"), "supplied");
  test::WriteBytes(supplied.File("ALM_ZON.DAT"), "not supplied");
  test::WriteBytes(own.File("MEASURE.DAT"), "own");
  CReadOnlyFiles files(own.Path(), {own.Path() + "/missing", supplied.Path()});
  EXPECT_EQ(files.Resolve("TIME_ZON.DAT"), supplied.File("TIME_ZON.DAT"));
  EXPECT_EQ(files.Resolve("MEASURE.DAT"), own.File("MEASURE.DAT"));
  EXPECT_EQ(files.Resolve("ALM_ZON.DAT"), own.File("ALM_ZON.DAT"));
  EXPECT_EQ(files.Resolve("/etc/hostname"), "/etc/hostname");
  EXPECT_TRUE(files.Exists("TIME_ZON.DAT"));
  EXPECT_FALSE(files.Exists("ALM_ZON.DAT"));
  EXPECT_EQ(files.Read("TIME_ZON.DAT", 100).bytes.size(), 8u);

  const std::uint8_t bytes[] = {'x'};
  EXPECT_TRUE(files.Write("MEASURE.DAT", bytes).Ok());
  EXPECT_TRUE(files.Append("NEW.DAT", bytes).Ok());
  EXPECT_EQ(files.Rename("MEASURE.DAT", "OTHER.DAT"), FileCause::kNone);
  EXPECT_EQ(files.Remove("MEASURE.DAT"), FileCause::kNone);
  EXPECT_EQ(files.MakeDirectories("sub"), FileCause::kNone);
  EXPECT_EQ(files.Read("MEASURE.DAT", 100).bytes, (std::vector<std::uint8_t>{'o', 'w', 'n'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(own.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(ReadOnlyFiles, ShowADownloadedUpdateWithoutTakingItIn) {
  test::TempDir dir;
  test::WriteWorld(dir.Path());
  // The first six of the world's eleven cities: short, but not too short to be taken in.
  const std::string update =
      test::Lines({std::begin(test::kZoneLines), std::begin(test::kZoneLines) + 6});
  test::WriteBytes(dir.File("TEMPT.DAT"), update);
  CReadOnlyFiles files(dir.Path(), {});
  CLocationDB db;
  test::RecordingSink sink;
  ASSERT_TRUE(db.Load(files, sink));
  EXPECT_TRUE(sink.Messages().empty());
  // The update's cities and the custom location.
  EXPECT_EQ(db.Count(), 7u);
  EXPECT_TRUE(std::filesystem::exists(dir.File("TEMPT.DAT")));
  EXPECT_EQ(std::filesystem::file_size(dir.File("TIME_ZON.DAT")), test::ZoneText().size());
}

}  // namespace
