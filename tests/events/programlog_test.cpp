// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/programlog.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "events/event.h"
#include "events/eventschedule.h"
#include "locations/locationdb.h"
#include "settings/clocksettings.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingactions.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

class ProgramLogTest : public ::testing::Test {
 protected:
  ProgramLogTest() {
    // Eastern time: GMT-5, daylight saving from the 2nd Sunday of March to the 1st Sunday of
    // November, so on the test's July day it is GMT-4.
    AddLocation("New York", "United States", -5).SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
    AddLocation("Greenwich", "", 0);
    AddLocation("Kolkata", "India", 5).SetOffsetMinutes(30);
  }

  CLocation& AddLocation(const std::string& name, const std::string& country, int offset) {
    auto location = std::make_unique<CLocation>();
    location->SetName(name);
    location->SetCountry(country);
    location->SetOffset(offset);
    CLocation& added = *location;
    m_db.Insert(std::move(location));
    return added;
  }

  const CEventSchedule& Event(const std::string& name, const std::string& country,
                              const std::string& command = "backup.sh --full",
                              const std::string& directory = "/home/user") {
    CEvent& alarm = m_alarms.emplace_back();
    CEvent::SetText(alarm.Fields().locationName, name);
    CEvent::SetText(alarm.Fields().locationCountry, country);
    CEvent::SetText(alarm.Fields().programCommand, command);
    CEvent::SetText(alarm.Fields().startDirectory, directory);
    return m_schedules.emplace_back(&alarm, m_db);
  }

  void SetBasis(int index, const std::string& name, const std::string& country) {
    ClockSettings& r = m_settings.Values();
    r.logLocationView = index;
    r.logLocation = PlaceName{name, country};
  }

  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FakeClock m_clock{2026, 7, 4, 13, 5, 9};
  CClockSettings m_settings;
  CLocationDB m_db;
  test::FaultyFileLayer m_files;
  test::RecordingActions m_actions;
  CProgramLog m_log{m_settings, m_db, m_files, m_actions};
  std::deque<CEvent> m_alarms;
  std::deque<CEventSchedule> m_schedules;
};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST_F(ProgramLogTest, GmtBasisLine) {
  EXPECT_EQ(m_log.FormatLogLine(Event("New York", "United States"), true),
            "07/04/2026 01:05:09 PM (GMT time)  07/04/2026 09:05:09 AM (New York, United States)"
            "  Successfully started program \"backup.sh --full\" in directory \"/home/user\"\r\n");
}

// The GMT time keeps its four-digit year, leading zeros and seconds; only the date order and
// the clock mode follow the display options.
TEST_F(ProgramLogTest, GmtBasisFollowsDateOrderAndClockModeOnly) {
  struct Case {
    int dateOrder;
    int hour24;
    int others;  // four-digit years, seconds and leading zeros
    const char* prefix;
  };
  const Case cases[] = {
      {0, 0, 0, "07/04/2026 01:05:09 PM (GMT time)  7/4/26  9:05 AM (New York"},
      {1, 1, 1, "2026-07-04 13:05:09 (GMT time)  2026-07-04 09:05:09 (New York"},
      {2, 1, 0, "04.07.2026 13:05:09 (GMT time)  4.7.26  9:05 (New York"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prefix);
    ClockSettings& r = m_settings.Values();
    r.dateOrder = static_cast<CDateTime::DateOrder>(c.dateOrder);
    r.hour24 = c.hour24;
    r.fourDigitYears = r.showSeconds = r.leadingZeros = c.others;
    const std::string line = m_log.FormatLogLine(Event("New York", "United States"), true);
    EXPECT_TRUE(StartsWith(line, c.prefix)) << line;
  }
}

TEST_F(ProgramLogTest, BasisLocationInDaylightSavingWithEmptyCountryEvent) {
  SetBasis(0, "New York", "United States");
  EXPECT_EQ(m_log.FormatLogLine(Event("Greenwich", ""), true),
            "07/04/2026 09:05:09 AM (local time)  07/04/2026 01:05:09 PM (Greenwich)"
            "  Successfully started program \"backup.sh --full\" in directory \"/home/user\"\r\n");
}

TEST_F(ProgramLogTest, LocalTextsFollowDisplayOptions) {
  ClockSettings& r = m_settings.Values();
  r.fourDigitYears = false;
  r.showSeconds = false;
  r.leadingZeros = false;
  SetBasis(0, "New York", "United States");
  EXPECT_EQ(m_log.FormatLogLine(Event("Kolkata", "India"), true),
            "7/4/26  9:05 AM (local time)  7/4/26  6:35 PM (Kolkata, India)"
            "  Successfully started program \"backup.sh --full\" in directory \"/home/user\"\r\n");
}

TEST_F(ProgramLogTest, BasisThatIsGmtOrGoneGivesGmt) {
  struct Case {
    int index;
    const char* name;
    const char* country;
  };
  const Case cases[] = {
      {-1, "New York", "United States"},  // texts left behind by an earlier choice
      {-1, "", ""},
      {0, "Atlantis", "Nowhere"},
      {0, "New York", "united states"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "/" + c.country);
    SetBasis(c.index, c.name, c.country);
    const std::string line = m_log.FormatLogLine(Event("Greenwich", ""), true);
    EXPECT_TRUE(StartsWith(line, "07/04/2026 01:05:09 PM (GMT time)  07/04/2026 01:05:09 PM"))
        << line;
  }
}

TEST_F(ProgramLogTest, FailedStartWithEmptyDirectory) {
  EXPECT_EQ(m_log.FormatLogLine(Event("Greenwich", "", "nosuch -x", ""), false),
            "07/04/2026 01:05:09 PM (GMT time)  07/04/2026 01:05:09 PM (Greenwich)"
            "  ERROR starting program \"nosuch -x\" in directory \"\"\r\n");
}

// An event whose location has left the database has no local time to show; the line names
// the place from the event's own texts.
TEST_F(ProgramLogTest, EventWithoutLocationIsNamedFromItsRecord) {
  const CEventSchedule& event = Event("Atlantis", "Nowhere");
  ASSERT_EQ(event.Location(), nullptr);
  EXPECT_EQ(m_log.FormatLogLine(event, true),
            "07/04/2026 01:05:09 PM (GMT time)  (Atlantis, Nowhere)"
            "  Successfully started program \"backup.sh --full\" in directory \"/home/user\"\r\n");
}

TEST_F(ProgramLogTest, EachStartAppendsExactlyOneLineOnlyWhileLoggingIsOn) {
  const std::string file(ClockSettings::kDefaultLogFile);
  ASSERT_FALSE(std::filesystem::exists(file));

  const CEventSchedule& event = Event("New York", "United States");
  const std::string first = m_log.FormatLogLine(event, true);
  m_log.LogProgramStart(event, true);
  EXPECT_EQ(Content(file), first);

  m_clock.Advance(61);
  const std::string second = m_log.FormatLogLine(event, false);
  m_log.LogProgramStart(event, false);
  EXPECT_EQ(Content(file), first + second);

  // "Record Started Programs in the Log File" unticked: starts leave the log as it is.
  m_settings.Values().logStarts = false;
  m_log.LogProgramStart(event, true);
  EXPECT_EQ(Content(file), first + second);
  EXPECT_TRUE(m_actions.Calls().empty());
}

TEST_F(ProgramLogTest, MissingDirectoryGivesOpeningErrorAndNoFile) {
  m_settings.Values().logFileName = "no/such/dir/started.log";
  m_log.LogProgramStart(Event("Greenwich", ""), true);
  ASSERT_EQ(m_actions.Calls().size(), 1u);
  EXPECT_EQ(m_actions.Calls()[0].what, "error");
  EXPECT_EQ(m_actions.Calls()[0].text, "Error opening log file \"no/such/dir/started.log\".");
  EXPECT_FALSE(std::filesystem::exists("no"));
}

TEST_F(ProgramLogTest, EachFailingStepHasItsMessage) {
  struct Case {
    FileStage stage;
    const char* message;
  };
  const Case cases[] = {
      {FileStage::kOpen, "Error opening log file \"ZnWright.log\"."},
      {FileStage::kWrite, "Error writing to log file \"ZnWright.log\"."},
      {FileStage::kClose, "Error closing log file \"ZnWright.log\"."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    test::FaultyFileLayer files;
    test::RecordingActions actions;
    files.FailWrite(1, FileCause::kDiskFull, c.stage);
    CProgramLog log(m_settings, m_db, files, actions);
    log.LogProgramStart(Event("Greenwich", ""), true);
    ASSERT_EQ(actions.Calls().size(), 1u);
    EXPECT_EQ(actions.Calls()[0].what, "error");
    EXPECT_EQ(actions.Calls()[0].text, c.message);
  }
}

TEST_F(ProgramLogTest, ABareNameGoesToTheLogDirectoryAndAPathWhereItLeads) {
  const std::string state = m_dir.Path() + "/state/zonewright";
  CProgramLog log(m_settings, m_db, m_files, m_actions, state);
  const std::string own = m_dir.Path() + "/mine.log";
  for (const std::string& name : {std::string("ZnWright.log"), own}) {
    SCOPED_TRACE(name);
    m_settings.Values().logFileName = name;
    log.LogProgramStart(Event("Greenwich", ""), true);
  }
  EXPECT_TRUE(m_actions.Calls().empty());
  EXPECT_FALSE(Content(state + "/ZnWright.log").empty());
  EXPECT_FALSE(Content(own).empty());
  EXPECT_FALSE(std::filesystem::exists("ZnWright.log"));
}
