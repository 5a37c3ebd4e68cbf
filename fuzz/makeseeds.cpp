// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the starting inputs of the fuzz targets into the directory given: files as the
// program itself writes them, and the supplied data files, the zone file in small pieces so
// that each input stays quick to read.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "events/eventlist.h"
#include "events/notesfile.h"
#include "fuzzsupport.h"
#include "locations/locationdb.h"
#include "locations/zonefile.h"
#include "settings/clocksettings.h"

using namespace zw;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kZoneLinesPerSeed = 40;

void WriteSeed(const fs::path& dir, const std::string& name, const std::vector<std::uint8_t>& b) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

std::vector<std::uint8_t> ReadData(const char* name) {
  std::ifstream in(fs::path(ZW_FUZZ_DATA_DIR) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A supplied line-per-place file, cut into pieces of whole lines.
void SliceSeeds(const fs::path& dir, const char* dataFile) {
  const std::vector<std::uint8_t> all = ReadData(dataFile);
  std::vector<std::uint8_t> piece;
  std::size_t lines = 0;
  int n = 0;
  for (const std::uint8_t byte : all) {
    piece.push_back(byte);
    if (byte == '\n' && ++lines % kZoneLinesPerSeed == 0) {
      WriteSeed(dir, "standard-" + std::to_string(n++), piece);
      piece.clear();
    }
  }
  WriteSeed(dir, "standard-" + std::to_string(n), piece);
}

void ZoneSeeds(const fs::path& dir) {
  SliceSeeds(dir, "TIME_ZON.DAT");
  CLocation custom;
  custom.SetType(CLocation::kCustom);
  custom.SetCountry("Base");
  custom.SetName("Camp");
  custom.SetOffset(-3);
  custom.SetOffsetMinutes(-30);
  custom.SetDstRule(1, 1, 0, 2, 2, 0, 0, 10, 2);
  std::string line;
  CZoneFile::AppendLine(custom, line);
  WriteSeed(dir, "custom", {line.begin(), line.end()});
}

void EventSeed(const fs::path& dir) {
  CEventList events(fuzz::SuppliedLocations());
  const CLocation& place = *fuzz::SuppliedLocations().At(0);
  for (int frequency = kDaily; frequency <= kOneTime; ++frequency) {
    auto event = std::make_unique<CEvent>();
    AlarmRecord& r = event->Fields();
    CEvent::SetText(r.name, "Event " + std::to_string(frequency));
    CEvent::SetText(r.locationName, place.Name());
    CEvent::SetText(r.locationCountry, place.Country());
    CEvent::SetText(r.timeText, "09:30:00");
    CEvent::SetText(r.dateText, "03/11/2024");
    CEvent::SetText(r.messageText, "Call home");
    r.frequency = frequency;
    r.weekday = 2;
    r.annualMonth = 3;
    r.showMessage = 1;
    r.preNotifyMinutes = 5 * frequency;
    events.Add(std::move(event));
  }
  fuzz::MemoryFiles files;
  fuzz::CountingSink sink;
  events.Save(files, sink);
  WriteSeed(dir, "written", files.files[std::string(CEventList::kFileName)]);
}

void NotesSeed(const fs::path& dir) {
  fuzz::MemoryFiles files;
  fuzz::CountingSink sink;
  CNotesFile notes(files, sink);
  notes.SetNote(CDateTime(2024, 3, 10, 0, 0, 0), "Dentist at 10");
  notes.SetNote(CDateTime(2024, 3, 12, 0, 0, 0), std::string(CNotesFile::kMaxTextLength, 'n'));
  notes.Save();
  WriteSeed(dir, "written", files.files[std::string(CNotesFile::kFileName)]);
}

void SettingsSeed(const fs::path& dir) {
  fuzz::MemoryStore store;
  CClockSettings().SaveRecord(store);
  WriteSeed(dir, "defaults", store.values[std::string(CClockSettings::kRecordName)]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  fuzz::FixNow();
  ZoneSeeds(out / "zonefile");
  SliceSeeds(out / "zonecompanion", "TIME_ZON.TZN");
  EventSeed(out / "eventfile");
  NotesSeed(out / "notes");
  SettingsSeed(out / "settings");
  WriteSeed(out / "currency", "supplied", ReadData("CURRENCY.DAT"));
  WriteSeed(out / "measure", "supplied", ReadData("MEASURE.DAT"));
  return 0;
}
