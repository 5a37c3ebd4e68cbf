// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace zw {

// The settings record as it lies in "BinSet", byte for byte. Only the settings codec reads or
// writes these structures; the rest of the program sees ClockSettings.

// A stored font description: the fields a font chooser needs to recreate the font.
struct FontRecord {
  std::int32_t height;
  std::int32_t width;
  std::int32_t escapement;
  std::int32_t orientation;
  std::int32_t weight;
  std::uint8_t italic;
  std::uint8_t underline;
  std::uint8_t strikeOut;
  std::uint8_t charSet;
  std::uint8_t outPrecision;
  std::uint8_t clipPrecision;
  std::uint8_t quality;
  std::uint8_t pitchAndFamily;
  char faceName[32];  // empty: the system font
};

// One line of the persisted clock list; an empty name marks an unused slot.
struct LocationSlot {
  char name[41];
  char country[41];
  std::uint8_t padding[2];
  std::int32_t textColor;  // 0x00BBGGRR
};

// The stored settings, byte for byte. Offsets are a file format: never reorder.
// Flags marked "8" hold 8 for on and 0 for off.
struct ClockSettingsRecord {
  std::int32_t fourDigitYears;
  std::int32_t showSeconds;
  std::int32_t leadingZeros;
  std::int32_t displayMode;
  std::int32_t dateOrder;
  std::int32_t hour24;
  std::int32_t reserved24;
  std::int32_t fontTarget;
  std::int32_t autoSize;
  std::int32_t backgroundColor;
  FontRecord nameFont;
  FontRecord digitFont;
  std::int32_t listKind;
  std::int32_t windowRect[4];
  std::int32_t scheduleDays;
  char lastLocationName[41];
  char lastLocationCountry[41];
  char compareRightName[41];
  char compareRightCountry[41];
  std::int32_t hideWelcome;
  std::int32_t reserved352[3];
  char logFileName[260];
  std::int32_t logLocationIndex;
  char logLocationName[41];
  char logLocationCountry[41];
  std::uint8_t padding710[2];
  std::int32_t logOption;
  LocationSlot clockSlots[10];
  std::int32_t digitSpacing;
  std::int32_t scheduleBasisView;
  char scheduleBasisName[41];
  char scheduleBasisCountry[41];
  std::uint8_t padding1686[2];
  std::int32_t showTitlebar;  // 8
  std::int32_t keepOnTop;     // 8
  std::int32_t zoneUpdatedAt;
  std::int32_t currencyUpdatedAt;
  std::int32_t measureUpdatedAt;
  char ftpDirectory[61];
  std::uint8_t reserved1769[9];
  char currencyLeft[36];
  char currencyRight[36];
  char measureCategory;
  char measureLeftSystem;
  char measureRightSystem;
  std::uint8_t reserved1853[2][30];
  std::uint8_t padding1913[3];
  std::int32_t showToolbar;  // 8
  std::int32_t measureLeftUnit;
  std::int32_t measureRightUnit;
};

// The layout is stored raw, so it only holds on a little-endian machine with 4-byte ints.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(FontRecord) == 60);
static_assert(offsetof(FontRecord, italic) == 20);
static_assert(offsetof(FontRecord, faceName) == 28);
static_assert(sizeof(LocationSlot) == 88);
static_assert(offsetof(LocationSlot, country) == 41);
static_assert(offsetof(LocationSlot, padding) == 82);
static_assert(offsetof(LocationSlot, textColor) == 84);
static_assert(sizeof(ClockSettingsRecord) == 1928);
static_assert(offsetof(ClockSettingsRecord, fourDigitYears) == 0);
static_assert(offsetof(ClockSettingsRecord, showSeconds) == 4);
static_assert(offsetof(ClockSettingsRecord, leadingZeros) == 8);
static_assert(offsetof(ClockSettingsRecord, displayMode) == 12);
static_assert(offsetof(ClockSettingsRecord, dateOrder) == 16);
static_assert(offsetof(ClockSettingsRecord, hour24) == 20);
static_assert(offsetof(ClockSettingsRecord, reserved24) == 24);
static_assert(offsetof(ClockSettingsRecord, fontTarget) == 28);
static_assert(offsetof(ClockSettingsRecord, autoSize) == 32);
static_assert(offsetof(ClockSettingsRecord, backgroundColor) == 36);
static_assert(offsetof(ClockSettingsRecord, nameFont) == 40);
static_assert(offsetof(ClockSettingsRecord, digitFont) == 100);
static_assert(offsetof(ClockSettingsRecord, listKind) == 160);
static_assert(offsetof(ClockSettingsRecord, windowRect) == 164);
static_assert(offsetof(ClockSettingsRecord, scheduleDays) == 180);
static_assert(offsetof(ClockSettingsRecord, lastLocationName) == 184);
static_assert(offsetof(ClockSettingsRecord, lastLocationCountry) == 225);
static_assert(offsetof(ClockSettingsRecord, compareRightName) == 266);
static_assert(offsetof(ClockSettingsRecord, compareRightCountry) == 307);
static_assert(offsetof(ClockSettingsRecord, hideWelcome) == 348);
static_assert(offsetof(ClockSettingsRecord, reserved352) == 352);
static_assert(offsetof(ClockSettingsRecord, logFileName) == 364);
static_assert(offsetof(ClockSettingsRecord, logLocationIndex) == 624);
static_assert(offsetof(ClockSettingsRecord, logLocationName) == 628);
static_assert(offsetof(ClockSettingsRecord, logLocationCountry) == 669);
static_assert(offsetof(ClockSettingsRecord, padding710) == 710);
static_assert(offsetof(ClockSettingsRecord, logOption) == 712);
static_assert(offsetof(ClockSettingsRecord, clockSlots) == 716);
static_assert(offsetof(ClockSettingsRecord, digitSpacing) == 1596);
static_assert(offsetof(ClockSettingsRecord, scheduleBasisView) == 1600);
static_assert(offsetof(ClockSettingsRecord, scheduleBasisName) == 1604);
static_assert(offsetof(ClockSettingsRecord, scheduleBasisCountry) == 1645);
static_assert(offsetof(ClockSettingsRecord, padding1686) == 1686);
static_assert(offsetof(ClockSettingsRecord, showTitlebar) == 1688);
static_assert(offsetof(ClockSettingsRecord, keepOnTop) == 1692);
static_assert(offsetof(ClockSettingsRecord, zoneUpdatedAt) == 1696);
static_assert(offsetof(ClockSettingsRecord, currencyUpdatedAt) == 1700);
static_assert(offsetof(ClockSettingsRecord, measureUpdatedAt) == 1704);
static_assert(offsetof(ClockSettingsRecord, ftpDirectory) == 1708);
static_assert(offsetof(ClockSettingsRecord, reserved1769) == 1769);
static_assert(offsetof(ClockSettingsRecord, currencyLeft) == 1778);
static_assert(offsetof(ClockSettingsRecord, currencyRight) == 1814);
static_assert(offsetof(ClockSettingsRecord, measureCategory) == 1850);
static_assert(offsetof(ClockSettingsRecord, measureLeftSystem) == 1851);
static_assert(offsetof(ClockSettingsRecord, measureRightSystem) == 1852);
static_assert(offsetof(ClockSettingsRecord, reserved1853) == 1853);
static_assert(offsetof(ClockSettingsRecord, padding1913) == 1913);
static_assert(offsetof(ClockSettingsRecord, showToolbar) == 1916);
static_assert(offsetof(ClockSettingsRecord, measureLeftUnit) == 1920);
static_assert(offsetof(ClockSettingsRecord, measureRightUnit) == 1924);

}  // namespace zw
