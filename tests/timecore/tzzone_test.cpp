// SPDX-License-Identifier: GPL-3.0-or-later
// The rule every tz database zone file ends with, read by our own parser, against the C
// library's reading of the same text.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "support/scopedtz.h"
#include "timecore/posixtzrule.h"
#include "timecore/tzzone.h"

namespace zw {
namespace {

constexpr std::int64_t kDay = 86400;
// One whole calendar cycle of 28 years past the range the zone files list.
constexpr std::int64_t kFrom = 2177452800;  // 2039-01-01
constexpr std::int64_t kTo = 3061065600;    // 2067-01-01

// The last line of a zone file, read here independently of the code under test.
std::string FileRule(const std::string& zone) {
  std::ifstream in("/usr/share/zoneinfo/" + zone, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.size() < 2 || bytes.back() != '\n') {
    return {};
  }
  const std::size_t open = bytes.rfind('\n', bytes.size() - 2);
  return open == std::string::npos ? std::string()
                                   : bytes.substr(open + 1, bytes.size() - open - 2);
}

// Mismatches of the rule against the C library under the current TZ: every day's noon and
// midnight, and each switch found between them to the second.
int CompareWithLibc(const CPosixTzRule& rule, std::int64_t from, std::int64_t to) {
  int mismatches = 0;
  const auto check = [&](std::int64_t utc) {
    const test::LibcState libc = test::LibcAt(utc);
    const ZoneState ours = rule.At(utc);
    mismatches += ours.offsetSeconds == libc.offset && ours.dst == libc.dst ? 0 : 1;
  };
  for (std::int64_t t = from; t < to; t += kDay / 2) {
    check(t);
    std::int64_t lo = t;
    std::int64_t hi = t + kDay / 2;
    if (test::LibcAt(lo) == test::LibcAt(hi)) {
      continue;
    }
    while (hi - lo > 1) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      (test::LibcAt(mid) == test::LibcAt(lo) ? lo : hi) = mid;
    }
    check(hi - 1);
    check(hi);
  }
  return mismatches;
}

TEST(PosixTzRule, EveryZoneFilesRuleMatchesTheCLibrary) {
  std::set<std::string> texts;
  for (const std::string& name : CTzCatalog::Names()) {
    texts.insert(FileRule(name));
  }
  texts.erase("");
  ASSERT_GT(texts.size(), 20u);
  for (const std::string& text : texts) {
    const std::optional<CPosixTzRule> rule = CPosixTzRule::Parse(text);
    ASSERT_TRUE(rule) << text;
    // The C library reads the same text on its own.
    test::ScopedTz tz(text);
    EXPECT_EQ(CompareWithLibc(*rule, kFrom, kTo), 0) << text;
  }
}

TEST(PosixTzRule, RareFormsMatchTheCLibrary) {
  // Julian days with and without February 29th, switch times outside the day, a southern
  // rule, a negative daylight offset and offsets with seconds. (No switch lies near the GMT
  // new year: the C library reads such a switch in the wrong year.)
  for (const char* text :
       {"<+03>-3<+04>,J60/2,300/1", "<+03>-3<+04>,J2/0,59/23", "<-02>2<-01>,M3.5.0/-1,M10.5.0/0",
        "IST-2IDT,M3.4.4/26,M10.5.0", "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
        "IST-1GMT0,M10.5.0,M3.5.0/1", "AAA-5:30BBB-6:30:15,M1.1.0/167,M12.5.6/-167", "<-00>0"}) {
    const std::optional<CPosixTzRule> rule = CPosixTzRule::Parse(text);
    ASSERT_TRUE(rule) << text;
    test::ScopedTz tz(text);
    EXPECT_EQ(CompareWithLibc(*rule, 0, 40 * 365 * kDay), 0) << text;
  }
}

TEST(PosixTzRule, RefusesTextsOutsideTheForm) {
  for (const char* text :
       {"", "EST", "EST5EDT", "EST5EDT,M3.2.0", "E5", "<+03-3", "EST5EDT,M13.1.0,M11.1.0",
        "EST5EDT,M3.6.0,M11.1.0", "EST5EDT,M3.2.7,M11.1.0", "EST5EDT,J0,J365", "EST5EDT,366,0",
        "EST5EDT,M3.2.0/168,M11.1.0", "EST25", "EST5 ", "EST5EDT,M3.2.0,M11.1.0,"}) {
    EXPECT_FALSE(CPosixTzRule::Parse(text)) << text;
  }
}

}  // namespace
}  // namespace zw
