// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processlauncher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "support/tempdir.h"

using namespace zw;

namespace {

using Words = std::vector<std::string>;

// The fixture program sits beside this test program.
std::string FixturePath() {
  return SPAWN_FIXTURE_PATH;
}

// Waits for the fixture's report, a few seconds at most.
Words ReportOf(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(path) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::ifstream in(path);
  Words lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

TEST(ProcessLauncher, SplitsWordsHonouringQuotes) {
  struct Case {
    std::string line;
    Words words;
  };
  const Case cases[] = {
      {"prog", {"prog"}},
      {"  prog   a\tb  ", {"prog", "a", "b"}},
      {"\"/opt/My Apps/run\" --file \"a b.txt\"", {"/opt/My Apps/run", "--file", "a b.txt"}},
      {"say 'it'\"'\"'s' x", {"say", "it's", "x"}},
      {"echo \"quote \\\" and backslash \\\\ kept\"", {"echo", "quote \" and backslash \\ kept"}},
      {"echo \"a\\nb\"", {"echo", "a\\nb"}},
      {"a\"b c\"d", {"ab cd"}},
      {"echo ''", {"echo", ""}},
      {"ls ; rm -rf x > y", {"ls", ";", "rm", "-rf", "x", ">", "y"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    const auto words = CProcessLauncher::SplitCommandLine(c.line);
    ASSERT_TRUE(words) << c.line;
    EXPECT_EQ(*words, c.words) << c.line;
  }
  EXPECT_FALSE(CProcessLauncher::SplitCommandLine("prog \"unterminated"));
  EXPECT_FALSE(CProcessLauncher::SplitCommandLine("prog 'unterminated"));
}

TEST(ProcessLauncher, StartsInTheGivenDirectoryWithArgumentsVerbatim) {
  test::TempDir dir;
  const std::string command = "\"" + FixturePath() + "\" report.txt 'two words' \"$HOME\" ';'";
  ASSERT_TRUE(CProcessLauncher::Start(command, dir.Path()));
  const Words report = ReportOf(dir.File("report.txt"));
  EXPECT_EQ(report,
            (Words{std::filesystem::canonical(dir.Path()).string(), "two words", "$HOME", ";"}));
}

TEST(ProcessLauncher, FindsBareProgramNamesOnPath) {
  test::TempDir dir;
  const std::string savedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  const std::filesystem::path fixture(FixturePath());
  ::setenv("PATH", (fixture.parent_path().string() + ":" + savedPath).c_str(), 1);
  const bool started =
      CProcessLauncher::Start(fixture.filename().string() + " report.txt", dir.Path());
  ::setenv("PATH", savedPath.c_str(), 1);
  ASSERT_TRUE(started);
  EXPECT_EQ(ReportOf(dir.File("report.txt")).size(), 1u);
}

TEST(ProcessLauncher, ReportsWhatCannotBeStarted) {
  test::TempDir dir;
  EXPECT_FALSE(CProcessLauncher::Start("", dir.Path()));
  EXPECT_FALSE(CProcessLauncher::Start("   ", dir.Path()));
  EXPECT_FALSE(CProcessLauncher::Start("/no/such/program --flag", dir.Path()));
  EXPECT_FALSE(CProcessLauncher::Start("zonewright-no-such-program-on-path", dir.Path()));
  EXPECT_FALSE(CProcessLauncher::Start("\"" + FixturePath() + "\" x", dir.File("missing-dir")));
  EXPECT_FALSE(CProcessLauncher::Start("\"" + FixturePath() + " x", dir.Path()));
  // A directory is not a program.
  EXPECT_FALSE(CProcessLauncher::Start(dir.Path(), dir.Path()));
}
