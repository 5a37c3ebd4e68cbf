// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <regex>

#include "cli/whentext.h"
#include "jsonreader.h"
#include "support/tempdir.h"
#include "testworld.h"
#include "zwrunner.h"

using namespace zw;

namespace {

using Lines = std::vector<std::string>;

constexpr int kUsageStatus = 2;
constexpr int kNotFoundStatus = 3;

// Every run gets a home of its own, so the user's real settings and data stay out of it.
class Program : public testing::Test {
 protected:
  void SetUp() override { test::WriteWorld(DataDir()); }

  std::string DataDir() const { return m_home.Path() + "/data"; }
  std::string ConfigHome() const { return m_home.Path() + "/config"; }

  std::vector<std::string> Environment() const {
    return {"HOME=" + m_home.Path(), "XDG_CONFIG_HOME=" + ConfigHome(),
            "XDG_DATA_HOME=" + m_home.Path() + "/share", "PATH=/usr/bin:/bin"};
  }
  test::ZwRun Run(const std::vector<std::string>& args) const {
    return test::RunZw(args, Environment());
  }
  // A run on the test world's data directory.
  test::ZwRun Zw(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--data-dir", DataDir()});
    return Run(args);
  }
  // The lines of a run that must succeed quietly.
  Lines Ok(const std::vector<std::string>& args) const {
    const test::ZwRun run = Zw(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.OutLines();
  }
  test::JsonValue Json(std::vector<std::string> args) const {
    args.insert(args.begin(), "--json");
    const test::ZwRun run = Zw(args);
    EXPECT_EQ(run.status, 0) << run.err;
    const auto value = test::JsonReader::Parse(run.out);
    EXPECT_TRUE(value) << run.out;
    return value.value_or(test::JsonValue{});
  }

  test::TempDir m_home;
};

TEST_F(Program, AnswersHelpAndVersion) {
  const test::ZwRun version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "zw (Zonewright) 2.0\n");
  const test::ZwRun help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: zw", 0), 0u);
  EXPECT_EQ(help.err, "");
}

TEST_F(Program, RefusesUsageErrorsWithTheUsage) {
  const std::vector<std::string> mistakes[] = {
      {"at", "2026-03-08 02:30"},
      {"now", "--days", "3"},
      {"bogus"},
      {},
      {"at", "2026-02-29 12:00", "--gmt"},
      {"compare", "Tokyo", "London", "--at", "2026-07-01 09:00", "--in", "Kolkata"},
      {"convert", "-5", "Meter", "Foot"},
  };
  for (const auto& args : mistakes) {
    const test::ZwRun run = Zw(args);
    EXPECT_EQ(run.status, kUsageStatus) << ::testing::PrintToString(args);
    EXPECT_EQ(run.out, "");
    const std::size_t usage = run.err.find("\nusage: zw ");
    ASSERT_NE(usage, std::string::npos) << run.err;
    // One line of message, then the usage.
    EXPECT_EQ(run.err.rfind("zw: ", 0), 0u);
    EXPECT_EQ(run.err.find('\n'), usage);
  }
  EXPECT_EQ(Zw({"at", "2026-03-08 02:30"}).err.substr(0, 53),
            "zw: \"at\" needs exactly one of --gmt and --in LOCATION");
}

TEST_F(Program, RefusesUnknownAndAmbiguousNamesWithoutAHalfResult) {
  const test::ZwRun ambiguous = Zw({"now", "Tokyo", "Valencia"});
  EXPECT_EQ(ambiguous.status, kNotFoundStatus);
  EXPECT_EQ(ambiguous.out, "");
  EXPECT_EQ(ambiguous.err,
            "zw: \"Valencia\" names 2 locations; name one with its country:\n"
            "  Valencia, Spain\n"
            "  Valencia, Venezuela\n");
  EXPECT_EQ(Ok({"at", "2026-01-15 12:00", "--gmt", "valencia, venezuela"}),
            Lines{"Valencia, Venezuela  01/15/2026  08:00:00 AM  GMT-4:00"});

  for (const std::vector<std::string>& args : {std::vector<std::string>{"now", "Atlantis"},
                                               {"find", "Atlantis"},
                                               {"compare", "Tokyo", "Atlantis"},
                                               {"events", "--basis", "Valencia"},
                                               {"at", "2026-01-15 12:00", "--in", "Valencia"},
                                               {"convert", "1", "Cubit", "Meter"},
                                               {"convert", "1", "Meter", "Celsius"}}) {
    const test::ZwRun run = Zw(args);
    EXPECT_EQ(run.status, kNotFoundStatus) << ::testing::PrintToString(args);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.find("usage:"), std::string::npos);
  }
}

// Typed UTF-8 meets the files' Latin-1 in every command; what no file can hold is quoted
// back as it was typed.
TEST_F(Program, ReadsTypedNamesInAnyScriptAndQuotesThemBackAsTyped) {
  const std::string place = "Z\xC3\xBCrich, Switzerland";
  for (const char* typed : {"zurich", "Z\xC3\xBCRICH", "Zu\xCC\x88rich"}) {
    const Lines now = Ok({"at", "2026-01-15 12:00", "--gmt", typed});
    ASSERT_EQ(now.size(), 1u) << typed;
    EXPECT_EQ(now[0].rfind(place, 0), 0u) << now[0];
    EXPECT_EQ(Ok({"find", typed}).size(), 1u) << typed;
  }
  const std::string moscow = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
  const std::string lodz =
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA\xE2\x80\x99s";
  const std::pair<std::vector<std::string>, std::string> refusals[] = {
      {{"now", moscow}, "zw: no location is named \"" + moscow + "\"\n"},
      {{"now", "Tokyo", lodz}, "zw: no location is named \"" + lodz + "\"\n"},
      {{"find", moscow}, "zw: no location's name or country holds \"" + moscow + "\"\n"},
      {{"events", "--basis=" + moscow}, "zw: no location is named \"" + moscow + "\"\n"}};
  for (const auto& [args, message] : refusals) {
    const test::ZwRun run = Zw(args);
    EXPECT_EQ(run.status, kNotFoundStatus);
    EXPECT_EQ(run.err, message);
  }
}

TEST_F(Program, ShowsGivenMomentsInBothHemispheresAndHalfHourZones) {
  EXPECT_EQ(Ok({"at", "2026-01-15 12:00", "--gmt", "Tokyo", "Adelaide", "St. John's", "Kolkata",
                "Base Camp"}),
            (Lines{
                "Tokyo, Japan         01/15/2026  09:00:00 PM  GMT+9:00",
                "Adelaide, Australia  01/15/2026  10:30:00 PM  GMT+10:30  DST",
                "St. John's, Canada   01/15/2026  08:30:00 AM  GMT-3:30",
                "Kolkata, India       01/15/2026  05:30:00 PM  GMT+5:30",
                "Base Camp            01/15/2026  02:30:00 AM  GMT-9:30",
            }));
  EXPECT_EQ(Ok({"at", "2026-07-15T12:00:00", "--gmt", "Adelaide", "St. John's"}),
            (Lines{
                "Adelaide, Australia  07/15/2026  09:30:00 PM  GMT+9:30",
                "St. John's, Canada   07/15/2026  09:30:00 AM  GMT-2:30  DST",
            }));
}

TEST_F(Program, ReadsTheSkippedAndRepeatedHoursOfASwitchDay) {
  // The hour New York skips is read as standard time, so 2:30 is 3:30 daylight time.
  EXPECT_EQ(Ok({"at", "2026-03-08 02:30", "--in", "New York", "New York", "London"}),
            (Lines{
                "New York, United States  03/08/2026  03:30:00 AM  GMT-4:00  DST",
                "London, United Kingdom   03/08/2026  07:30:00 AM  GMT+0:00",
            }));
  // The hour it repeats is read as standard time as well: the second 1:30.
  EXPECT_EQ(Ok({"at", "2026-11-01 01:30", "--in", "new york", "New York", "London"}),
            (Lines{
                "New York, United States  11/01/2026  01:30:00 AM  GMT-5:00",
                "London, United Kingdom   11/01/2026  06:30:00 AM  GMT+0:00",
            }));
  EXPECT_EQ(Ok({"at", "2026-11-01 00:59:59", "--in", "New York", "New York"}),
            Lines{"New York, United States  11/01/2026  12:59:59 AM  GMT-4:00  DST"});
  // At GMT the switch shows at the start hour itself: 2:00:00 standard, 2:00:01 is 3:00:01.
  EXPECT_EQ(Ok({"at", "2026-03-08 07:00:00", "--gmt", "New York"}),
            Lines{"New York, United States  03/08/2026  02:00:00 AM  GMT-5:00"});
  EXPECT_EQ(Ok({"at", "2026-03-08 07:00:01", "--gmt", "New York"}),
            Lines{"New York, United States  03/08/2026  03:00:01 AM  GMT-4:00  DST"});
  // Adelaide springs forward in October and falls back in April.
  EXPECT_EQ(Ok({"at", "2026-10-04 02:30", "--in", "Adelaide", "Adelaide", "Tokyo"}),
            (Lines{
                "Adelaide, Australia  10/04/2026  03:30:00 AM  GMT+10:30  DST",
                "Tokyo, Japan         10/04/2026  02:00:00 AM  GMT+9:00",
            }));
  EXPECT_EQ(Ok({"at", "2026-04-05 02:30", "--in", "Adelaide", "Adelaide"}),
            Lines{"Adelaide, Australia  04/05/2026  02:30:00 AM  GMT+9:30"});
}

TEST_F(Program, FollowsTheStoredSettingsAndTheirOverrides) {
  // Without stored settings: the usual three locations, in database order.
  const Lines usual = Ok({"at", "2026-07-01 08:00", "--gmt"});
  EXPECT_EQ(usual, (Lines{
                       "London, United Kingdom        07/01/2026  09:00:00 AM  GMT+1:00  DST",
                       "New York, United States       07/01/2026  04:00:00 AM  GMT-4:00  DST",
                       "San Francisco, United States  07/01/2026  01:00:00 AM  GMT-7:00  DST",
                   }));

  CClockSettings settings;
  ClockSettings& r = settings.Values();
  r.clockSlots[0].place = PlaceName{"Kolkata", "India"};
  r.clockSlots[1].place = PlaceName{"Gone", ""};
  r.clockSlots[2].place = PlaceName{"Z\xFCrich", "Switzerland"};
  r.dateOrder = CDateTime::kDayMonthYear;
  r.hour24 = 1;
  r.showSeconds = 0;
  test::WriteSettings(ConfigHome(), settings);
  EXPECT_EQ(Ok({"at", "2026-07-01 08:00", "--gmt"}),
            (Lines{
                "Kolkata, India       01.07.2026  13:30  GMT+5:30",
                "Zürich, Switzerland  01.07.2026  10:00  GMT+2:00  DST",
            }));
  EXPECT_EQ(
      Ok({"--12h", "--seconds", "at", "2026-07-01 08:00", "--gmt", "--date-order", "ymd", "Tokyo"}),
      Lines{"Tokyo, Japan  2026-07-01  05:00:00 PM  GMT+9:00"});
}

TEST_F(Program, ShowsNowAsTheSystemClockHasIt) {
  const std::time_t before = std::time(nullptr);
  const test::JsonValue json = Json({"now", "Tokyo", "Base Camp"});
  const std::time_t after = std::time(nullptr);
  ASSERT_EQ(json.items.size(), 2u);
  for (const test::JsonValue& entry : json.items) {
    const std::string utc = entry["utc"].text;
    ASSERT_EQ(utc.back(), 'Z');
    const auto gmt = CWhenText::ParseMoment(utc.substr(0, utc.size() - 1));
    const auto local = CWhenText::ParseMoment(entry["local"].text);
    ASSERT_TRUE(gmt && local) << utc;
    EXPECT_GE(gmt->Seconds(), before - 1);
    EXPECT_LE(gmt->Seconds(), after + 1);
    EXPECT_EQ((*local - *gmt).TotalSeconds(), entry["offset_minutes"].number * 60);
  }
  const Lines plain = Ok({"now", "Tokyo"});
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      plain[0], std::regex(R"(Tokyo, Japan  \d\d/\d\d/\d{4}  \d\d:\d\d:\d\d [AP]M  GMT\+9:00)")))
      << plain[0];
}

TEST_F(Program, ComparesInTheDialogsWords) {
  EXPECT_EQ(Ok({"compare", "Kolkata", "St. John's", "--at", "2026-01-15 17:30", "--in", "Kolkata"}),
            (Lines{
                "Kolkata, India      01/15/2026  05:30:00 PM  GMT+5:30",
                "St. John's, Canada  01/15/2026  08:30:00 AM  GMT-3:30",
                "Kolkata in India is 9 hours later than St. John's in Canada",
            }));
  const test::JsonValue json =
      Json({"compare", "Base Camp", "Valencia, Spain", "--at", "2026-07-01 08:00", "--gmt"});
  EXPECT_EQ(json["left"]["name"].text, "Base Camp");
  EXPECT_EQ(json["left"]["time"].text, "10:30:00 PM");
  EXPECT_EQ(json["left"]["date"].text, "06/30/2026");
  EXPECT_EQ(json["right"]["time"].text, "10:00:00 AM");
  EXPECT_TRUE(json["right"]["dst"].boolean);
  EXPECT_EQ(json["sentence"].text,
            "Base Camp is 11 hours 30 minutes earlier than Valencia in Spain");
}

TEST_F(Program, FindsLocationsWithKindAndZone) {
  EXPECT_EQ(Ok({"find", "new york"}),
            (Lines{
                "New York, United States  City       GMT-5:00  DST from the 2nd Sunday of March at "
                "02:00 AM to the 1st Sunday of November at 02:00 AM",
                "212, New York            Area Code  GMT-5:00  DST from the 2nd Sunday of March at "
                "02:00 AM to the 1st Sunday of November at 02:00 AM",
            }));
  const test::JsonValue json = Json({"find", "CAMP"});
  ASSERT_EQ(json.items.size(), 1u);
  EXPECT_EQ(json[0]["name"].text, "Base Camp");
  EXPECT_EQ(json[0]["country"].text, "");
  EXPECT_EQ(json[0]["type"].text, "Custom");
  EXPECT_EQ(json[0]["offset"].text, "GMT-9:30");
  EXPECT_EQ(json[0]["dst_rule"].kind, test::JsonValue::Kind::kNull);
}

TEST_F(Program, TakesTimesFromTheZoneDatabaseWithTheirHistory) {
  const auto supplied = [this](std::vector<std::string> args) {
    args.insert(args.begin(), {"--data-dir", ZW_SOURCE_DATA_DIR, "--24h"});
    const test::ZwRun run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.OutLines();
  };
  // In 2005 New York left daylight saving on the last Sunday of October.
  EXPECT_EQ(
      supplied({"at", "2005-10-31 12:00", "--gmt", "New York", "Kathmandu", "Europe/Paris", "utc"}),
      (Lines{
          "New York, United States  10/31/2005  07:00:00  GMT-5:00",
          "Kathmandu, Nepal         10/31/2005  17:45:00  GMT+5:45",
          "Europe/Paris             10/31/2005  13:00:00  GMT+1:00",
          "UTC                      10/31/2005  12:00:00  GMT+0:00",
      }));
  EXPECT_EQ(supplied({"at", "2026-07-01 09:00", "--in", "Asia/Kathmandu", "Tokyo, Japan"}),
            Lines{"Tokyo, Japan  07/01/2026  12:15:00  GMT+9:00"});
  EXPECT_EQ(supplied({"find", "kathmandu"}),
            Lines{"Kathmandu, Nepal  City  GMT+5:45  Asia/Kathmandu"});

  const test::ZwRun unknown = Zw({"now", "Mars/Olympus_Mons"});
  EXPECT_EQ(unknown.status, kNotFoundStatus);
  EXPECT_EQ(unknown.err, "zw: no location is named \"Mars/Olympus_Mons\"\n");
}

TEST_F(Program, APlaceThatStopsFollowingItsZoneKeepsItsStoredRule) {
  test::WriteBytes(DataDir() + "/TIME_ZON.TZN",
                   std::string_view("1,\"United States\",\"New York\",\"America/New_York\",0\r\n"
                                    "1,\"Japan\",\"Tokyo\",\"Asia/Tokyo\"\r\n"));
  // The stored rule switches one second after the start hour; the zone at the hour itself.
  EXPECT_EQ(Ok({"at", "2026-03-08 07:00:00", "--gmt", "New York"}),
            Lines{"New York, United States  03/08/2026  02:00:00 AM  GMT-5:00"});
  const test::JsonValue json = Json({"now", "New York", "Tokyo", "London"});
  ASSERT_EQ(json.items.size(), 3u);
  EXPECT_EQ(json[0]["zone"].text, "America/New_York");
  EXPECT_FALSE(json[0]["follows_zone"].boolean);
  EXPECT_EQ(json[1]["zone"].text, "Asia/Tokyo");
  EXPECT_TRUE(json[1]["follows_zone"].boolean);
  EXPECT_EQ(json[2]["zone"].kind, test::JsonValue::Kind::kNull);
  const test::JsonValue found = Json({"find", "tokyo"});
  EXPECT_EQ(found[0]["zone"].text, "Asia/Tokyo");
  EXPECT_EQ(found[0]["dst_rule"].kind, test::JsonValue::Kind::kNull);
}

TEST_F(Program, ListsEventsAcrossTheMonthsEnd) {
  const Lines atGreenwich = {
      "Standup  01/30/2037 08:45:00 AM  London    Daily     15 min.",
      "Standup  01/31/2037 08:45:00 AM  London    Daily     15 min.",
      "Rent     01/31/2037 03:00:00 PM  New York  Monthly",
      "Lunch    02/01/2037 03:30:00 AM  Tokyo     One-Time",
      "Standup  02/01/2037 08:45:00 AM  London    Daily     15 min.",
  };
  EXPECT_EQ(Ok({"events", "--gmt", "--from", "2037-01-30", "--days", "2"}), atGreenwich);
  // Without a basis stored, the basis is GMT; without days stored, only the first day.
  EXPECT_EQ(Ok({"events", "--from", "2037-01-30"}),
            Lines{"Standup  01/30/2037 08:45:00 AM  London  Daily  15 min."});

  const test::JsonValue json =
      Json({"events", "--basis", "Tokyo", "--from", "2037-01-30", "--days", "2"});
  EXPECT_EQ(json["basis"].text, "Tokyo, Japan");
  const auto& rows = json["occurrences"].items;
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[2]["name"].text, "Rent");
  EXPECT_EQ(rows[2]["time"].text, "02/01/2037 12:00:00 AM");
  EXPECT_EQ(rows[2]["utc"].text, "2037-01-31T15:00:00Z");

  // The schedule browser's stored basis and number of days are the defaults.
  CClockSettings settings;
  settings.Values().scheduleDays = 2;
  settings.Values().scheduleBasis.name = "Tokyo";
  settings.Values().scheduleBasis.country = "Japan";
  // Where the clock kept its settings before: zw reads them there until the clock moves them.
  test::WriteSettings(ConfigHome(), settings, "Velloran/Zonewright/2.0/SETTINGS");
  const Lines atTokyo = Ok({"events", "--from", "2037-01-30"});
  ASSERT_EQ(atTokyo.size(), 5u);
  EXPECT_EQ(atTokyo[2], "Rent     02/01/2037 12:00:00 AM  New York  Monthly");
  // Days long past list nothing: nothing before now is ever listed.
  EXPECT_EQ(Ok({"events", "--from", "2020-01-01", "--days", "30"}), Lines{});
}

TEST_F(Program, ListsAndExportsEvents) {
  const test::JsonValue json = Json({"events", "--list"});
  const auto& rows = json["events"].items;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0]["repeat"].text, "Every day at 9:00 AM, London");
  EXPECT_EQ(rows[1]["state"].text, "on");
  const Lines ics = Ok({"events", "--ics"});
  ASSERT_FALSE(ics.empty());
  EXPECT_EQ(ics.front(), "BEGIN:VCALENDAR\r");
  // Once London follows its tz zone, its events are written in that zone, under its name.
  test::WriteBytes(DataDir() + "/TIME_ZON.TZN",
                   std::string_view("1,\"United Kingdom\",\"London\",\"Europe/London\"\r\n"));
  const Lines zoned = Ok({"events", "--ics"});
  EXPECT_EQ(std::ranges::count(ics, "TZID:Europe/London\r"), 0);
  EXPECT_EQ(std::ranges::count(zoned, "TZID:Europe/London\r"), 1);
  EXPECT_EQ(Zw({"events", "--list", "--ics"}).status, 2);
  EXPECT_EQ(Zw({"now", "--ics"}).status, 2);

  // A zw whose calendar module is not beside it fails plainly instead of printing nothing.
  const std::filesystem::path lone = std::filesystem::path(m_home.Path()) / "bin" / "zw";
  std::filesystem::create_directories(lone.parent_path());
  std::filesystem::copy_file(ZW_PROGRAM_PATH, lone);
  const test::ZwRun alone =
      test::RunZw({"--data-dir", DataDir(), "events", "--ics"}, Environment(), lone.string());
  EXPECT_EQ(alone.status, 1);
  EXPECT_EQ(alone.out, "");
  EXPECT_NE(alone.err.find("zw: calendars cannot be written: "), std::string::npos) << alone.err;
}

TEST_F(Program, ConvertsCurrenciesAndUnits) {
  EXPECT_EQ(Ok({"convert", "1,000", "usd", "Euro (EUR)"}),
            Lines{"1,000 United States Dollar (USD) = 625 Euro (EUR) (rates of 2026-03-01)"});
  EXPECT_EQ(Ok({"convert", "-40", "Celsius", "fahrenheit"}), Lines{"-40 Celsius = -40 Fahrenheit"});
  EXPECT_EQ(Ok({"convert", "1", "Pound", "USD"}),
            Lines{"1 Pound = 3 United States Dollar (USD) (rates of 2026-03-01)"});
  const test::JsonValue json = Json({"convert", "5", "Réaumur", "Celsius"});
  EXPECT_EQ(json["from"].text, "Réaumur");
  EXPECT_EQ(json["result"].text, "6.25");
  const test::ZwRun tooLarge = Zw({"convert", "12345678901234", "Meter", "Foot"});
  EXPECT_EQ(tooLarge.status, 1);
  EXPECT_EQ(tooLarge.err,
            "zw: Number entered is too large.  Please choose a number with 12 or fewer digits.\n");
}

// Names, sizes and times of every file, to see that a run changed nothing.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> Snapshot(
    const std::string& directory) {
  std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
    files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0,
                                    entry.last_write_time()};
  }
  return files;
}

TEST_F(Program, ReadsTheDataDirectoryFromTheEnvironmentAndNeverWrites) {
  // The world without Tokyo.
  std::vector<std::string_view> lines(std::begin(test::kZoneLines), std::end(test::kZoneLines));
  lines.erase(lines.begin() + 3);
  const std::string update = test::Lines(lines);
  test::WriteBytes(DataDir() + "/TEMPT.DAT", update);
  const auto before = Snapshot(m_home.Path());
  std::vector<std::string> env = Environment();
  env.push_back("ZONEWRIGHT_DATA_DIR=" + DataDir());
  for (const std::vector<std::string>& args : {std::vector<std::string>{"now", "Zürich"},
                                               {"events"},
                                               {"find", "a"},
                                               {"convert", "1", "Meter", "Foot"}}) {
    EXPECT_EQ(test::RunZw(args, env).status, 0) << args[0];
  }
  // The downloaded update is shown, and left for the clock to take in.
  const test::ZwRun run = test::RunZw({"find", "z\xC3\xBCrich"}, env);
  EXPECT_EQ(run.out,
            "Zürich, Switzerland  City  GMT+1:00  DST from the last Sunday of March at 02:00 AM "
            "to the last Sunday of October at 03:00 AM\n");
  EXPECT_EQ(test::RunZw({"now", "Tokyo"}, env).status, kNotFoundStatus);
  EXPECT_EQ(Snapshot(m_home.Path()), before);
}

TEST_F(Program, FailsOnAnUnusableZoneFile) {
  test::WriteBytes(DataDir() + "/TIME_ZON.DAT",
                   test::Lines({R"(1,"Japan","Tokyo",9,0,0,0,0,3,2,4,0,9,2)",
                                R"(1,"India","Kolkata",5,30,0,0,0,3,2,4,0,9,2)"}));
  const test::ZwRun run = Zw({"now", "Tokyo"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("zw: cannot use the locations in " + DataDir()), std::string::npos)
      << run.err;

  const test::ZwRun missing = Run({"--data-dir", DataDir() + "/typo", "now", "Tokyo"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "zw: there is no data directory " + DataDir() + "/typo\n");
}

}  // namespace
