// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandline.h"

#include <gtest/gtest.h>

#include "cli/clierror.h"

using namespace zw;

namespace {

using Command = Invocation::Command;
using Words = std::vector<std::string>;

// The message of the usage error the words give, or "" when they are accepted.
std::string UsageError(const Words& words) {
  try {
    CCommandLine::Parse(words);
  } catch (const CCliError& error) {
    EXPECT_EQ(error.GetStatus(), CCliError::kUsage);
    return error.what();
  }
  return {};
}

TEST(CommandLine, TakesOptionsAnywhereAndWordsAsTyped) {
  const Invocation inv =
      CCommandLine::Parse({"--24h", "now", "Tokyo", "--json", "--date-order=dmy", "Zürich",
                           "--no-seconds", "--data-dir", "/tmp/d", "--", "--12h"});
  EXPECT_EQ(inv.command, Command::kNow);
  EXPECT_TRUE(inv.json);
  EXPECT_EQ(inv.dataDir, "/tmp/d");
  // Latin-1, the encoding of the names in the files; "--" made the last word a name.
  EXPECT_EQ(inv.arguments, (Words{"Tokyo", "Z\xFCrich", "--12h"}));

  DisplayOptions stored;
  stored.leadingZeros = false;
  const DisplayOptions shown = inv.Apply(stored);
  EXPECT_TRUE(shown.hour24);
  EXPECT_EQ(shown.dateOrder, CDateTime::kDayMonthYear);
  EXPECT_FALSE(shown.showSeconds);
  EXPECT_FALSE(shown.leadingZeros);
  // Without overrides the stored choices stand; the last of two clocks given wins.
  EXPECT_TRUE(CCommandLine::Parse({"now"}).Apply(DisplayOptions{}).showSeconds);
  EXPECT_FALSE(CCommandLine::Parse({"--24h", "now", "--12h"}).Apply(DisplayOptions{}).hour24);
}

TEST(CommandLine, ReadsEachCommandsOwnArguments) {
  Invocation at = CCommandLine::Parse({"at", "2026-03-08 02:30", "--in", "New York", "London"});
  EXPECT_EQ(at.command, Command::kAt);
  EXPECT_EQ(at.when, CDateTime(2026, 3, 8, 2, 30, 0));
  EXPECT_EQ(at.in, "New York");
  EXPECT_EQ(at.arguments, Words{"London"});

  const Invocation compare =
      CCommandLine::Parse({"compare", "A", "B", "--at", "2026-07-01 09:00:30", "--gmt"});
  EXPECT_EQ(compare.when, CDateTime(2026, 7, 1, 9, 0, 30));
  EXPECT_TRUE(compare.gmt);

  const Invocation events =
      CCommandLine::Parse({"events", "--days", "999", "--basis=Tokyo", "--from", "2037-01-30"});
  EXPECT_EQ(events.days, 999);
  EXPECT_EQ(events.basis, "Tokyo");
  EXPECT_EQ(events.from, CDateTime(2037, 1, 30, 0, 0, 0));

  // Negative amounts are amounts, not options.
  const Invocation convert = CCommandLine::Parse({"convert", "-40", "Celsius", "Fahrenheit"});
  EXPECT_EQ(convert.arguments, (Words{"-40", "Celsius", "Fahrenheit"}));
  EXPECT_EQ(CCommandLine::Parse({"convert", "-.5", "a", "b"}).arguments.front(), "-.5");

  // Help and version need no command and skip the checks.
  EXPECT_TRUE(CCommandLine::Parse({"--help"}).help);
  EXPECT_TRUE(CCommandLine::Parse({"at", "-h"}).help);
  EXPECT_TRUE(CCommandLine::Parse({"--version"}).version);
}

TEST(CommandLine, RefusesMistakesWithOneLineEach) {
  const Words mistakes[] = {
      {},
      {"--json"},
      {"later"},
      {"now", "--bogus"},
      {"now", "--json=yes"},
      {"now", "--data-dir"},
      {"now", "--date-order", "iso"},
      {"now", "--gmt"},
      {"now", "--days", "3"},
      {"find", "--in", "Tokyo", "x"},
      {"at", "--gmt"},
      {"at", "2026-03-08 02:30"},
      {"at", "2026-03-08 02:30", "--gmt", "--in", "Tokyo"},
      {"at", "2026-02-30 02:30", "--gmt"},
      {"at", "tomorrow", "--gmt"},
      {"compare", "A"},
      {"compare", "A", "B", "C"},
      {"compare", "A", "B", "--in", "A"},
      {"compare", "A", "B", "--at", "2026-07-01 09:00"},
      {"compare", "A", "B", "--at", "2026-07-01 09:00", "--in", "A", "--gmt"},
      {"find"},
      {"find", "a", "b"},
      {"events", "x"},
      {"events", "--days", "1000"},
      {"events", "--days", "-1"},
      {"events", "--days", "2x"},
      {"events", "--from", "2037-01-32"},
      {"events", "--gmt", "--basis", "Tokyo"},
      {"convert", "1", "Meter"},
  };
  for (const Words& words : mistakes) {
    const std::string message = UsageError(words);
    EXPECT_FALSE(message.empty()) << ::testing::PrintToString(words);
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
  EXPECT_EQ(UsageError({"now", "--gmt"}), "option --gmt does not go with \"now\"");
  EXPECT_EQ(UsageError({"wörld"}), "unknown command \"w\xF6rld\"");
}

}  // namespace
