// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/databaseupdate.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/clocksettings.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"
#include "timecore/datetime.h"

using namespace zw;
using Component = CDatabaseUpdate::Component;

namespace {

constexpr std::int64_t kNow = 1773583620;  // 2026-03-15 14:07:00 UTC, a Sunday

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const char* path) {
  return std::filesystem::exists(path);
}

std::string CurrencyFile(const char* name, double rate) {
  std::string record(48, '\0');
  record[0] = 'R';
  std::memcpy(record.data() + 1, name, std::strlen(name));
  const auto bits = std::bit_cast<std::uint64_t>(rate);
  for (int i = 0; i < 8; ++i) {
    record[static_cast<std::size_t>(40 + i)] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return record + "DRates of the test";
}

// A category title line and one unit in fixed columns.
const std::string kMeasureFile =
    "L 0          0 Length\r\n"
    "L 1          1 Metre\r\n";

// A time zone file as the update server sends it.
const std::string kZones =
    "1,\"Australia\",\"Sydney\",10,0,1,0,0,9,2,0,0,3,3\r\n"
    "1,\"France\",\"Paris\",1,0,1,4,0,2,2,4,0,9,3\r\n"
    "1,\"India\",\"New Delhi\",5,30,0,0,0,3,2,4,0,9,2\r\n";

// The computer's zone for the test's lifetime.
class ScopedZone {
 public:
  explicit ScopedZone(const char* zone) {
    if (const char* old = ::getenv("TZ")) {
      m_old = old;
      m_had = true;
    }
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedZone() {
    if (m_had) {
      ::setenv("TZ", m_old.c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  ScopedZone(const ScopedZone&) = delete;
  ScopedZone& operator=(const ScopedZone&) = delete;

 private:
  std::string m_old;
  bool m_had = false;
};

class DatabaseUpdateTest : public ::testing::Test {
 protected:
  DatabaseUpdateTest() : m_cwd(m_dir.Path()) {
    WriteFile("CURRENCY.DAT", "old rates");
    WriteFile("MEASURE.DAT", "old units");
  }

  // A run of `queued` that downloads the given files and ends as told.
  void RunWith(CDatabaseUpdate::Selection queued, bool success) {
    m_update.BeginRun(queued);
    m_update.EndRun(success, kNow);
  }

  test::TempDir m_dir;
  test::ScopedCwd m_cwd;
  CClockSettings m_settings;
  test::FaultyFileLayer m_files;
  test::RecordingSink m_sink;
  CDatabaseUpdate m_update{m_settings, m_files, m_sink};
};

TEST_F(DatabaseUpdateTest, CurrencyAloneIsInstalledWithoutARestart) {
  const std::string rates = CurrencyFile("Euro", 1.1);
  WriteFile("TEMPC.DAT", rates);
  RunWith({false, true, false}, true);

  EXPECT_FALSE(m_update.RestartWanted());
  EXPECT_EQ(m_settings.Values().currencyUpdatedAt, kNow);
  EXPECT_EQ(m_settings.Values().zoneUpdatedAt, 0);
  m_update.Finish();
  EXPECT_EQ(ReadFile("CURRENCY.DAT"), rates);
  EXPECT_EQ(ReadFile("MEASURE.DAT"), "old units");
  EXPECT_FALSE(Exists("TEMPC.DAT"));
  EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(DatabaseUpdateTest, TimeZoneDownloadWaitsForTheRestart) {
  WriteFile("TEMPT.DAT", kZones);
  WriteFile("TEMPM.DAT", kMeasureFile);
  RunWith({true, false, true}, true);
  EXPECT_TRUE(m_update.RestartWanted());

  // A later run without the time zone no longer asks for the restart.
  WriteFile("TEMPC.DAT", CurrencyFile("Yen", 0.007));
  RunWith({false, true, false}, true);
  EXPECT_FALSE(m_update.RestartWanted());

  m_update.Finish();
  EXPECT_EQ(ReadFile("TEMPT.DAT"), kZones);
  EXPECT_EQ(ReadFile("MEASURE.DAT"), kMeasureFile);
  EXPECT_FALSE(Exists("TEMPC.DAT"));
  EXPECT_FALSE(Exists("TEMPM.DAT"));
}

TEST_F(DatabaseUpdateTest, TimeZoneDownloadThatIsNoWholeZoneFileIsNotReceived) {
  WriteFile("TIME_ZON.DAT", kZones + "1,\"Peru\",\"Lima\",-5,0,0,0,0,3,2,4,0,9,2\r\n");
  const struct {
    const char* what;
    std::string download;
    std::string said;
  } cases[] = {
      {"cut mid-file", kZones.substr(0, 100), "ends in the middle of line 3."},
      {"one line of four", kZones.substr(0, kZones.find('\n') + 1),
       "has 1 lines where the current one has 4."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile("TEMPT.DAT", c.download);
    m_sink.Clear();
    RunWith({true, false, false}, true);
    EXPECT_EQ(m_sink.LastText(), "The downloaded time zone file " + c.said +
                                     "  It was deleted; the current time zone file stays in use.");
    EXPECT_FALSE(m_update.RestartWanted());
    EXPECT_EQ(m_settings.Values().zoneUpdatedAt, 0) << "no update was received";
    EXPECT_FALSE(Exists("TEMPT.DAT"));
  }
}

TEST_F(DatabaseUpdateTest, FailedRunInstallsNothingAndDropsTheTimeZoneDownload) {
  WriteFile("TEMPT.DAT", "half the zo");
  WriteFile("TEMPC.DAT", CurrencyFile("Euro", 1.1));
  RunWith({true, true, false}, false);

  EXPECT_TRUE(m_update.RunFailed());
  EXPECT_EQ(m_settings.Values().currencyUpdatedAt, 0);
  m_update.Finish();
  EXPECT_FALSE(Exists("TEMPT.DAT"));
  EXPECT_FALSE(Exists("TEMPC.DAT"));
  EXPECT_EQ(ReadFile("CURRENCY.DAT"), "old rates");
}

TEST_F(DatabaseUpdateTest, DownloadCutShortByAFailedRunIsNotInstalledByALaterSuccess) {
  WriteFile("TEMPC.DAT", CurrencyFile("Euro", 1.1));
  RunWith({false, true, false}, true);
  // The next run fetches the currency file again and fails part-way...
  WriteFile("TEMPC.DAT", CurrencyFile("Eu", 1.1).substr(0, 20));
  WriteFile("TEMPT.DAT", "half the zo");
  RunWith({true, true, false}, false);
  // ...and one more run fetches only the measurement file.
  WriteFile("TEMPM.DAT", kMeasureFile);
  RunWith({false, false, true}, true);

  m_update.Finish();
  EXPECT_EQ(ReadFile("CURRENCY.DAT"), "old rates");
  EXPECT_EQ(ReadFile("MEASURE.DAT"), kMeasureFile);
  EXPECT_FALSE(Exists("TEMPT.DAT")) << "an unfinished time zone download is never taken in";
}

// The zone names download rides with the time zone download: damaged names are dropped while
// the zone file is still received, names from an earlier run never pass for this run's, and a
// failed run drops both.
TEST_F(DatabaseUpdateTest, ZoneNamesDownloadGoesOrStaysWithTheTimeZoneDownload) {
  const struct {
    const char* what;
    const char* names;  // downloaded; null: left from before the run
    bool success;
    bool kept;
    std::string said;
  } cases[] = {
      {"good", "1,\"France\",\"Paris\",\"Europe/Paris\"\r\n", true, true, ""},
      {"damaged", "1,\"France\",\"Paris\",\"Europe/Par", true, false,
       CDatabaseUpdate::kCompanionInvalid},
      {"from an earlier run", nullptr, true, false, ""},
      {"failed run", "1,\"France\",\"Paris\",\"Europe/Paris\"\r\n", false, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_sink.Clear();
    WriteFile("TEMPT.TZN", "1,\"Peru\",\"Lima\",\"America/Lima\"\r\n");
    m_update.BeginRun({true, false, false});
    WriteFile("TEMPT.DAT", kZones);
    if (c.names != nullptr) {
      WriteFile("TEMPT.TZN", c.names);
    }
    m_update.EndRun(c.success, kNow);
    m_update.Finish();
    EXPECT_EQ(Exists("TEMPT.TZN"), c.kept);
    EXPECT_EQ(Exists("TEMPT.DAT"), c.success) << "the zone file stands on its own";
    EXPECT_EQ(m_sink.LastText(), c.said);
  }
}

TEST_F(DatabaseUpdateTest, DownloadsThatDoNotReadInTheirFormatAreNotInstalled) {
  WriteFile("TEMPC.DAT", "<html>Not Found</html>");
  WriteFile("TEMPM.DAT", "<html>Not Found</html>\r\n");
  RunWith({false, true, true}, true);

  ASSERT_EQ(m_sink.Messages().size(), 2u);
  EXPECT_EQ(m_sink.Messages()[0].text, CDatabaseUpdate::kCurrencyInvalid);
  EXPECT_EQ(m_sink.Messages()[1].text, CDatabaseUpdate::kMeasurementInvalid);
  EXPECT_EQ(m_settings.Values().currencyUpdatedAt, 0) << "the file was not updated";
  EXPECT_EQ(m_settings.Values().measureUpdatedAt, 0);
  m_update.Finish();
  EXPECT_EQ(ReadFile("CURRENCY.DAT"), "old rates");
  EXPECT_EQ(ReadFile("MEASURE.DAT"), "old units");
  EXPECT_FALSE(Exists("TEMPC.DAT"));
  EXPECT_FALSE(Exists("TEMPM.DAT"));
}

TEST_F(DatabaseUpdateTest, InstallThatCannotBeWrittenKeepsTheOldFile) {
  WriteFile("TEMPC.DAT", CurrencyFile("Euro", 1.1));
  RunWith({false, true, false}, true);
  m_files.FailRename(1, FileCause::kAccessDenied);
  m_update.Finish();

  EXPECT_EQ(ReadFile("CURRENCY.DAT"), "old rates");
  EXPECT_EQ(m_sink.LastText(), "Cannot install the downloaded currency file.  Return code: 5");
}

TEST(DatabaseUpdateTexts, LastUpdateIsDatedInTheComputersZone) {
  const ScopedZone zone("XST-2");  // two hours east of Greenwich
  const std::int32_t at = static_cast<std::int32_t>(kNow);
  EXPECT_EQ(
      CDatabaseUpdate::LastUpdatedText(CDatabaseUpdate::kTimeZone, at, CDateTime::kTwelveHour),
      "The TIME ZONE file was last updated on Sunday, March 15, 2026 at 04:07 PM.");
  EXPECT_EQ(CDatabaseUpdate::LastUpdatedText(CDatabaseUpdate::kCurrency, at - 17 * 3600,
                                             CDateTime::kTwentyFourHour),
            "The CURRENCY CONVERSION file was last updated on Saturday, March 14, 2026 at 23:07.");
  EXPECT_EQ(
      CDatabaseUpdate::LastUpdatedText(CDatabaseUpdate::kMeasurement, 0, CDateTime::kTwelveHour),
      "No updates have been made to the MEASUREMENT file.  The original version is "
      "currently in use.");
}

}  // namespace
