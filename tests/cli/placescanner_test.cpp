#include "cli/placescanner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

#include "cli/latin1.h"
#include "cli/readonlyfiles.h"
#include "locations/locationdb.h"
#include "support/recordingsink.h"

namespace zw {
namespace {

std::string Describe(const CLocation& place) {
  const CTzZone* zone = place.TzZone();
  return std::to_string(place.GetType()) + "|" + place.Country() + "|" + place.Name() + "|" +
         std::to_string(place.GetOffsetHours()) + ":" + std::to_string(place.GetOffsetMinutes()) +
         "|" + (zone != nullptr ? zone->Name() : "-") + (place.FollowsTz() ? "+" : "");
}

std::string Lowered(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) {
    c = CLatin1::Lower(c);
  }
  return lower;
}

// Every name of the supplied database, looked up alone, builds exactly the places the whole
// load holds under that name ignoring case, in its order and with its zones.
TEST(PlaceScanner, BuildsWhatTheWholeLoadHoldsForEveryName) {
  CReadOnlyFiles files(ZW_SOURCE_DATA_DIR, {});
  test::RecordingSink sink;
  CLocationDB whole;
  ASSERT_TRUE(whole.Load(files, sink));
  const std::unique_ptr<CPlaceScanner> scanner = CPlaceScanner::Open(files);
  ASSERT_NE(scanner, nullptr);
  std::map<std::string, std::vector<std::string>> expected;
  for (std::size_t i = 0; i < whole.Count(); ++i) {
    expected[Lowered(whole.At(i)->Name())].push_back(Describe(*whole.At(i)));
  }
  for (const auto& [name, places] : expected) {
    CLocationDB named;
    scanner->BuildNamed({name}, named);
    std::vector<std::string> built;
    for (std::size_t i = 0; i < named.Count(); ++i) {
      built.push_back(Describe(*named.At(i)));
    }
    EXPECT_EQ(built, places) << name;
  }
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
