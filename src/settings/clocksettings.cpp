// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/clocksettings.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "locations/locationdb.h"
#include "settings/settingsstore.h"

namespace zw {

namespace {

constexpr std::size_t kNameField = 32;
constexpr const char* kDefaultClockNames[] = {"New York", "London", "San Francisco"};

}  // namespace

DisplayOptions ClockSettings::Display() const {
  DisplayOptions options;
  options.fourDigitYears = fourDigitYears;
  options.showSeconds = showSeconds;
  options.leadingZeros = leadingZeros;
  options.displayMode = displayMode;
  options.dateOrder = dateOrder;
  options.hour24 = hour24;
  return options;
}

CClockSettings::CClockSettings() {
  ResetToDefaults();
}

void CClockSettings::ResetToDefaults() {
  m_values = ClockSettings{};
  m_image = CSettingsCodec::DefaultImage();
}

void CClockSettings::Load(ISettingsStore& store) {
  const auto stored = store.Read(std::string(kRecordName), CSettingsCodec::kRecordSize);
  // An empty value has no data pointer to copy from: it counts as absent.
  if (!stored || stored->empty() || stored->size() > CSettingsCodec::kRecordSize) {
    return;
  }
  CSettingsCodec::Encode(m_values, m_image);
  std::memcpy(m_image.data(), stored->data(), stored->size());
  m_values = CSettingsCodec::Decode(m_image);
}

void CClockSettings::Save(ISettingsStore& store, const CLocationDB& db,
                          const std::optional<std::array<int, 4>>& windowRect) {
  for (std::size_t i = 0; i < ClockSettings::kClockSlots; ++i) {
    ClockSlot& slot = m_values.clockSlots[i];
    if (i >= db.ClockCount()) {
      slot.place.name.clear();
      continue;
    }
    const CLocation* location = db.ClockAt(i);
    slot.place = PlaceName{location->Name(), location->Country()};
    slot.textColor = db.ClockColor(*location);
  }
  if (windowRect) {
    m_values.windowRect = *windowRect;
  }
  SaveRecord(store);
}

CSettingsCodec::Image CClockSettings::Record() const {
  CSettingsCodec::Image image = m_image;
  CSettingsCodec::Encode(m_values, image);
  return image;
}

void CClockSettings::SaveRecord(ISettingsStore& store) const {
  store.Write(std::string(kRecordName), Record());
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
  for (const ClockSlot& slot : m_values.clockSlots) {
    if (slot.place.Empty()) {
      continue;
    }
    const int index = db.Find(slot.place.name, slot.place.country);
    if (index < 0) {
      continue;
    }
    CLocation* location = db.At(static_cast<std::size_t>(index));
    db.SetClockColor(*location, slot.textColor);
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

}  // namespace zw
