// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "platform/posixfilelayer.h"
#include "settings/datadirectory.h"
#include "settings/hourswitch.h"
#include "settings/placement.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

TEST(HourSwitch, ReadsSignAndAtMostTwoDigits) {
  struct Case {
    std::string line;
    int hours;
    bool invalid;
  };
  const Case cases[] = {
      {"", 0, false},         {"zonewright", 0, false}, {"/H+5", 5, false},    {"/H-05", -5, false},
      {"/H-123", -12, false}, {"/H+23", 23, false},     {"/H-23", -23, false}, {"/H+0", 0, false},
      {"x /H+7 y", 7, false}, {"/H+", 0, false},        {"/H+x", 0, false},    {"/H+30", 0, true},
      {"/H+24", 0, true},     {"/H5", 0, true},         {"/H", 0, true},       {"/h+5", 0, false},
      {"/H 5", 0, true},      {"/H-9/H+3", -9, false},
  };
  for (const Case& c : cases) {
    bool invalid = true;
    EXPECT_EQ(CHourSwitch::Parse(c.line, invalid), c.hours) << c.line;
    EXPECT_EQ(invalid, c.invalid) << c.line;
  }
}

TEST(Placement, BesideTheClockWhereThereIsRoom) {
  const ScreenRect screen{0, 0, 1920, 1080};
  struct Case {
    const char* what;
    ScreenRect clock;
    int w, h;
    std::optional<ScreenPoint> at;
  };
  const Case cases[] = {
      {"left, bottoms aligned", {900, 400, 1100, 700}, 300, 200, ScreenPoint{600, 500}},
      {"right when the left has no room", {100, 400, 300, 700}, 300, 200, ScreenPoint{300, 500}},
      {"left needs x above zero", {300, 400, 500, 700}, 300, 200, ScreenPoint{500, 500}},
      {"tops aligned when the dialog would leave the top",
       {900, 50, 1100, 150},
       300,
       400,
       ScreenPoint{600, 50}},
      {"stays put when neither alignment fits", {900, 50, 1100, 150}, 300, 1100, std::nullopt},
      {"below when neither side fits", {100, 100, 1800, 300}, 400, 300, ScreenPoint{100, 300}},
      {"above when below has no room", {100, 700, 1800, 900}, 400, 300, ScreenPoint{100, 400}},
      {"right-aligned below a clock near the right edge",
       {100, 100, 1900, 300},
       1850,
       300,
       ScreenPoint{50, 300}},
      {"stays put when above would leave the screen",
       {100, 200, 1800, 900},
       400,
       300,
       std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CPlacement::BesideClock(c.clock, c.w, c.h, screen), c.at) << c.what;
  }
}

TEST(DataDirectory, ChoiceFollowsTheEnvironment) {
  const auto keep = [](const char* name) {
    const char* v = std::getenv(name);
    return std::pair<bool, std::string>(v != nullptr, v != nullptr ? v : "");
  };
  const auto restore = [](const char* name, const std::pair<bool, std::string>& v) {
    if (v.first) {
      ::setenv(name, v.second.c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  };
  const auto dataDir = keep("ZONEWRIGHT_DATA_DIR");
  const auto dataHome = keep("XDG_DATA_HOME");
  const auto home = keep("HOME");

  ::setenv("ZONEWRIGHT_DATA_DIR", "/srv/zw", 1);
  EXPECT_EQ(CDataDirectory::Choose(), "/srv/zw");
  ::unsetenv("ZONEWRIGHT_DATA_DIR");
  ::setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(CDataDirectory::Choose(), "/data/zonewright");
  ::unsetenv("XDG_DATA_HOME");
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(CDataDirectory::Choose(), "/home/u/.local/share/zonewright");

  restore("ZONEWRIGHT_DATA_DIR", dataDir);
  restore("XDG_DATA_HOME", dataHome);
  restore("HOME", home);
}

TEST(DataDirectory, CopiesOnlyMissingFilesAndEntersIt) {
  test::TempDir tmp;
  CPosixFileLayer files;
  test::RecordingSink messages;
  const auto write = [](const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
  };
  const auto read = [](const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  std::filesystem::create_directories(tmp.File("installed"));
  std::filesystem::create_directories(tmp.File("source"));
  write(tmp.File("installed/TIME_ZON.DAT"), "installed zones");
  write(tmp.File("source/TIME_ZON.DAT"), "source zones");
  write(tmp.File("source/CURRENCY.DAT"), "source rates");
  const std::string dir = tmp.File("user/zonewright");
  std::filesystem::create_directories(dir);
  write(dir + "/MEASURE.DAT", "user's own");

  const std::filesystem::path before = std::filesystem::current_path();
  ASSERT_TRUE(
      CDataDirectory::Enter(dir, {tmp.File("installed"), tmp.File("source")}, files, messages));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir));
  EXPECT_EQ(read("TIME_ZON.DAT"), "installed zones");
  EXPECT_EQ(read("CURRENCY.DAT"), "source rates");
  EXPECT_EQ(read("MEASURE.DAT"), "user's own");
  std::filesystem::current_path(before);

  EXPECT_FALSE(CDataDirectory::Enter("/proc/version/cannot", {}, files, messages));
}

TEST(DataDirectory, UnchangedSuppliedFilesFollowTheInstalledOnesAndChangedOnesAreKept) {
  test::TempDir tmp;
  CPosixFileLayer files;
  test::RecordingSink messages;
  const std::string installed = tmp.File("share");
  const std::string dir = tmp.File("data");
  std::filesystem::create_directories(installed);
  const auto write = [](const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  };
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  const auto start = [&] { CDataDirectory::Refresh(dir, {installed}, files, messages); };
  for (std::string_view name : CDataDirectory::kSuppliedFiles) {
    write(installed + "/" + std::string(name), "old " + std::string(name));
  }
  std::filesystem::create_directories(dir);
  start();
  for (std::string_view name : CDataDirectory::kSuppliedFiles) {
    EXPECT_EQ(read(dir + "/" + std::string(name)), "old " + std::string(name));
  }

  // The user edits the currency file; then a newer installation brings new versions of all.
  write(dir + "/CURRENCY.DAT", "my rates");
  for (std::string_view name : CDataDirectory::kSuppliedFiles) {
    write(installed + "/" + std::string(name), "new " + std::string(name));
  }
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    start();
    EXPECT_EQ(read(dir + "/TIME_ZON.DAT"), "new TIME_ZON.DAT");
    EXPECT_EQ(read(dir + "/TIME_ZON.TZN"), "new TIME_ZON.TZN");
    EXPECT_EQ(read(dir + "/MEASURE.DAT"), "new MEASURE.DAT");
    EXPECT_EQ(read(dir + "/CURRENCY.DAT"), "my rates");
    // Told once, not at later starts.
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.LastText(), CDataDirectory::NewerFileMessage(dir + "/CURRENCY.DAT"));
  }
  // Once taken (the user deleted theirs), the file follows installations again.
  std::filesystem::remove(dir + "/CURRENCY.DAT");
  start();
  write(installed + "/CURRENCY.DAT", "newest rates");
  start();
  EXPECT_EQ(read(dir + "/CURRENCY.DAT"), "newest rates");
  EXPECT_EQ(messages.Messages().size(), 1u);

  // An unreadable file is never replaced, and a changed one without a newer installation
  // raises nothing.
  write(dir + "/MEASURE.DAT", "edited");
  std::filesystem::permissions(dir + "/TIME_ZON.DAT", std::filesystem::perms::none);
  write(installed + "/TIME_ZON.DAT", "newest zones");
  start();
  std::filesystem::permissions(dir + "/TIME_ZON.DAT", std::filesystem::perms::owner_all);
  if (::geteuid() != 0) {
    EXPECT_EQ(read(dir + "/TIME_ZON.DAT"), "new TIME_ZON.DAT");
  }
  EXPECT_EQ(read(dir + "/MEASURE.DAT"), "edited");
  EXPECT_EQ(messages.Messages().size(), 1u);
}
