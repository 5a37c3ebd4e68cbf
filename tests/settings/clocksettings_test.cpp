// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/clocksettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "locations/locationdb.h"
#include "settings/filesettingsstore.h"
#include "settings/userdirectories.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::int32_t IntAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::int32_t v = 0;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

std::vector<std::uint8_t> RecordBytes(const CClockSettings& s) {
  const CSettingsCodec::Image record = s.Record();
  return {record.begin(), record.end()};
}

class SettingsTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return m_dir.Path() + "/SETTINGS/" + name; }

  void AddLocation(const std::string& name, const std::string& country) {
    auto loc = std::make_unique<CLocation>();
    loc->SetName(name);
    loc->SetCountry(country);
    m_db.Insert(std::move(loc));
  }

  std::vector<std::string> ClockNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_db.ClockCount(); ++i) {
      names.push_back(m_db.ClockAt(i)->Name() + "/" + m_db.ClockAt(i)->Country());
    }
    return names;
  }

  test::FakeClock m_clock{2026, 12, 8, 9, 0, 0};
  test::TempDir m_dir;
  test::FaultyFileLayer m_files;
  CFileSettingsStore m_store{m_files, m_dir.Path() + "/SETTINGS"};
  CLocationDB m_db;
};

}  // namespace

TEST_F(SettingsTest, DefaultsAreTheDocumentedBytes) {
  CClockSettings s;
  const std::vector<std::uint8_t> b = RecordBytes(s);
  ASSERT_EQ(b.size(), 1928u);
  const std::pair<std::size_t, std::int32_t> ints[] = {
      {0, 1},     {4, 1},    {8, 1},    {12, 2},   {16, 0},    {20, 0},    {24, 0},
      {28, 2},    {32, 1},   {36, 128}, {160, 0},  {164, 100}, {168, 100}, {172, 400},
      {176, 350}, {180, 0},  {348, 0},  {624, -1}, {712, 1},   {1596, 10}, {1600, -1},
      {1688, 8},  {1692, 0}, {1696, 0}, {1916, 8}, {1920, 0},  {1924, 0}};
  for (const auto& [offset, value] : ints) {
    EXPECT_EQ(IntAt(b, offset), value) << "offset " << offset;
  }
  for (std::size_t slot = 0; slot < 10; ++slot) {
    const std::size_t base = 716 + 88 * slot;
    EXPECT_EQ(b[base], 0) << "slot " << slot;
    EXPECT_EQ(IntAt(b, base + 84), 0xFFFFFF) << "slot " << slot;
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[364])), "ZnWright.log");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1708])), "127.0.0.1:2121/zonewright");
  EXPECT_EQ(b[1850], '1');
  EXPECT_EQ(b[1851], '1');
  EXPECT_EQ(b[1852], '2');
  // Fonts, names and reserved bytes start zero.
  for (std::size_t i = 40; i < 160; ++i) {
    EXPECT_EQ(b[i], 0) << "font byte " << i;
  }
  for (std::size_t i = 1853; i < 1916; ++i) {
    EXPECT_EQ(b[i], 0) << "reserved byte " << i;
  }
}

TEST_F(SettingsTest, MissingStoreKeepsDefaultsAndFirstSaveCreatesIt) {
  CClockSettings s;
  s.Load(m_store);
  EXPECT_EQ(RecordBytes(s), RecordBytes(CClockSettings()));
  s.SaveRecord(m_store);
  EXPECT_EQ(ReadFile(Path("BinSet")), RecordBytes(s));
}

TEST_F(SettingsTest, RecordReadsBackByteForByte) {
  // Every byte set, reserved and padding ones included, must survive a load and a save.
  std::vector<std::uint8_t> raw(CSettingsCodec::kRecordSize);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    raw[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  m_files.MakeDirectories(m_dir.Path() + "/SETTINGS");
  WriteFile(Path("BinSet"), raw);
  CClockSettings read;
  read.Load(m_store);
  read.SaveRecord(m_store);
  EXPECT_EQ(ReadFile(Path("BinSet")), raw);
}

TEST_F(SettingsTest, ShorterValueOverwritesOnlyItsLength) {
  std::vector<std::uint8_t> partial(8, 0);  // fourDigitYears = 0, showSeconds = 0
  m_files.MakeDirectories(m_dir.Path() + "/SETTINGS");
  WriteFile(Path("BinSet"), partial);
  CClockSettings s;
  s.Load(m_store);
  EXPECT_FALSE(s.Values().fourDigitYears);
  EXPECT_FALSE(s.Values().showSeconds);
  EXPECT_TRUE(s.Values().leadingZeros);
  EXPECT_TRUE(s.Values().showToolbar);
}

TEST_F(SettingsTest, LongerOrEmptyValueIsIgnoredWhole) {
  m_files.MakeDirectories(m_dir.Path() + "/SETTINGS");
  for (const std::size_t size : {std::size_t{1929}, std::size_t{0}}) {
    WriteFile(Path("BinSet"), std::vector<std::uint8_t>(size, 0));
    CClockSettings s;
    s.Load(m_store);
    EXPECT_EQ(RecordBytes(s), RecordBytes(CClockSettings())) << size << " bytes";
  }
}

TEST_F(SettingsTest, SaveCopiesClockListAndRectangle) {
  AddLocation("Tokyo", "Japan");
  AddLocation("A name that is longer than forty characters, cut", "Nowhere");
  AddLocation("Lima", "Peru");
  m_db.AddToClock(m_db.At(static_cast<std::size_t>(m_db.Find("Tokyo", "Japan"))));
  CLocation* longName = m_db.At(static_cast<std::size_t>(
      m_db.Find("A name that is longer than forty characters, cut", "Nowhere")));
  m_db.SetClockColor(*longName, 0x00FF00);
  m_db.AddToClock(longName);

  CClockSettings before;
  before.Values().clockSlots[2].place = PlaceName{"Stale", "Q"};
  before.SaveRecord(m_store);
  CClockSettings s;
  s.Load(m_store);
  s.Save(m_store, m_db, std::array<int, 4>{10, 20, 300, 400});

  const std::vector<std::uint8_t> b = ReadFile(Path("BinSet"));
  ASSERT_EQ(b.size(), 1928u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[716])), "Tokyo");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[716 + 41])), "Japan");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[716 + 88])),
            "A name that is longer than forty charact");
  EXPECT_EQ(IntAt(b, 716 + 88 + 84), 0x00FF00);
  // An unused slot loses only its first name byte.
  EXPECT_EQ(b[716 + 2 * 88], 0);
  EXPECT_EQ(b[716 + 2 * 88 + 1], 't');
  EXPECT_EQ(b[716 + 2 * 88 + 41], 'Q');
  EXPECT_EQ(IntAt(b, 164), 10);
  EXPECT_EQ(IntAt(b, 168), 20);
  EXPECT_EQ(IntAt(b, 172), 300);
  EXPECT_EQ(IntAt(b, 176), 400);
}

TEST_F(SettingsTest, MinimisedWindowKeepsLastNormalRectangle) {
  CClockSettings s;
  s.Save(m_store, m_db, std::array<int, 4>{1, 2, 3, 4});
  s.Save(m_store, m_db, std::nullopt);
  const std::vector<std::uint8_t> b = ReadFile(Path("BinSet"));
  EXPECT_EQ(IntAt(b, 164), 1);
  EXPECT_EQ(IntAt(b, 176), 4);
}

TEST_F(SettingsTest, RemovingTheLastClockLocationBringsBackTheDefaults) {
  AddLocation("London", "United Kingdom");
  AddLocation("New York", "United States");
  AddLocation("Paris", "France");
  AddLocation("San Francisco", "United States");
  AddLocation("London (Ontario)", "Canada");
  m_db.AddToClock(m_db.At(static_cast<std::size_t>(m_db.Find("Paris", "France"))));

  CClockSettings s;
  s.Save(m_store, m_db, std::nullopt);
  m_db.RemoveFromClock(0);
  s.Save(m_store, m_db, std::nullopt);

  CClockSettings restarted;
  restarted.Load(m_store);
  for (const ClockSlot& slot : restarted.Values().clockSlots) {
    EXPECT_TRUE(slot.place.Empty());
  }
  restarted.RestoreClockList(m_db);
  // Byte-exact names, in database order.
  EXPECT_EQ(ClockNames(),
            (std::vector<std::string>{"London/United Kingdom", "New York/United States",
                                      "San Francisco/United States"}));
}

TEST_F(SettingsTest, RestoreSkipsSlotsWhoseLocationIsGone) {
  AddLocation("Lima", "Peru");
  AddLocation("Tokyo", "Japan");
  AddLocation("London", "United Kingdom");
  CClockSettings s;
  s.Values().clockSlots[0] = ClockSlot{PlaceName{"Tokyo", "Japan"}, 0x0000FF};
  s.Values().clockSlots[1].place.name = "Atlantis";
  s.Values().clockSlots[3].place = PlaceName{"Lima", "Peru"};
  s.RestoreClockList(m_db);
  EXPECT_EQ(ClockNames(), (std::vector<std::string>{"Tokyo/Japan", "Lima/Peru"}));
  EXPECT_EQ(m_db.ClockColor(*m_db.ClockAt(0)), 0x0000FFu);
}

TEST_F(SettingsTest, InstanceRecordLayout) {
  const std::string r = CClockSettings::BuildInstanceRecord("ZonewrightClock", "Zonewright");
  ASSERT_EQ(r.size(), 65u);
  EXPECT_EQ(r.substr(0, 32), "ZonewrightClock" + std::string(17, ' '));
  EXPECT_EQ(r.substr(32, 10), "Zonewright");
  EXPECT_EQ(r[42], '\0');
  EXPECT_EQ(r.substr(43), std::string(22, ' '));

  const std::string longTitle = CClockSettings::BuildInstanceRecord(
      std::string(40, 'c'), "A title well over thirty-two characters long");
  EXPECT_EQ(longTitle.size(), 65u);
  EXPECT_EQ(longTitle.substr(0, 32), std::string(32, 'c'));
  EXPECT_EQ(longTitle.substr(32, 32), "A title well over thirty-two cha");
  EXPECT_EQ(longTitle[64], '\0');

  CClockSettings::SaveInstanceRecord(m_store, "ZonewrightClock", "Zonewright");
  const std::vector<std::uint8_t> stored = ReadFile(Path("InstData"));
  EXPECT_EQ(std::string(stored.begin(), stored.end()), r);
}

TEST_F(SettingsTest, FailedSavesAreSilentAndKeepTheOldRecord) {
  CClockSettings s;
  s.SaveRecord(m_store);
  const std::vector<std::uint8_t> before = ReadFile(Path("BinSet"));

  s.Values().displayMode = DisplayOptions::kTimeOnly;
  m_files.FailWrite(2, FileCause::kDiskFull);
  s.SaveRecord(m_store);
  EXPECT_EQ(ReadFile(Path("BinSet")), before);
  m_files.FailRename(2, FileCause::kAccessDenied);
  s.SaveRecord(m_store);
  EXPECT_EQ(ReadFile(Path("BinSet")), before);
  // No temporary file is left behind.
  EXPECT_FALSE(m_files.Exists(Path("BinSet.saving")));

  s.SaveRecord(m_store);
  EXPECT_EQ(IntAt(ReadFile(Path("BinSet")), 12), 1);
}

TEST_F(SettingsTest, DisplayOptionsMirrorTheFirstSixFields) {
  CClockSettings s;
  s.Values().fourDigitYears = false;
  s.Values().showSeconds = false;
  s.Values().leadingZeros = false;
  s.Values().displayMode = DisplayOptions::kTimeOnly;
  s.Values().dateOrder = CDateTime::kDayMonthYear;
  s.Values().hour24 = true;
  const DisplayOptions o = s.Display();
  EXPECT_FALSE(o.fourDigitYears);
  EXPECT_FALSE(o.showSeconds);
  EXPECT_FALSE(o.leadingZeros);
  EXPECT_EQ(o.displayMode, 1);
  EXPECT_EQ(o.dateOrder, 2);
  EXPECT_TRUE(o.hour24);
}

TEST(UserDirectories, FollowTheBaseDirectoryVariables) {
  const test::ScopedEnv config("XDG_CONFIG_HOME", "/tmp/cfg");
  const test::ScopedEnv state("XDG_STATE_HOME", "/tmp/st");
  const test::ScopedEnv home("HOME", "/home/someone");
  EXPECT_EQ(CUserDirectories::Config(), "/tmp/cfg/zonewright");
  EXPECT_EQ(CUserDirectories::LegacyConfig(), "/tmp/cfg/Velloran/Zonewright/2.0/SETTINGS");
  EXPECT_EQ(CUserDirectories::State(), "/tmp/st/zonewright");
  // Relative values are ignored, as the base directory rules ask.
  const test::ScopedEnv relativeConfig("XDG_CONFIG_HOME", "relative/is/ignored");
  const test::ScopedEnv unsetState("XDG_STATE_HOME", nullptr);
  EXPECT_EQ(CUserDirectories::Config(), "/home/someone/.config/zonewright");
  EXPECT_EQ(CUserDirectories::State(), "/home/someone/.local/state/zonewright");
}

TEST_F(SettingsTest, OldRecordsMoveOnceAndAFailedMoveKeepsThem) {
  const std::string old = m_dir.Path() + "/old";
  const std::vector<std::uint8_t> record(1928, 7);
  const std::vector<std::uint8_t> instance(65, 'i');
  const auto plant = [&] {
    m_files.MakeDirectories(old);
    WriteFile(old + "/BinSet", record);
    WriteFile(old + "/InstData", instance);
  };
  struct Case {
    const char* what;
    std::function<void()> fault;
    bool moved;
  };
  const Case cases[] = {
      {"renamed", [] {}, true},
      // Another file system: the rename fails and a copy takes its place.
      {"copied", [&] { m_files.FailRename(m_files.Renames() + 1, FileCause::kGeneric); }, true},
      {"copy fails",
       [&] {
         m_files.FailRename(m_files.Renames() + 1, FileCause::kGeneric);
         m_files.FailWrite(m_files.Writes() + 1, FileCause::kDiskFull);
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(m_dir.Path() + "/SETTINGS");
    plant();
    c.fault();
    m_store.AdoptFrom(old, {"BinSet"});
    EXPECT_EQ(ReadFile(Path("BinSet")), c.moved ? record : std::vector<std::uint8_t>{});
    EXPECT_EQ(ReadFile(old + "/BinSet"), c.moved ? std::vector<std::uint8_t>{} : record);
    EXPECT_FALSE(m_files.Exists(Path("BinSet.saving")));
    EXPECT_TRUE(m_files.Exists(old + "/InstData")) << "only the named records move";
  }
  m_store.AdoptFrom(old, {"BinSet", "InstData"});
  EXPECT_EQ(ReadFile(Path("InstData")), instance);
  // Once moved, a record the new place holds is never replaced by an old one.
  const std::vector<std::uint8_t> other(1928, 9);
  WriteFile(old + "/BinSet", other);
  m_store.AdoptFrom(old, {"BinSet"});
  EXPECT_EQ(ReadFile(Path("BinSet")), record);
  EXPECT_EQ(ReadFile(old + "/BinSet"), other);
}
