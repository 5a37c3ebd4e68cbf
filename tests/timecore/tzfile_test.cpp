// SPDX-License-Identifier: GPL-3.0-or-later
// Zones read from their own files, against the C library's reading of the same files.

#include "timecore/tzfile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/scopedtz.h"
#include "timecore/tzzone.h"

namespace zw {
namespace {

constexpr std::int64_t kStep = 15 * 86400;
constexpr std::int64_t kFrom = 0;         // 1970-01-01
constexpr std::int64_t kTo = 4102444800;  // 2100-01-01

// Mismatches over 1970..2099: every fortnight, and both sides of each switch the C library
// makes between two of them, found to the second.
int CompareWithLibc(const CTzZone& zone) {
  int mismatches = 0;
  const auto check = [&](std::int64_t utc) {
    const test::LibcState libc = test::LibcAt(utc);
    const ZoneState ours = zone.At(CDateTime::FromSeconds(utc));
    mismatches += ours.offsetSeconds == libc.offset && ours.dst == libc.dst ? 0 : 1;
  };
  for (std::int64_t t = kFrom; t < kTo; t += kStep) {
    check(t);
    std::int64_t lo = t;
    std::int64_t hi = t + kStep;
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

TEST(TzFile, EveryZoneMatchesTheCLibraryFrom1970To2099) {
  const std::vector<std::string> names = CTzCatalog::Names();
  ASSERT_GT(names.size(), 300u);
  for (const std::string& name : names) {
    const CTzZone zone(name);
    ASSERT_TRUE(zone.IsAvailable()) << name;
    test::ScopedTz tz(":" + name);
    EXPECT_EQ(CompareWithLibc(zone), 0) << name;
  }
}

// A damaged file is refused or read within its bytes, whatever is cut off or changed.
TEST(TzFile, DamagedFilesNeverReadOutsideTheirBytes) {
  std::ifstream in("/usr/share/zoneinfo/America/New_York", std::ios::binary);
  const std::vector<std::uint8_t> whole{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  ASSERT_TRUE(CTzFile::Parse(whole));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const std::vector<std::uint8_t> cut(whole.begin(),
                                        whole.begin() + static_cast<std::ptrdiff_t>(size));
    if (const std::optional<CTzFile> file = CTzFile::Parse(cut)) {
      file->At(0);
    }
  }
  for (std::size_t at = 0; at < whole.size(); ++at) {
    std::vector<std::uint8_t> changed = whole;
    changed[at] ^= 0xA5;
    if (const std::optional<CTzFile> file = CTzFile::Parse(changed)) {
      file->At(0);
      file->NextSwitch(0);
    }
  }
}

TEST(TzFile, NamesOutsideTheZoneDirectoryAreNoZones) {
  for (const char* name : {"../zoneinfo/UTC", "/etc/localtime", "Europe//Paris", "zone.tab",
                           "Europe/", "", "Nowhere/Special"}) {
    EXPECT_FALSE(CTzZone(name).IsAvailable()) << name;
  }
}

}  // namespace
}  // namespace zw
