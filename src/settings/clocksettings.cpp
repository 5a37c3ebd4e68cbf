#include "settings/clocksettings.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "locations/locationdb.h"
#include "settings/settingsstore.h"

namespace zw {

namespace {

constexpr std::int32_t kDefaultBackground = 128;  // dark red: 0x00BBGGRR
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::size_t kNameField = 32;
constexpr const char* kDefaultClockNames[] = {"New York", "London", "San Francisco"};

}  // namespace

CClockSettings::CClockSettings() {
  ResetToDefaults();
}

void CClockSettings::ResetToDefaults() {
  m_record = ClockSettingsRecord{};
  ClockSettingsRecord& r = m_record;
  r.fourDigitYears = 1;
  r.showSeconds = 1;
  r.leadingZeros = 1;
  r.displayMode = DisplayOptions::kDateAndTime;
  r.dateOrder = 0;
  r.hour24 = 0;
  r.fontTarget = 2;
  r.autoSize = 1;
  r.backgroundColor = kDefaultBackground;
  r.windowRect[0] = 100;
  r.windowRect[1] = 100;
  r.windowRect[2] = 400;
  r.windowRect[3] = 350;
  SetText(r.logFileName, kDefaultLogFile);
  r.logLocationIndex = -1;
  r.logOption = 1;
  for (LocationSlot& slot : r.clockSlots) {
    slot.textColor = kWhite;
  }
  r.digitSpacing = 10;
  r.scheduleBasisView = -1;
  r.showTitlebar = kFlagOn;
  r.keepOnTop = 0;
  SetText(r.ftpDirectory, kDefaultFtpDirectory);
  r.measureCategory = '1';
  r.measureLeftSystem = '1';
  r.measureRightSystem = '2';
  r.showToolbar = kFlagOn;
}

void CClockSettings::Load(ISettingsStore& store) {
  const auto stored = store.Read(std::string(kRecordName), kRecordSize);
  // An empty value has no data pointer to copy from: it counts as absent.
  if (!stored || stored->empty() || stored->size() > kRecordSize) {
    return;
  }
  std::memcpy(&m_record, stored->data(), stored->size());
}

void CClockSettings::Save(ISettingsStore& store, const CLocationDB& db,
                          const std::optional<std::array<int, 4>>& windowRect) {
  for (std::size_t i = 0; i < kClockSlots; ++i) {
    LocationSlot& slot = m_record.clockSlots[i];
    if (i >= db.ClockCount()) {
      // Only the first byte: the rest of an unused slot is written back as it was.
      slot.name[0] = '\0';
      continue;
    }
    const CLocation* location = db.ClockAt(i);
    SetText(slot.name, location->Name());
    SetText(slot.country, location->Country());
    slot.textColor = static_cast<std::int32_t>(location->Clock().color);
  }
  if (windowRect) {
    for (std::size_t i = 0; i < 4; ++i) {
      m_record.windowRect[i] = (*windowRect)[i];
    }
  }
  SaveRecord(store);
}

void CClockSettings::SaveRecord(ISettingsStore& store) const {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&m_record);
  store.Write(std::string(kRecordName), std::span<const std::uint8_t>(bytes, kRecordSize));
}

std::string CClockSettings::BuildInstanceRecord(std::string_view className,
                                                std::string_view title) {
  std::string record(kInstanceRecordSize, ' ');
  record.replace(0, std::min(className.size(), kNameField), className.substr(0, kNameField));
  const std::string_view cutTitle = title.substr(0, kNameField);
  record.replace(kNameField, cutTitle.size(), cutTitle);
  record[kNameField + cutTitle.size()] = '\0';
  return record;
}

void CClockSettings::SaveInstanceRecord(ISettingsStore& store, std::string_view className,
                                        std::string_view title) {
  const std::string record = BuildInstanceRecord(className, title);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.data());
  store.Write(std::string(kInstanceName), std::span<const std::uint8_t>(bytes, record.size()));
}

void CClockSettings::RestoreClockList(CLocationDB& db) const {
  db.ClearClock();
  for (const LocationSlot& slot : m_record.clockSlots) {
    const std::string name = Text(slot.name);
    if (name.empty()) {
      continue;
    }
    const int index = db.Find(name, Text(slot.country));
    if (index < 0) {
      continue;
    }
    CLocation* location = db.At(static_cast<std::size_t>(index));
    location->Clock().color = static_cast<std::uint32_t>(slot.textColor);
    db.AddToClock(location);
  }
  if (db.ClockCount() > 0) {
    return;
  }
  for (std::size_t i = 0; i < db.Count(); ++i) {
    CLocation* location = db.At(i);
    for (const char* wanted : kDefaultClockNames) {
      if (location->Name() == wanted) {
        db.AddToClock(location);
        break;
      }
    }
  }
}

DisplayOptions CClockSettings::Display() const {
  DisplayOptions options;
  options.fourDigitYears = m_record.fourDigitYears != 0;
  options.showSeconds = m_record.showSeconds != 0;
  options.leadingZeros = m_record.leadingZeros != 0;
  options.displayMode = m_record.displayMode;
  options.dateOrder = m_record.dateOrder;
  options.hour24 = m_record.hour24 != 0;
  return options;
}

}  // namespace zw
