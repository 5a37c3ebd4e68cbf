// SPDX-License-Identifier: GPL-3.0-or-later
// The supplied TIME_ZON.DAT as the program meets it: loaded by the real loader, the default
// clock restored from it, and every zone rule compared with the C library's zone data.

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/clocksettings.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/scopedtz.h"
#include "support/tempdir.h"
#include "timecore/datetime.h"

namespace zw {
namespace {

const std::string kDataDir = ZW_SOURCE_DATA_DIR;
const std::string kZoneFile = "TIME_ZON.DAT";
// One location per zone of TIME_ZON.DAT with its tz database name, written by the generator.
const std::string kZoneList = "TIME_ZON.zones";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ZoneSample {
  std::string zone;
  bool exact = false;
  std::string country;
  std::string name;
};

std::vector<ZoneSample> ReadZoneList() {
  std::vector<ZoneSample> samples;
  std::istringstream lines(ReadFile(kDataDir + "/" + kZoneList));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) {
      fields.push_back(field);
    }
    if (fields.size() == 5) {
      samples.push_back({fields[0], fields[1] == "exact", fields[3], fields[4]});
    } else {
      ADD_FAILURE() << kZoneList << ": cannot read " << line;
    }
  }
  return samples;
}

std::int64_t LibcLocalSeconds(std::int64_t utc) {
  const time_t t = static_cast<time_t>(utc);
  struct tm local {};
  ::localtime_r(&t, &local);
  return utc + local.tm_gmtoff;
}

// Shown minus real local time hour by hour through 2027 and 2028, one second past each local
// hour: the file's switch instants are exclusive (at 2:00:00 on the switch-on day the program
// still shows standard time, where the C library has already switched). Zones with a
// half-hour offset are sampled every half hour, so their local hours are reached too.
struct Comparison {
  std::int64_t samples = 0;
  std::int64_t mismatches = 0;
  std::int64_t largestError = 0;
  std::int64_t firstMismatch = -1;
};

Comparison CompareWithLibc(const CLocation& location, const std::string& zone) {
  test::ScopedTz tz(zone);
  const std::int64_t step = location.GetOffsetMinutes() == 0 ? 3600 : 1800;
  const std::int64_t start = CDateTime(2027, 1, 1, 0, 0, 1).Seconds();
  const std::int64_t end = CDateTime(2029, 1, 1, 0, 0, 0).Seconds();
  Comparison result;
  for (std::int64_t utc = start; utc < end; utc += step) {
    const std::int64_t shown = location.Zone().ToLocal(CDateTime::FromSeconds(utc)).Seconds();
    const std::int64_t error = shown - LibcLocalSeconds(utc);
    ++result.samples;
    if (error != 0) {
      ++result.mismatches;
      result.largestError = std::max(result.largestError, error < 0 ? -error : error);
      if (result.firstMismatch < 0) {
        result.firstMismatch = utc;
      }
    }
  }
  return result;
}

std::string Describe(const ZoneSample& sample) {
  return sample.zone + " (" + sample.name + ", " + sample.country + ")";
}

// A copy of the supplied file in a directory of its own, loaded as the program loads it.
class SuppliedZoneFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_dir.Path().empty());
    std::filesystem::copy_file(kDataDir + "/" + kZoneFile, m_dir.File(kZoneFile));
    test::ScopedCwd cwd(m_dir.Path());
    m_loaded = m_db.Load(m_files, m_sink);
  }

  const CLocation* Find(const ZoneSample& sample) const {
    const int index = m_db.Find(sample.name, sample.country);
    return index < 0 ? nullptr : m_db.At(static_cast<std::size_t>(index));
  }

  test::TempDir m_dir;
  CPosixFileLayer m_files;
  test::RecordingSink m_sink;
  CLocationDB m_db;
  bool m_loaded = false;
};

TEST_F(SuppliedZoneFile, LoadsWithoutAnyMessageAndSavesBackUnchanged) {
  ASSERT_TRUE(m_loaded);
  EXPECT_TRUE(m_sink.Messages().empty()) << m_sink.Messages().front().text;
  bool cities = false;
  bool areaCodes = false;
  for (std::size_t i = 0; i < m_db.Count(); ++i) {
    cities = cities || m_db.At(i)->GetType() == CLocation::kCity;
    areaCodes = areaCodes || m_db.At(i)->GetType() == CLocation::kAreaCode;
  }
  EXPECT_TRUE(cities);
  EXPECT_TRUE(areaCodes);

  // The generator writes the canonical form, so the program's own save changes nothing.
  test::ScopedCwd cwd(m_dir.Path());
  ASSERT_TRUE(m_db.Save(m_files, m_sink));
  EXPECT_TRUE(m_sink.Messages().empty());
  EXPECT_TRUE(ReadFile(kZoneFile) == ReadFile(kDataDir + "/" + kZoneFile));
  EXPECT_FALSE(std::filesystem::exists("CUST_ZON.DAT"));
}

TEST_F(SuppliedZoneFile, DefaultClockFindsExactlyTheThreeDefaultPlaces) {
  ASSERT_TRUE(m_loaded);
  CClockSettings settings;
  settings.RestoreClockList(m_db);

  std::vector<std::string> shown;
  for (std::size_t i = 0; i < m_db.ClockCount(); ++i) {
    shown.push_back(m_db.ClockAt(i)->Name() + ", " + m_db.ClockAt(i)->Country());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"London, United Kingdom", "New York, United States",
                                             "San Francisco, United States"}));
}

TEST_F(SuppliedZoneFile, ExactZonesShowTheSameLocalTimeAsTheCLibrary) {
  ASSERT_TRUE(m_loaded);
  std::set<std::string> checked;
  for (const ZoneSample& sample : ReadZoneList()) {
    if (!sample.exact) {
      continue;
    }
    const CLocation* location = Find(sample);
    if (location == nullptr) {
      ADD_FAILURE() << Describe(sample) << " is not in " << kZoneFile;
      continue;
    }
    const Comparison c = CompareWithLibc(*location, sample.zone);
    EXPECT_EQ(c.mismatches, 0) << Describe(sample) << " differs at " << c.mismatches << " of "
                               << c.samples << " samples, first at UTC second " << c.firstMismatch
                               << ", by up to " << c.largestError << " s";
    checked.insert(sample.zone);
  }
  // The kinds of rule that are easy to get wrong: Dublin's negative daylight saving, a
  // southern rule, half-hour offsets on either side of Greenwich, and no daylight saving.
  for (const char* zone :
       {"Europe/Dublin", "Europe/London", "America/New_York", "Australia/Sydney",
        "Australia/Adelaide", "America/St_Johns", "Asia/Kolkata", "Asia/Tokyo"}) {
    EXPECT_TRUE(checked.count(zone)) << zone << " is not among the exact zones";
  }
}

TEST_F(SuppliedZoneFile, ApproximateZonesAreNeverMoreThanAnHourOff) {
  ASSERT_TRUE(m_loaded);
  for (const ZoneSample& sample : ReadZoneList()) {
    if (sample.exact) {
      continue;
    }
    const CLocation* location = Find(sample);
    if (location == nullptr) {
      ADD_FAILURE() << Describe(sample) << " is not in " << kZoneFile;
      continue;
    }
    const Comparison c = CompareWithLibc(*location, sample.zone);
    EXPECT_LE(c.largestError, 3600) << Describe(sample);
  }
}

}  // namespace
}  // namespace zw
