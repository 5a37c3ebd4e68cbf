// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/placescanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "cli/latin1.h"
#include "cli/readonlyfiles.h"
#include "locations/locationdb.h"
#include "locations/namefolding.h"
#include "support/recordingsink.h"

namespace zw {
namespace {

std::string Describe(const CLocation& place) {
  const CTzZone* zone = place.TzZone();
  return std::to_string(place.GetType()) + "|" + place.Country() + "|" + place.Name() + "|" +
         std::to_string(place.GetOffsetHours()) + ":" + std::to_string(place.GetOffsetMinutes()) +
         "|" + (zone != nullptr ? zone->Name() : "-") + (place.FollowsTz() ? "+" : "");
}

std::vector<std::string> Built(const CPlaceScanner& scanner, const std::string& name) {
  CLocationDB named;
  EXPECT_TRUE(scanner.BuildNamed({name}, named));
  std::vector<std::string> built;
  for (std::size_t i = 0; i < named.Count(); ++i) {
    built.push_back(Describe(*named.At(i)));
  }
  return built;
}

// The places of `db` by their names folded, each name's in its order.
std::map<std::string, std::vector<std::string>> ByName(const CLocationDB& db) {
  std::map<std::string, std::vector<std::string>> places;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    places[CNameFolding::FoldLatin1(db.At(i)->Name())].push_back(Describe(*db.At(i)));
  }
  return places;
}

// A directory of its own, removed with everything in it.
class ScratchDir {
 public:
  explicit ScratchDir(const char* what)
      : m_path(std::filesystem::temp_directory_path() / (what + std::to_string(::getpid()))) {
    std::filesystem::create_directories(m_path);
  }
  ~ScratchDir() { std::filesystem::remove_all(m_path); }
  const std::filesystem::path& Path() const { return m_path; }
  void Write(const char* name, const std::string& text) const {
    std::ofstream(m_path / name, std::ios::binary) << text;
  }

 private:
  std::filesystem::path m_path;
};

// Every name of the supplied database, looked up alone, builds exactly the places the whole
// load holds under that name ignoring case and accents, in its order and with its zones:
// read whole, by the run that makes the index, and through the index a later run finds.
TEST(PlaceScanner, BuildsWhatTheWholeLoadHoldsForEveryName) {
  CReadOnlyFiles files(ZW_SOURCE_DATA_DIR, {});
  test::RecordingSink sink;
  CLocationDB whole;
  ASSERT_TRUE(whole.Load(files, sink));
  const ScratchDir cache("placeindex-");
  const std::string index = (cache.Path() / "places.index").string();
  const std::unique_ptr<CPlaceScanner> scanners[] = {CPlaceScanner::Open(files),
                                                     CPlaceScanner::Open(files, index),
                                                     CPlaceScanner::Open(files, index)};
  const std::map<std::string, std::vector<std::string>> expected = ByName(whole);
  for (const std::unique_ptr<CPlaceScanner>& scanner : scanners) {
    ASSERT_NE(scanner, nullptr);
    // Until an index is found every lookup reads the whole file, so a sample will do.
    const std::size_t every = scanner == scanners[2] ? 1 : 100;
    std::size_t seen = 0;
    for (const auto& [name, places] : expected) {
      if (seen++ % every == 0) {
        EXPECT_EQ(Built(*scanner, name), places) << name;
      }
    }
  }
  // Typed forms of names the file holds with other letters.
  EXPECT_EQ(Built(*scanners[2],
                  "\xC5\x81\xC3\xB3"
                  "d\xC5\xBA")
                .size(),
            1u);
  EXPECT_EQ(Built(*scanners[2], "ZURICH").size(), 1u);
}

// Flips one byte of the index in every `step`, or cuts the index short there, one at a time,
// and looks every place of the files up through it. Damage in a block is found only when a lookup
// reads it: that run leaves the answer to the whole database, and the next must find the places as
// the files hold them.
void ExpectDamageNeverBelieved(CReadOnlyFiles& files, const std::string& index, std::size_t step) {
  test::RecordingSink sink;
  CLocationDB whole;
  ASSERT_TRUE(whole.Load(files, sink));
  const std::map<std::string, std::vector<std::string>> expected = ByName(whole);
  std::vector<std::string> names;
  for (const auto& [name, places] : expected) {
    names.push_back(name);
  }
  const auto lookUp = [&files, &index, &names]() {
    const std::unique_ptr<CPlaceScanner> scanner = CPlaceScanner::Open(files, index);
    CLocationDB named;
    return scanner != nullptr && scanner->BuildNamed(names, named) ? std::optional(ByName(named))
                                                                   : std::nullopt;
  };
  // Once to make the index if there is none, once through it.
  ASSERT_EQ(lookUp(), expected);
  ASSERT_EQ(lookUp(), expected);

  std::ifstream in(index, std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  for (std::size_t at = 0; at < good.size(); at += step) {
    std::string flipped = good;
    flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
    for (const std::string& damaged : {flipped, good.substr(0, at)}) {
      std::ofstream(index, std::ios::binary) << damaged;
      std::optional<std::map<std::string, std::vector<std::string>>> found = lookUp();
      if (!found) {
        found = lookUp();
      }
      EXPECT_EQ(found, expected) << at << (damaged.size() == at ? " cut" : " flipped");
    }
  }
}

// An index that no longer matches its files, or is damaged anywhere, is never believed: the
// places come out as the files hold them.
TEST(PlaceScanner, StaleOrDamagedIndexesFallBackToTheFiles) {
  const ScratchDir dir("placeindex-data-");
  const std::string tokyo = "1,\"Japan\",\"Tokyo\",9,0,0,0,0,3,2,4,0,9,2\r\n";
  const std::string paris = "1,\"France\",\"Paris\",1,0,1,4,0,2,2,4,0,9,3\r\n";
  dir.Write("TIME_ZON.DAT", tokyo);
  dir.Write("TIME_ZON.TZN", "1,\"Japan\",\"Tokyo\",\"Asia/Tokyo\"");
  CReadOnlyFiles files(dir.Path().string(), {});
  const std::string index = (dir.Path() / "cache" / "places.index").string();
  ASSERT_NE(CPlaceScanner::Open(files, index), nullptr);
  ASSERT_TRUE(std::filesystem::exists(index));
  EXPECT_EQ(Built(*CPlaceScanner::Open(files, index), "tokyo"),
            std::vector<std::string>{"1|Japan|Tokyo|9:0|Asia/Tokyo+"});

  // A changed zone file is read again, and the index made anew.
  dir.Write("TIME_ZON.DAT", paris + tokyo);
  EXPECT_EQ(Built(*CPlaceScanner::Open(files, index), "Paris").size(), 1u);
  EXPECT_EQ(Built(*CPlaceScanner::Open(files, index), "Tokyo").size(), 1u);
  ExpectDamageNeverBelieved(files, index, 1);

  // A FIFO where the index belongs is passed over, not waited on.
  std::filesystem::remove(index);
  ASSERT_EQ(::mkfifo(index.c_str(), 0600), 0);
  EXPECT_EQ(Built(*CPlaceScanner::Open(files, index), "Tokyo").size(), 1u);

  // Blocks of many lines, with the lines of one name running on from one block into the next;
  // a byte flipped in every kilobyte damages each block in turn.
  std::string many = tokyo;
  for (int land = 0; land < 3; ++land) {
    for (int place = 0; place < 340; ++place) {
      char line[64];
      std::snprintf(line, sizeof line, "2,\"Zz Land %d\",\"Place %03d\",3,0,0,0,0,0,0,0,0,0,0\r\n",
                    land, place);
      many += line;
    }
  }
  dir.Write("TIME_ZON.DAT", many);
  ExpectDamageNeverBelieved(files, index, 1024);
}

// What the whole load would warn about, or an update it would take in, is left to it.
TEST(PlaceScanner, RefusesFilesTheWholeLoadMustHandle) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("placescanner-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto write = [&dir](const char* name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
  };
  const std::string london = "1,\"United Kingdom\",\"London\",0,0,1,4,0,2,1,4,0,9,2\r\n";
  const std::string tokyo = "1,\"Japan\",\"Tokyo\",9,0,0,0,0,3,2,4,0,9,2\r\n";
  CReadOnlyFiles files(dir.string(), {});
  write("TIME_ZON.DAT", tokyo + london);
  EXPECT_NE(CPlaceScanner::Open(files), nullptr);
  write("TIME_ZON.TZN", "1,\"Japan\",\"Tokyo\r\n");
  EXPECT_EQ(CPlaceScanner::Open(files), nullptr);
  std::filesystem::remove(dir / "TIME_ZON.TZN");
  write("CUST_ZON.DAT", "1,\"\",\"Camp\",0,0,0,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(CPlaceScanner::Open(files), nullptr);
  std::filesystem::remove(dir / "CUST_ZON.DAT");
  write("TIME_ZON.DAT", london + tokyo);
  EXPECT_EQ(CPlaceScanner::Open(files), nullptr);
  write("TIME_ZON.DAT", tokyo + london);
  write("TEMPT.DAT", tokyo);
  EXPECT_EQ(CPlaceScanner::Open(files), nullptr);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zw
