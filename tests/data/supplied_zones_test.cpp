// SPDX-License-Identifier: GPL-3.0-or-later
// The supplied places with their tz database zones, as the program meets them: each follows a
// zone the system has, and each zone shows the C library's local time at random instants and
// around every switch of the years the date type holds.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/scopedtz.h"
#include "support/tempdir.h"
#include "timecore/datetime.h"

namespace zw {
namespace {

const std::string kDataDir = ZW_SOURCE_DATA_DIR;
const std::string kZoneFile = "TIME_ZON.DAT";
const std::string kCompanion = "TIME_ZON.TZN";
constexpr int kFirstYear = 1971;
// The last whole year the date type holds.
constexpr int kLastYear = 2099;
constexpr int kRandomInstantsPerZone = 300;
constexpr std::int64_t kDay = 86400;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SuppliedZones : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_dir.Path().empty());
    for (const std::string& name : {kZoneFile, kCompanion}) {
      std::filesystem::copy_file(kDataDir + "/" + name, m_dir.File(name));
    }
    test::ScopedCwd cwd(m_dir.Path());
    ASSERT_TRUE(m_db.Load(m_files, m_sink));
  }

  test::TempDir m_dir;
  CPosixFileLayer m_files;
  test::RecordingSink m_sink;
  CLocationDB m_db;
};

// Compares one zone with the C library and counts what differs.
class ZoneCheck {
 public:
  explicit ZoneCheck(const CLocation& place) : m_zone(place.Zone()) {}

  void At(std::int64_t utc) {
    const test::LibcState libc = test::LibcAt(utc);
    const CDateTime gmt = CDateTime::FromSeconds(utc);
    const CDateTime local = m_zone.ToLocal(gmt);
    Expect(local.Seconds() - utc == libc.offset && m_zone.At(gmt).dst == libc.dst, utc);
    // Every wall-clock time shown reads back as a time that shows it.
    Expect(m_zone.ToLocal(m_zone.ToGmt(local)) == local, utc);
    Expect(m_zone.ToLocal(m_zone.ToGmtForComparison(local)) == local, utc);
  }

  // `at` is the first second of `after`.
  void Switch(std::int64_t at, const test::LibcState& before, const test::LibcState& after) {
    At(at - 1);
    At(at);
    At(at + 1);
    const std::int64_t shift = after.offset - before.offset;
    if (shift < 0) {
      // The hour after the switch repeats: events take its second reading, the comparison
      // takes standard time.
      const CDateTime wall = CDateTime::FromSeconds(at + after.offset);
      const bool standardFirst = !before.dst && after.dst;
      Expect(m_zone.ToGmt(wall).Seconds() == at, at);
      Expect(m_zone.ToGmtForComparison(wall).Seconds() == (standardFirst ? at + shift : at), at);
    } else if (shift > 0) {
      // The wall-clock time the switch skips.
      const CDateTime wall = CDateTime::FromSeconds(at + before.offset);
      const std::int64_t standard = before.dst ? after.offset : before.offset;
      Expect(m_zone.ToGmt(wall).Seconds() == wall.Seconds() - after.offset, at);
      Expect(m_zone.ToGmtForComparison(wall).Seconds() == wall.Seconds() - standard, at);
    }
  }

  int failures = 0;
  std::int64_t firstFailure = 0;

 private:
  void Expect(bool ok, std::int64_t utc) {
    if (!ok && failures++ == 0) {
      firstFailure = utc;
    }
  }

  CZone m_zone;
};

// The first second in (from, to] whose reading differs from the one at `from`.
std::int64_t FirstChange(std::int64_t from, std::int64_t to) {
  const test::LibcState start = test::LibcAt(from);
  while (to - from > 1) {
    const std::int64_t middle = from + (to - from) / 2;
    (test::LibcAt(middle) == start ? from : to) = middle;
  }
  return to;
}

TEST_F(SuppliedZones, EveryPlaceFollowsAZoneTheSystemHasAndSavesBackUnchanged) {
  EXPECT_TRUE(m_sink.Messages().empty()) << m_sink.LastText();
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    const CLocation& place = *m_db.At(i);
    EXPECT_TRUE(place.FollowsTz() && place.Zone().Tz() != nullptr)
        << place.Name() << ", " << place.Country();
  }
  test::ScopedCwd cwd(m_dir.Path());
  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  EXPECT_TRUE(ReadFile(kZoneFile) == ReadFile(kDataDir + "/" + kZoneFile));
  EXPECT_TRUE(ReadFile(kCompanion) == ReadFile(kDataDir + "/" + kCompanion));
}

TEST_F(SuppliedZones, EveryZoneShowsTheCLibrarysTimeAtRandomInstantsAndAroundEverySwitch) {
  // Places of one zone share its object, so one place per zone stands for all of them.
  std::map<std::string, const CLocation*> zones;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    const CLocation* place = m_db.At(i);
    if (place->Zone().Tz() != nullptr) {
      zones.emplace(place->Zone().Tz()->Name(), place);
    }
  }
  ASSERT_GT(zones.size(), 300u);
  const std::int64_t first = CDateTime(kFirstYear, 1, 1, 0, 0, 0).Seconds();
  const std::int64_t end = CDateTime(kLastYear + 1, 1, 1, 0, 0, 0).Seconds();
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<std::int64_t> instant(first, end - 1);
  int switches = 0;
  for (const auto& [name, place] : zones) {
    test::ScopedTz tz(name);
    ZoneCheck check(*place);
    test::LibcState before = test::LibcAt(first);
    for (std::int64_t day = first; day + kDay < end; day += kDay) {
      const test::LibcState next = test::LibcAt(day + kDay);
      if (!(next == before)) {
        const std::int64_t at = FirstChange(day, day + kDay);
        check.Switch(at, before, test::LibcAt(at));
        ++switches;
      }
      before = next;
    }
    for (int i = 0; i < kRandomInstantsPerZone; ++i) {
      check.At(instant(random));
    }
    EXPECT_EQ(check.failures, 0) << name << " (" << place->Name() << ", " << place->Country()
                                 << ") differs first at UTC second " << check.firstFailure;
  }
  EXPECT_GT(switches, 10000);
}

}  // namespace
}  // namespace zw
