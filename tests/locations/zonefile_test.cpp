// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/zonefile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "locations/locationdb.h"
#include "locations/placetime.h"
#include "locations/zonefilecheck.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

const std::string kSydney = "1,\"Australia\",\"Sydney\",10,0,1,0,0,9,2,0,0,3,3\r\n";
const std::string kParis = "1,\"France\",\"Paris\",1,0,1,4,0,2,2,4,0,9,3\r\n";
const std::string kBerlin = "1,\"Germany\",\"Berlin\",1,0,1,4,0,2,2,4,0,9,3\r\n";
const std::string kDelhi = "1,\"India\",\"New Delhi\",5,30,0,0,0,3,2,4,0,9,2\r\n";
const std::string kNewYork = "1,\"United States\",\"New York\",-5,0,1,1,0,2,2,0,0,10,2\r\n";
const std::string kArea709 = "2,\"Newfoundland\",\"709\",-3,-30,1,1,0,2,2,0,0,10,2\r\n";
const std::string kStandard = kSydney + kParis + kDelhi + kNewYork + kArea709;
const std::string kNewStandard = kSydney + kParis + kBerlin + kDelhi + kNewYork + kArea709;
const std::string kCustom =
    "9,\"\",\"Base camp\",-12,0,0,0,0,3,2,4,0,9,2\r\n"
    "9,\"Friends\",\"Anna\",2,0,1,4,0,2,2,4,0,9,3\r\n";
const std::string kZoe = "9,\"Friends\",\"Zoe\",8,0,0,0,0,3,2,4,0,9,2\r\n";
const std::string kNewCustom = kCustom + kZoe;

const std::string kUnknownType = "warn: The Time Zone file is corrupted - unknown location type.";
const std::string kUnknownCustomType =
    "warn: The Custom Time Zone file is corrupted - unknown location type.";
const std::string kDuplicate = "warn: The Time Zone file is corrupted - duplicate entry.";
const std::string kSequence =
    "warn: The Time Zone file is corrupted - invalid sequence. Run setup again to restore the "
    "original file.";

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

void WriteFile(const std::string& name, const std::string& content) {
  std::ofstream(name, std::ios::binary) << content;
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& name) {
  return std::filesystem::exists(name);
}

// Every location as the line Save writes for it.
std::string Canonical(const CLocationDB& db) {
  std::string text;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    CZoneFile::AppendLine(*db.At(i), text);
  }
  return text;
}

using Texts = std::vector<std::string>;

// Every message recorded, as "warn: text" or "info: text".
Texts Spoken(const test::RecordingSink& sink) {
  Texts said;
  for (const auto& m : sink.Messages()) {
    said.push_back((m.kind == test::RecordingSink::Kind::kWarn ? "warn: " : "info: ") + m.text);
  }
  return said;
}

// How many progress steps a whole buffer of this size gives.
std::size_t StepsFor(std::size_t size) {
  return size / (size / 30 + 1);
}

// The location of one line, read the way a file is.
std::unique_ptr<CLocation> LocationOf(const std::string& line, bool isCustom) {
  const std::vector<std::uint8_t> bytes = Bytes(line);
  CZoneFile file(bytes, isCustom, {});
  CZoneFile::Record record;
  EXPECT_EQ(file.Next(record), CZoneFile::Status::kRecord) << line;
  return CZoneFile::MakeLocation(record);
}

// (type, country, name) of every entry, in array order.
std::vector<std::string> Keys(const CLocationDB& db) {
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    const CLocation& l = *db.At(i);
    keys.push_back(std::to_string(l.GetType()) + "|" + l.Country() + "|" + l.Name());
  }
  return keys;
}

bool IsStrictlyOrdered(const CLocationDB& db) {
  using Key = std::tuple<int, const std::string&, const std::string&>;
  for (std::size_t i = 1; i < db.Count(); ++i) {
    const CLocation& a = *db.At(i - 1);
    const CLocation& b = *db.At(i);
    if (Key{a.GetType(), a.Country(), a.Name()} >= Key{b.GetType(), b.Country(), b.Name()}) {
      return false;
    }
  }
  return true;
}

class ZoneFileTest : public ::testing::Test {
 protected:
  bool Parse(const std::string& text, bool isCustom = false) {
    return m_db.Parse(Bytes(text), isCustom, m_sink);
  }
  bool Load() { return m_db.Load(m_files, m_sink); }

  Texts Said() const { return Spoken(m_sink); }

  // Whether the files in the directory load, without a word, into these keys.
  void ExpectLoadable(const std::vector<std::string>& keys) {
    test::RecordingSink sink;
    test::FaultyFileLayer files;
    CLocationDB db;
    EXPECT_TRUE(db.Load(files, sink));
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_EQ(Keys(db), keys);
  }

  test::FakeClock m_clock{2026, 7, 1, 12, 0, 0};
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FaultyFileLayer m_files;
  test::RecordingSink m_sink;
  CLocationDB m_db;
};

const std::vector<std::string> kOldKeys = {
    "1|Australia|Sydney", "1|France|Paris", "1|India|New Delhi", "1|United States|New York",
    "2|Newfoundland|709", "9||Base camp",   "9|Friends|Anna"};
const std::vector<std::string> kNewKeys = {
    "1|Australia|Sydney", "1|France|Paris",           "1|Germany|Berlin",
    "1|India|New Delhi",  "1|United States|New York", "2|Newfoundland|709",
    "9||Base camp",       "9|Friends|Anna",           "9|Friends|Zoe"};

}  // namespace

// ---- Reading lines

TEST_F(ZoneFileTest, ReadsLinesByTheLenientRules) {
  const struct {
    const char* what;
    std::string text;
    std::string canonical;  // what was read, as Save writes it
  } cases[] = {
      {"a canonical line", kNewYork, kNewYork},
      {"missing fields read as 0", "1,\"C\",\"N\"\r\n", "1,\"C\",\"N\",0,0,0,0,0,0,0,0,0,0,0\r\n"},
      {"fields beyond the 14th are ignored", "2,\"C\",\"N\",1,0,1,4,0,2,2,4,0,9,3,7,8\r\n",
       "2,\"C\",\"N\",1,0,1,4,0,2,2,4,0,9,3\r\n"},
      {"LF alone ends a line",
       "1,\"C\",\"N\",1,0,1,4,0,11,23,4,0,9,3\n1,\"D\",\"N\",1,0,1,4,0,2,2,4,0,10,23\n",
       "1,\"C\",\"N\",1,0,1,4,0,11,23,4,0,9,3\r\n1,\"D\",\"N\",1,0,1,4,0,2,2,4,0,10,23\r\n"},
      {"a number ends at its first non-digit", "1,\"C\",\"N\",12abc,x,1,4,0,2,2,4,0,9,3\r\n",
       "1,\"C\",\"N\",12,0,1,4,0,2,2,4,0,9,3\r\n"},
      {"leading blanks and signs", "1,\"C\",\"N\", -5,+3,1,4,0,2,2,4,0,9,3\r\n",
       "1,\"C\",\"N\",-5,3,1,4,0,2,2,4,0,9,3\r\n"},
      {"absurd numbers are clamped", "1,\"C\",\"N\",99999999999999999999,-99999999999\r\n",
       "1,\"C\",\"N\",99999,-99999,0,0,0,0,0,0,0,0,0\r\n"},
      {"one-digit fields keep their last character", "21,\"C\",\"N\",1,0,01,x4,90,2,2,4,0,9,3\r\n",
       "1,\"C\",\"N\",1,0,1,4,0,2,2,4,0,9,3\r\n"},
      {"month and hour fields take at most two characters",
       "1,\"C\",\"N\",1,0,1,4,0,115,-1,4,0,9,3\r\n", "1,\"C\",\"N\",1,0,1,4,0,11,-1,4,0,9,3\r\n"},
      {"texts longer than 40 bytes are cut",
       "1,\"" + std::string(50, 'c') + "\",\"" + std::string(45, 'n') + "\"\r\n",
       "1,\"" + std::string(40, 'c') + "\",\"" + std::string(40, 'n') +
           "\",0,0,0,0,0,0,0,0,0,0,0\r\n"},
      {"commas inside quotes belong to the text", "1,\"C\",\"A,B\",1,0\r\n",
       "1,\"C\",\"A,B\",1,0,0,0,0,0,0,0,0,0,0\r\n"},
      {"blanks ending a text are dropped", "1,\"US  \",\"Boston \",1,0\r\n",
       "1,\"US\",\"Boston\",1,0,0,0,0,0,0,0,0,0,0\r\n"},
      {"bytes outside the quotes are ignored", "1,x\"C\"y,\"N\",1,0\r\n",
       "1,\"C\",\"N\",1,0,0,0,0,0,0,0,0,0,0\r\n"},
      {"unquoted texts are empty", "1,C,N,1,0\r\n", "1,\"\",\"\",1,0,0,0,0,0,0,0,0,0,0\r\n"},
      {"a last line without line end is not loaded", kParis + kBerlin.substr(0, kBerlin.size() - 1),
       kParis},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_db.Destroy();
    EXPECT_TRUE(Parse(c.text));
    EXPECT_EQ(Canonical(m_db), c.canonical);
  }
  EXPECT_TRUE(Said().empty());
}

TEST_F(ZoneFileTest, LoadedPlacesTellTheirCurrentTimes) {
  ASSERT_TRUE(Parse(kNewYork + kArea709));
  // July: daylight saving, so 12:00 GMT is 8:00 in New York and 9:30 in Newfoundland.
  const CDateTime now;
  EXPECT_EQ(PlaceTime::Current(*m_db.At(0), now, {}).local, CDateTime(2026, 7, 1, 8, 0, 0));
  EXPECT_EQ(PlaceTime::Current(*m_db.At(1), now, {}).local, CDateTime(2026, 7, 1, 9, 30, 0));
}

// ---- Type and order checks

TEST_F(ZoneFileTest, TypeAndOrderChecksStopAtTheFirstBadLine) {
  const std::string line2 = "2,\"Canada\",\"416\",-5,0,1,1,0,2,2,0,0,10,2\r\n";
  const struct {
    const char* what;
    std::string text;
    bool isCustom;
    std::size_t loaded;
    Texts said;
  } cases[] = {
      {"two identical lines", kBerlin + kBerlin, false, 1, {kDuplicate}},
      {"an area code before a city", line2 + kBerlin, false, 1, {kSequence}},
      {"a country sorting before the previous one", kBerlin + kParis, false, 1, {kSequence}},
      {"a name sorting before the previous one",
       kBerlin + "1,\"Germany\",\"Aachen\",1,0,1,4,0,2,2,4,0,9,3\r\n",
       false,
       1,
       {kSequence}},
      {"the first line always passes the order check", line2, false, 1, {}},
      {"bytes above 127 sort after ASCII",
       "1,\"Z\",\"A\",0,0\r\n1,\"\xC9gypte\",\"Le Caire\",2,0\r\n",
       false,
       2,
       {}},
      {"texts are compared padded with spaces",
       "1,\"New\",\"York\",0,0\r\n1,\"New York\",\"Albany\",0,0\r\n",
       false,
       2,
       {}},
      {"a custom line in the standard file", kZoe, false, 0, {kUnknownType}},
      {"a blank line", kBerlin + "\r\n", false, 1, {kUnknownType}},
      {"a type of its own", "3,\"C\",\"N\"\r\n", false, 0, {kUnknownType}},
      {"a city in the custom file", kZoe + kBerlin, true, 1, {kUnknownCustomType}},
      {"custom lines in the custom file", kNewCustom, true, 3, {}},
      {"an empty file", "", false, 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_db.Destroy();
    m_sink.Clear();
    EXPECT_EQ(Parse(c.text, c.isCustom), c.said.empty());
    EXPECT_EQ(m_db.Count(), c.loaded);
    EXPECT_EQ(Said(), c.said);
  }
}

TEST_F(ZoneFileTest, TextsTheTwoOrdersWouldDisagreeOnAreRefusedWithTheirLine) {
  const struct {
    const char* what;
    std::string text;
    std::size_t loaded;
    std::string said;
  } cases[] = {
      {"a control character", kParis + "1,\"US\x01\",\"X\",0,0\r\n1,\"US\",\"X\",0,0\r\n", 1,
       "warn: The Time Zone file is corrupted - line 2 holds a control character in a text."},
      {"a missing closing quote", kParis + "1,\"Germany\",\"Bonn,1,0\r\n" + kDelhi, 1,
       "warn: The Time Zone file is corrupted - line 2 lacks the closing quote of a text."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_db.Destroy();
    m_sink.Clear();
    EXPECT_FALSE(Parse(c.text));
    EXPECT_EQ(m_db.Count(), c.loaded);
    EXPECT_EQ(Said(), Texts{c.said});
  }
  // A trailing blank sorts the same in the file's padded key and in the database, so what
  // is taken in saves to a file that loads back.
  WriteFile("TIME_ZON.DAT", "1,\"US \",\"Boston\",0,0\r\n1,\"US!\",\"Albany\",0,0\r\n");
  ASSERT_TRUE(Load());
  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  ExpectLoadable({"1|US|Boston", "1|US!|Albany"});
}

TEST_F(ZoneFileTest, ProgressStepsFollowTheReadPosition) {
  std::string big;
  for (int i = 0; i < 300; ++i) {
    big += "1,\"Country" + std::to_string(1000 + i) + "\",\"City\",0,0,0,0,0,3,2,4,0,9,2\r\n";
  }
  for (const std::string& text : {std::string(), std::string("x"), kBerlin, kStandard, big}) {
    SCOPED_TRACE(text.size());
    int steps = 0;
    CLocationDB db;
    ASSERT_TRUE(db.Parse(Bytes(text), false, m_sink, [&steps] { ++steps; }));
    EXPECT_EQ(static_cast<std::size_t>(steps), StepsFor(text.size()));
  }

  // A load steps through both files.
  WriteFile("TIME_ZON.DAT", big);
  WriteFile("CUST_ZON.DAT", kCustom);
  int steps = 0;
  ASSERT_TRUE(m_db.Load(m_files, m_sink, [&steps] { ++steps; }));
  EXPECT_EQ(static_cast<std::size_t>(steps), StepsFor(big.size()) + StepsFor(kCustom.size()));
}

// ---- Loading

TEST_F(ZoneFileTest, CanonicalFilesLoadAndSaveByteIdentical) {
  WriteFile("TIME_ZON.DAT", kStandard);
  WriteFile("CUST_ZON.DAT", kCustom);
  ASSERT_TRUE(Load());
  EXPECT_EQ(Keys(m_db), kOldKeys);
  // A second load replaces the contents rather than adding to them.
  ASSERT_TRUE(Load());
  EXPECT_EQ(m_db.Count(), kOldKeys.size());

  std::filesystem::remove("TIME_ZON.DAT");
  std::filesystem::remove("CUST_ZON.DAT");
  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
  EXPECT_EQ(ReadFile("CUST_ZON.DAT"), kCustom);
  EXPECT_TRUE(Said().empty());
}

TEST_F(ZoneFileTest, NoCustomLocationsMeansNoCustomFile) {
  WriteFile("TIME_ZON.DAT", kStandard);
  ASSERT_TRUE(Load());
  EXPECT_EQ(m_db.Count(), 5u);
  WriteFile("CUST_ZON.DAT", "");
  ASSERT_TRUE(Load());
  EXPECT_EQ(m_db.Count(), 5u);
  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  EXPECT_FALSE(Exists("CUST_ZON.DAT"));

  // Deleting the last custom location: a failed save deletes nothing, a good one the file.
  WriteFile("CUST_ZON.DAT", kZoe);
  ASSERT_TRUE(Load());
  m_db.RemoveAt(m_db.Count() - 1, true);
  m_files.FailWrite(m_files.Writes() + 1, FileCause::kDiskFull);
  EXPECT_FALSE(m_db.Save(m_files, m_sink));
  EXPECT_TRUE(Exists("CUST_ZON.DAT"));
  EXPECT_TRUE(m_db.Save(m_files, m_sink));
  EXPECT_FALSE(Exists("CUST_ZON.DAT"));
  EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
}

TEST_F(ZoneFileTest, CorruptedFilesStopTheLoad) {
  const std::string deleteCustom = "warn:  Delete file CUST_ZON.DAT to correct the problem.";
  const struct {
    const char* what;
    std::string standard;  // empty: no TIME_ZON.DAT
    std::string custom;
    Texts said;
  } cases[] = {
      {"no standard file", "", kCustom, {"warn: Cannot open the time zone file"}},
      {"a corrupted standard file",
       kBerlin + kBerlin,
       kCustom,
       {kDuplicate, "info: Run setup again to restore file TIME_ZON.DAT."}},
      {"a city in the custom file", kStandard, kBerlin, {kUnknownCustomType, deleteCustom}},
      {"a custom file out of order", kStandard, kZoe + kCustom, {kSequence, deleteCustom}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove("TIME_ZON.DAT");
    if (!c.standard.empty()) {
      WriteFile("TIME_ZON.DAT", c.standard);
    }
    WriteFile("CUST_ZON.DAT", c.custom);
    m_sink.Clear();
    EXPECT_FALSE(Load());
    EXPECT_EQ(Said(), c.said);
    EXPECT_EQ(m_db.Count(), 0u);
  }
}

TEST_F(ZoneFileTest, ReadAndCloseErrorsWhileLoading) {
  const struct {
    const char* what;
    bool update;
    int failRead;  // reads: TEMPT.DAT, TIME_ZON.DAT, CUST_ZON.DAT
    FileStage stage;
    FileCause cause;
    std::string said;
  } cases[] = {
      {"standard file unreadable", false, 2, FileStage::kRead, FileCause::kHardwareIo,
       "warn: Cannot read the time zone file.  Return code: 10"},
      {"standard file not closed", false, 2, FileStage::kClose, FileCause::kDiskFull,
       "warn: Cannot close the time zone file.  Close return code: 13"},
      {"update unreadable", true, 1, FileStage::kRead, FileCause::kHardwareIo,
       "warn: Cannot read the time zone file.  Return code: 10"},
      {"update not closed", true, 1, FileStage::kClose, FileCause::kLockViolation,
       "warn: Cannot close the time zone file.  Close return code: 12"},
      {"custom file unreadable", false, 3, FileStage::kRead, FileCause::kHardwareIo,
       "warn: Cannot read the custom time zone file.  Return code: 10"},
      {"custom file not closed", false, 3, FileStage::kClose, FileCause::kSharingViolation,
       "warn: Cannot read the custom time zone file.  Close return code: 11"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    test::ScopedCwd cwd(dir.Path());
    WriteFile("TIME_ZON.DAT", kStandard);
    WriteFile("CUST_ZON.DAT", kNewCustom);
    if (c.update) {
      WriteFile("TEMPT.DAT", kNewStandard);
    }
    test::FaultyFileLayer files;
    files.FailRead(c.failRead, c.cause, c.stage);
    test::RecordingSink sink;
    CLocationDB db;
    // An update that cannot be read waits for a later start while TIME_ZON.DAT serves.
    const bool loads = c.failRead != 2;
    EXPECT_EQ(db.Load(files, sink), loads);
    EXPECT_EQ(Spoken(sink), Texts{c.said});
    EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
    EXPECT_EQ(Exists("TEMPT.DAT"), c.update);
    if (c.failRead == 3) {
      // The custom lines that arrived before a failed close are loaded; a file that could
      // not be read gives none.
      const std::string arrived = kNewCustom.substr(0, kNewCustom.size() / 2);
      const auto whole = std::count(arrived.begin(), arrived.end(), '\n');
      const bool closing = c.stage == FileStage::kClose;
      EXPECT_EQ(db.Count(), 5u + (closing ? static_cast<std::size_t>(whole) : 0u));
    }
  }
}

TEST_F(ZoneFileTest, ACustomFileThatCannotBeReadIsNeverReplacedOrRemoved) {
  for (const FileStage stage : {FileStage::kOpen, FileStage::kRead}) {
    SCOPED_TRACE(static_cast<int>(stage));
    WriteFile("TIME_ZON.DAT", kStandard);
    WriteFile("CUST_ZON.DAT", kCustom);
    test::FaultyFileLayer files;
    files.FailRead(3, FileCause::kAccessDenied, stage);  // TEMPT.DAT, TIME_ZON.DAT, CUST_ZON.DAT
    test::RecordingSink sink;
    CLocationDB db;
    ASSERT_TRUE(db.Load(files, sink));
    EXPECT_EQ(Spoken(sink), Texts{"warn: Cannot read the custom time zone file.  Return code: 5"});
    // Saving without custom locations would remove the file, with one it would replace it.
    EXPECT_FALSE(db.Save(files, sink));
    db.Insert(LocationOf(kZoe, true));
    EXPECT_FALSE(db.Save(files, sink));
    const std::string notSaved = "warn: " + std::string(CLocationDB::kCustomNotSavedMessage);
    EXPECT_EQ(Spoken(sink), (Texts{"warn: Cannot read the custom time zone file.  Return code: 5",
                                   notSaved, notSaved}));
    EXPECT_EQ(ReadFile("CUST_ZON.DAT"), kCustom);
    EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
  }
}

TEST_F(ZoneFileTest, AFileTooLargeToHoldIsAReadError) {
  WriteFile("TIME_ZON.DAT", kStandard);
  std::filesystem::resize_file("TIME_ZON.DAT", CLocationDB::kMaxFileBytes + 1);
  EXPECT_FALSE(Load());
  EXPECT_EQ(Said(), (Texts{"warn: Cannot read the time zone file.  Return code: 6"}));
}

// ---- Taking in a downloaded update

TEST_F(ZoneFileTest, AnUpdateReplacesTheStandardFileAndKeepsCustomLocations) {
  WriteFile("TIME_ZON.DAT", kStandard);
  WriteFile("TEMPT.DAT", kNewStandard);
  WriteFile("CUST_ZON.DAT", kNewCustom);
  ASSERT_TRUE(Load());
  EXPECT_TRUE(Said().empty());
  EXPECT_EQ(Keys(m_db), kNewKeys);
  EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kNewStandard);
  EXPECT_EQ(ReadFile("CUST_ZON.DAT"), kNewCustom);
  EXPECT_EQ(ReadFile("TIME_ZON.BAK"), kStandard);
  EXPECT_FALSE(Exists("TEMPT.DAT"));
}

TEST_F(ZoneFileTest, ABadUpdateIsDeletedAndTheCurrentDatabaseStays) {
  const std::string deleted = "  It was deleted; the current time zone file stays in use.";
  const std::string prefix = "warn: The downloaded time zone file ";
  std::string endless;
  while (endless.size() <= CZoneFileCheck::kMaxBytes) {
    endless += kNewStandard;
  }
  const struct {
    const char* what;
    std::string update;
    std::string said;
  } cases[] = {
      {"an empty download", "", "is empty."},
      {"a download cut mid-line", kNewStandard.substr(0, kNewStandard.size() - 9),
       "ends in the middle of line 6."},
      {"an HTML error page", "<html><body>404 Not Found</body></html>\r\n",
       "is damaged at line 1."},
      {"a line ended by LF alone", kSydney + "1,\"France\",\"Paris\",1,0,1,4,0,2,2,4,0,9,3\n",
       "is damaged at line 2."},
      {"a missing field", kSydney + "1,\"France\",\"Paris\",1,0,1,4,0,2,2,4,0,9\r\n",
       "is damaged at line 2."},
      {"an offset out of range", kSydney + "1,\"France\",\"Paris\",99,0,1,4,0,2,2,4,0,9,3\r\n",
       "is damaged at line 2."},
      {"a trailing blank", kSydney + "1,\"France \",\"Paris\",1,0,1,4,0,2,2,4,0,9,3\r\n",
       "is damaged at line 2."},
      {"a custom line", kSydney + kZoe, "is damaged at line 2."},
      {"lines out of order", kParis + kSydney + kDelhi, "is out of order at line 2."},
      {"a line twice", kSydney + kSydney + kDelhi, "is out of order at line 2."},
      {"a file far shorter than the current one", kSydney + kParis,
       "has 2 lines where the current one has 5."},
      {"a file beyond the size limit", endless, "is larger than 8 MB."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile("TIME_ZON.DAT", kStandard);
    WriteFile("CUST_ZON.DAT", kCustom);
    WriteFile("TEMPT.DAT", c.update);
    m_sink.Clear();
    EXPECT_TRUE(Load());
    EXPECT_EQ(Said(), Texts{prefix + c.said + deleted});
    EXPECT_EQ(Keys(m_db), kOldKeys);
    EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
    EXPECT_FALSE(Exists("TEMPT.DAT"));
    EXPECT_FALSE(Exists("TIME_ZON.BAK"));
  }

  // A download no shorter than half the current file is taken in, the old file kept.
  WriteFile("TEMPT.DAT", kSydney + kParis + kDelhi);
  m_sink.Clear();
  EXPECT_TRUE(Load());
  EXPECT_TRUE(Said().empty());
  EXPECT_EQ(ReadFile("TIME_ZON.BAK"), kStandard);
}

TEST_F(ZoneFileTest, AnUpdateWhoseBackupFailsWaitsForALaterStart) {
  WriteFile("TIME_ZON.DAT", kStandard);
  WriteFile("CUST_ZON.DAT", kCustom);
  WriteFile("TEMPT.DAT", kNewStandard);
  m_files.FailWrite(1, FileCause::kDiskFull);
  EXPECT_TRUE(Load());
  EXPECT_EQ(Said(), (Texts{"warn: Cannot keep the previous time zone file as TIME_ZON.BAK, so "
                           "the downloaded one is taken in at a later start.  Return code: 13"}));
  EXPECT_EQ(Keys(m_db), kOldKeys);
  EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kStandard);
  EXPECT_TRUE(Exists("TEMPT.DAT"));
}

TEST_F(ZoneFileTest, AnUpdateWhoseSaveFailsIsTakenInAgainNextTime) {
  const struct {
    const char* what;
    int failWrite;
    int failRename;
    FileStage stage;
    std::string said;
    const std::string& standardAfter;
  } cases[] = {
      // The first write and rename keep the old file as TIME_ZON.BAK; the zone names file
      // comes third.
      {"standard file not written", 2, 0, FileStage::kWrite,
       "warn: Cannot save the time zone file.  Return code: 13", kStandard},
      {"standard file not renamed", 0, 2, FileStage::kWrite,
       "warn: Cannot save the time zone file.  Return code: 5", kStandard},
      {"standard file not closed", 2, 0, FileStage::kClose,
       "warn: Cannot close the time zone file while saving.  Close return code: 13", kStandard},
      {"custom file not written", 4, 0, FileStage::kWrite,
       "warn: Cannot save the custom time zone file.  Return code: 13", kNewStandard},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    test::ScopedCwd cwd(dir.Path());
    WriteFile("TIME_ZON.DAT", kStandard);
    WriteFile("TEMPT.DAT", kNewStandard);
    WriteFile("CUST_ZON.DAT", kNewCustom);
    test::FaultyFileLayer files;
    files.FailWrite(c.failWrite, FileCause::kDiskFull, c.stage);
    files.FailRename(c.failRename, FileCause::kAccessDenied);
    test::RecordingSink sink;
    CLocationDB db;
    EXPECT_TRUE(db.Load(files, sink));
    EXPECT_EQ(Spoken(sink), Texts{c.said});
    EXPECT_EQ(ReadFile("TIME_ZON.DAT"), c.standardAfter);
    EXPECT_EQ(ReadFile("CUST_ZON.DAT"), kNewCustom);
    EXPECT_TRUE(Exists("TEMPT.DAT"));

    ExpectLoadable(kNewKeys);
    EXPECT_EQ(ReadFile("TIME_ZON.DAT"), kNewStandard);
    EXPECT_EQ(ReadFile("TIME_ZON.BAK"), kStandard) << "the backup is of the file before";
    EXPECT_FALSE(Exists("TEMPT.DAT"));
  }
}

// ---- Saving

TEST_F(ZoneFileTest, ASaveFailingPartWayLeavesEachFileOldOrNewAndLoadable) {
  const struct {
    const char* what;
    int failWrite;
    int failRename;
    FileStage stage;
    FileCause cause;
    bool saved;
    std::string said;
    bool standardIsNew;
    bool customIsNew;
  } cases[] = {
      {"standard file not created", 1, 0, FileStage::kOpen, FileCause::kAccessDenied, false,
       "warn: Cannot open the time zone file", false, false},
      {"standard file not written", 1, 0, FileStage::kWrite, FileCause::kDiskFull, false,
       "warn: Cannot save the time zone file.  Return code: 13", false, false},
      {"standard file not renamed", 0, 1, FileStage::kWrite, FileCause::kAccessDenied, false,
       "warn: Cannot save the time zone file.  Return code: 5", false, false},
      {"standard file not closed", 1, 0, FileStage::kClose, FileCause::kHardwareIo, true,
       "warn: Cannot close the time zone file while saving.  Close return code: 10", false, true},
      // The zone names file goes between the two zone files.
      {"zone names not written", 2, 0, FileStage::kWrite, FileCause::kDiskFull, false,
       "warn: Cannot save the zone names file.  Return code: 13", true, false},
      {"custom file not created", 3, 0, FileStage::kOpen, FileCause::kAccessDenied, false,
       "warn: Cannot open the custom time zone file", true, false},
      {"custom file not written", 3, 0, FileStage::kWrite, FileCause::kDiskFull, false,
       "warn: Cannot save the custom time zone file.  Return code: 13", true, false},
      {"custom file not renamed", 0, 3, FileStage::kWrite, FileCause::kSharingViolation, false,
       "warn: Cannot save the custom time zone file.  Return code: 11", true, false},
      {"custom file not closed", 3, 0, FileStage::kClose, FileCause::kHardwareIo, true,
       "warn: Cannot close the custom time zone file while saving.  Close return code: 10", true,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    test::ScopedCwd cwd(dir.Path());
    WriteFile("TIME_ZON.DAT", kStandard);
    WriteFile("CUST_ZON.DAT", kCustom);
    CLocationDB db;
    test::RecordingSink sink;
    test::FaultyFileLayer files;
    ASSERT_TRUE(db.Load(files, sink));
    db.Insert(LocationOf(kBerlin, false));
    db.Insert(LocationOf(kZoe, true));

    files.FailWrite(c.failWrite, c.cause, c.stage);
    files.FailRename(c.failRename, c.cause);
    EXPECT_EQ(db.Save(files, sink), c.saved);
    EXPECT_EQ(Spoken(sink), Texts{c.said});
    EXPECT_EQ(ReadFile("TIME_ZON.DAT"), c.standardIsNew ? kNewStandard : kStandard);
    EXPECT_EQ(ReadFile("CUST_ZON.DAT"), c.customIsNew ? kNewCustom : kCustom);
    EXPECT_FALSE(Exists("TIME_ZON.DAT.saving"));
    EXPECT_FALSE(Exists("CUST_ZON.DAT.saving"));
    // The in-memory database is kept whatever the outcome.
    EXPECT_EQ(Keys(db), kNewKeys);
    test::RecordingSink quiet;
    CLocationDB reloaded;
    EXPECT_TRUE(reloaded.Load(files, quiet));
    EXPECT_TRUE(quiet.Messages().empty());
  }
}

TEST_F(ZoneFileTest, ADatabaseInInsertOrderAlwaysSavesToAFileThatLoadsBack) {
  // Texts as the properties dialog lets them through: printable, no double quote, no
  // trailing blank, at most 40 bytes.
  static const char kAlphabet[] = "AZaz09 -.'(),\xC9\xE9\xF6\xFF";
  std::mt19937 rng(7);
  const auto text = [&rng] {
    std::string s(rng() % 12, ' ');
    for (char& c : s) {
      c = kAlphabet[rng() % (sizeof(kAlphabet) - 1)];
    }
    while (!s.empty() && s.back() == ' ') {
      s.pop_back();
    }
    return s;
  };
  const int types[] = {CLocation::kCity, CLocation::kAreaCode, CLocation::kCustom};
  for (int i = 0; i < 600; ++i) {
    auto location = std::make_unique<CLocation>();
    location->SetType(types[rng() % 3]);
    location->SetCountry(text());
    location->SetName(text());
    location->SetOffset(static_cast<int>(rng() % 27) - 12);
    if (m_db.Find(location->Name(), location->Country()) < 0) {
      m_db.Insert(std::move(location));
    }
  }
  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  ExpectLoadable(Keys(m_db));
  EXPECT_TRUE(Said().empty());
}

// ---- Untrusted input

TEST_F(ZoneFileTest, SurvivesRandomBytesAndMutatedFiles) {
  static const char kBiased[] = ",,,\"\"\r\n\n0123456789-19 aZ";
  std::mt19937 rng(20261208);
  const auto byte = [&rng](bool biased) {
    return biased ? kBiased[rng() % (sizeof(kBiased) - 1)] : static_cast<char>(rng() % 256);
  };
  const std::string base = kStandard + kBerlin;
  const std::vector<std::string> faults = {kUnknownType, kUnknownCustomType, kDuplicate, kSequence};
  for (int i = 0; i < 2000; ++i) {
    std::string text;
    if (i % 2 == 0) {
      const bool biased = rng() % 2 == 0;
      text.resize(rng() % 200);
      for (char& c : text) {
        c = byte(biased);
      }
    } else {
      text = base;
      for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0 && !text.empty(); --edits) {
        const std::size_t at = rng() % text.size();
        switch (rng() % 4) {
          case 0:
            text[at] = byte(rng() % 2 == 0);
            break;
          case 1:
            text.insert(at, 1, byte(true));
            break;
          case 2:
            text.erase(at, 1 + rng() % 8);
            break;
          default:
            text.resize(at);
        }
      }
    }
    for (const bool isCustom : {false, true}) {
      CLocationDB db;
      test::RecordingSink sink;
      const bool ok = db.Parse(Bytes(text), isCustom, sink);
      ASSERT_EQ(sink.Messages().size(), ok ? 0u : 1u) << i;
      if (!ok) {
        const std::string said = Spoken(sink)[0];
        const bool lineFault =
            said.starts_with("warn: The Time Zone file is corrupted - line ") ||
            said.starts_with("warn: The Custom Time Zone file is corrupted - line ");
        ASSERT_TRUE(lineFault || std::find(faults.begin(), faults.end(), said) != faults.end())
            << i << ": " << said;
      }
      ASSERT_TRUE(IsStrictlyOrdered(db)) << i;
      for (std::size_t k = 0; k < db.Count(); ++k) {
        const CLocation& l = *db.At(k);
        ASSERT_LE(l.Name().size(), CZoneFile::kMaxTextLength);
        ASSERT_LE(l.Country().size(), CZoneFile::kMaxTextLength);
        ASSERT_LE(std::abs(l.GetOffsetHours()), CZoneFile::kNumberLimit);
        ASSERT_EQ(l.GetType() == CLocation::kCustom, isCustom);
      }
    }
  }
}
