// SPDX-License-Identifier: GPL-3.0-or-later
// The companion files that name each place's tz database zone beside the zone files.

#include "locations/zonecompanion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "locations/locationdb.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

const std::string kStandard =
    "1,\"Australia\",\"Sydney\",10,0,1,0,0,9,2,0,0,3,3\r\n"
    "1,\"France\",\"Paris\",1,0,1,4,0,2,2,4,0,9,3\r\n"
    "1,\"India\",\"New Delhi\",5,30,0,0,0,3,2,4,0,9,2\r\n"
    "1,\"United States\",\"New York\",-5,0,1,1,0,2,2,0,0,10,2\r\n";
const std::string kCustom = "9,\"Friends\",\"Anna\",2,0,1,4,0,2,2,4,0,9,3\r\n";
// Out of order, one line for a place the zone file lacks, none for New Delhi: lines are
// matched by name. Sydney names a zone no system has.
const std::string kStandardZones =
    "1,\"United States\",\"New York\",\"America/New_York\",0\r\n"
    "1,\"France\",\"Paris\",\"Europe/Paris\"\r\n"
    "1,\"Germany\",\"Berlin\",\"Europe/Berlin\"\r\n"
    "1,\"Australia\",\"Sydney\",\"Mars/Olympus_Mons\",1\r\n";
const std::string kCustomZones = "9,\"Friends\",\"Anna\",\"Europe/Berlin\"\n";
// What Save writes back: the zone file's order, a line per place, CR LF.
const std::string kSavedStandardZones =
    "1,\"Australia\",\"Sydney\",\"Mars/Olympus_Mons\"\r\n"
    "1,\"France\",\"Paris\",\"Europe/Paris\"\r\n"
    "1,\"India\",\"New Delhi\",\"\"\r\n"
    "1,\"United States\",\"New York\",\"America/New_York\",0\r\n";
const std::string kSavedCustomZones = "9,\"Friends\",\"Anna\",\"Europe/Berlin\"\r\n";
const std::string kDamaged =
    "warn: The zone names in TIME_ZON.TZN cannot be read. Its places keep the offsets stored "
    "with them.";

void WriteFile(const std::string& name, const std::string& content) {
  std::ofstream(name, std::ios::binary) << content;
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Spoken(const test::RecordingSink& sink) {
  std::vector<std::string> said;
  for (const auto& m : sink.Messages()) {
    said.push_back((m.kind == test::RecordingSink::Kind::kWarn ? "warn: " : "info: ") + m.text);
  }
  return said;
}

class ZoneCompanionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile("TIME_ZON.DAT", kStandard);
    WriteFile("CUST_ZON.DAT", kCustom);
  }

  // "zone" when the place follows its zone, "(zone)" when it only keeps it, "" without one.
  std::string ZoneOf(const char* name) const {
    for (std::size_t i = 0; i < m_db.Count(); ++i) {
      const CLocation& place = *m_db.At(i);
      if (place.Name() != name) {
        continue;
      }
      if (place.TzZone() == nullptr) {
        return "";
      }
      const std::string& zone = place.TzZone()->Name();
      return place.Zone().Tz() != nullptr ? zone : "(" + zone + ")";
    }
    return "missing";
  }

  test::FakeClock m_clock{2026, 7, 1, 12, 0, 0};
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FaultyFileLayer m_files;
  test::RecordingSink m_sink;
  CLocationDB m_db;
};

}  // namespace

TEST_F(ZoneCompanionTest, PlacesTakeTheirZonesAndSaveThemBackInFileOrder) {
  WriteFile("TIME_ZON.TZN", kStandardZones);
  WriteFile("CUST_ZON.TZN", kCustomZones);
  ASSERT_TRUE(m_db.Load(m_files, m_sink));
  EXPECT_TRUE(m_sink.Messages().empty());
  EXPECT_EQ(ZoneOf("Paris"), "Europe/Paris");
  EXPECT_EQ(ZoneOf("New York"), "(America/New_York)");
  // A zone the system lacks is kept, and the stored rule serves.
  EXPECT_EQ(ZoneOf("Sydney"), "(Mars/Olympus_Mons)");
  EXPECT_EQ(ZoneOf("New Delhi"), "");
  EXPECT_EQ(ZoneOf("Anna"), "Europe/Berlin");
  // Places of one zone share it.
  EXPECT_EQ(m_db.At(4)->TzZone(), m_db.TzZones().Find("Europe/Berlin"));

  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  EXPECT_EQ(ReadFile("TIME_ZON.TZN"), kSavedStandardZones);
  EXPECT_EQ(ReadFile("CUST_ZON.TZN"), kSavedCustomZones);
  EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
  CLocationDB reloaded;
  ASSERT_TRUE(reloaded.Load(m_files, m_sink));
  ASSERT_TRUE(reloaded.Save(m_files, m_sink));
  EXPECT_EQ(ReadFile("TIME_ZON.TZN"), kSavedStandardZones);

  // Without custom places both custom files go.
  reloaded.RemoveAt(4, true);
  ASSERT_TRUE(reloaded.Save(m_files, m_sink));
  EXPECT_FALSE(std::filesystem::exists("CUST_ZON.DAT"));
  EXPECT_FALSE(std::filesystem::exists("CUST_ZON.TZN"));
  EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(ZoneCompanionTest, AMissingOrDamagedCompanionMeansNoZonesForItsFileOnly) {
  ASSERT_TRUE(m_db.Load(m_files, m_sink));
  EXPECT_TRUE(m_sink.Messages().empty());
  EXPECT_EQ(ZoneOf("Paris"), "");

  WriteFile("CUST_ZON.TZN", kCustomZones);
  const std::string good = "1,\"France\",\"Paris\",\"Europe/Paris\"\r\n";
  for (const std::string& bad : std::vector<std::string>{
           "1,\"France\",\"Paris\",\"Europe/Paris\r\n",        // unclosed quote
           "3,\"France\",\"Paris\",\"Europe/Paris\"\r\n",      // unknown type
           "1,\"France\",\"Paris\",\"../../etc/passwd\"\r\n",  // not a zone name
           "1,\"France\",\"Paris\",\"Europe/Paris\",2\r\n",    // neither 0 nor 1
           "1,\"France\",\"Paris\",\"Europe/Paris\",0,0\r\n",  // a field too many
           "1,\"France\",\"Paris\"\r\n",                       // the zone missing
           "1,\"France\",\"" + std::string(41, 'x') + "\",\"Europe/Paris\"\r\n",
           "1,\"France\",\"Paris\",\"Europe/" + std::string(60, 'x') + "\"\r\n",
           std::string("1,\"France\",\"Paris\",\"Europe/Paris\"\0\r\n", 36),
       }) {
    SCOPED_TRACE(bad);
    WriteFile("TIME_ZON.TZN", good + bad);
    test::RecordingSink sink;
    ASSERT_TRUE(m_db.Load(m_files, sink));
    EXPECT_EQ(Spoken(sink), std::vector<std::string>{kDamaged});
    EXPECT_EQ(ZoneOf("Paris"), "");
    EXPECT_EQ(ZoneOf("Anna"), "Europe/Berlin");
  }
  // An unreadable companion is as good as damaged.
  // Reads: TEMPT.DAT, TIME_ZON.DAT, CUST_ZON.DAT, then TIME_ZON.TZN.
  WriteFile("TIME_ZON.TZN", good);
  test::FaultyFileLayer files;
  files.FailRead(4, FileCause::kHardwareIo);
  test::RecordingSink sink;
  ASSERT_TRUE(m_db.Load(files, sink));
  EXPECT_EQ(Spoken(sink), std::vector<std::string>{kDamaged});
}

// The zone names of an update go in with its zone file, and its downloads go only once both
// files are written; damaged names never replace the ones in use.
TEST_F(ZoneCompanionTest, AnUpdateTakesItsZoneNamesInWithItsZoneFile) {
  WriteFile("TIME_ZON.TZN", "1,\"France\",\"Paris\",\"Europe/Paris\"\r\n");
  const struct {
    const char* names;
    const char* paris;
  } updates[] = {{"1,\"France\",\"Paris\",\"Europe/Par", "Europe/Paris"},
                 {"1,\"France\",\"Paris\",\"Europe/Berlin\"\r\n", "Europe/Berlin"}};
  for (const auto& update : updates) {
    SCOPED_TRACE(update.names);
    WriteFile("TEMPT.DAT", kStandard);
    WriteFile("TEMPT.TZN", update.names);
    test::RecordingSink sink;
    ASSERT_TRUE(m_db.Load(m_files, sink));
    EXPECT_EQ(ZoneOf("Paris"), update.paris);
    EXPECT_NE(ReadFile("TIME_ZON.TZN").find(update.paris), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("TEMPT.DAT"));
    EXPECT_FALSE(std::filesystem::exists("TEMPT.TZN"));
  }
}

// Places asked in file order with some missing, some added and some out of place get the
// entries a plain look-up gives them.
TEST(ZoneCompanionLookup, InOrderLookUpAgreesWithPlainLookUp) {
  std::string text;
  for (int i = 0; i < 40; ++i) {
    text += "1,\"C" + std::to_string(i / 10) + "\",\"P" + std::to_string(i) + "\",\"Zone/" +
            std::to_string(i) + "\"" + (i % 3 == 0 ? ",0" : "") + "\r\n";
  }
  const std::optional<CZoneCompanion> companion =
      CZoneCompanion::Parse({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  ASSERT_TRUE(companion);
  std::vector<int> asked;
  for (int i = 0; i < 45; ++i) {
    if (i % 7 != 3) {
      asked.push_back(i == 20 ? 5 : i);
    }
  }
  std::size_t next = 0;
  for (const int i : asked) {
    const std::string country = "C" + std::to_string(i / 10);
    const std::string name = "P" + std::to_string(i);
    SCOPED_TRACE(name);
    EXPECT_EQ(companion->FindNext(next, 1, country, name), companion->Find(1, country, name));
  }
}
