// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingscodec.h"

#include <cstring>
#include <string>
#include <type_traits>

#include "settings/clocksettings.h"
#include "settings/settingsrecord.h"
#include "timecore/fixedtext.h"

namespace zw {

namespace {

static_assert(sizeof(ClockSettingsRecord) == CSettingsCodec::kRecordSize);
static_assert(std::is_trivially_copyable_v<ClockSettingsRecord>);
static_assert(sizeof(ClockSettingsRecord::logFileName) - 1 == CSettingsCodec::kLogFileNameBytes);

// How a stored flag reads: the record mixes three conventions.
enum class Flag { kNonZero, kOne, kEight };

bool ReadFlag(std::int32_t stored, Flag flag) {
  switch (flag) {
    case Flag::kOne:
      return stored == 1;
    case Flag::kEight:
      return stored == 8;
    default:
      return stored != 0;
  }
}

std::int32_t FlagOn(Flag flag) {
  return flag == Flag::kEight ? 8 : 1;
}

DisplayOptions::Mode ReadMode(std::int32_t stored) {
  return stored == DisplayOptions::kDateOnly   ? DisplayOptions::kDateOnly
         : stored == DisplayOptions::kTimeOnly ? DisplayOptions::kTimeOnly
                                               : DisplayOptions::kDateAndTime;
}

CDateTime::DateOrder ReadOrder(std::int32_t stored) {
  return stored == CDateTime::kMonthDayYear   ? CDateTime::kMonthDayYear
         : stored == CDateTime::kDayMonthYear ? CDateTime::kDayMonthYear
                                              : CDateTime::kYearMonthDay;
}

ClockSettings::FontTarget ReadTarget(std::int32_t stored) {
  return stored == ClockSettings::kNameFont    ? ClockSettings::kNameFont
         : stored == ClockSettings::kDigitFont ? ClockSettings::kDigitFont
                                               : ClockSettings::kBothFonts;
}

ClockFont ReadFont(const FontRecord& r) {
  ClockFont font;
  font.face = FixedText(r.faceName);
  font.height = r.height;
  font.weight = r.weight;
  font.italic = r.italic != 0;
  font.underline = r.underline != 0;
  font.strikeOut = r.strikeOut != 0;
  const int pitch = r.pitchAndFamily & 0x3;
  font.pitch = pitch == 1   ? ClockFont::Pitch::kFixed
               : pitch == 2 ? ClockFont::Pitch::kVariable
                            : ClockFont::Pitch::kDefault;
  return font;
}

// A changed font is written whole, as a font chooser would describe it.
FontRecord FontBytes(const ClockFont& font) {
  FontRecord r{};
  r.height = font.height;
  r.weight = font.weight;
  r.italic = font.italic ? 1 : 0;
  r.underline = font.underline ? 1 : 0;
  r.strikeOut = font.strikeOut ? 1 : 0;
  r.pitchAndFamily = static_cast<std::uint8_t>(font.pitch);
  SetFixedText(r.faceName, font.face);
  return r;
}

struct Reader {
  void Bool(const std::int32_t& stored, bool& value, Flag flag) { value = ReadFlag(stored, flag); }
  template <typename Int, typename Value>
  void Number(const Int& stored, Value& value) {
    value = static_cast<Value>(stored);
  }
  template <typename Enum>
  void Choice(const std::int32_t& stored, Enum& value, Enum (*read)(std::int32_t)) {
    value = read(stored);
  }
  template <std::size_t N>
  void Text(const char (&field)[N], std::string& value) {
    value = FixedText(field);
  }
  void SlotName(const char (&field)[41], std::string& value) { Text(field, value); }
  void Font(const FontRecord& stored, ClockFont& value) { value = ReadFont(stored); }
};

// Writes only what reads differently from the value, so everything else keeps its bytes.
struct Writer {
  void Bool(std::int32_t& stored, const bool& value, Flag flag) {
    if (ReadFlag(stored, flag) != value) {
      stored = value ? FlagOn(flag) : 0;
    }
  }
  template <typename Int, typename Value>
  void Number(Int& stored, const Value& value) {
    stored = static_cast<Int>(value);
  }
  template <typename Enum>
  void Choice(std::int32_t& stored, const Enum& value, Enum (*read)(std::int32_t)) {
    if (read(stored) != value) {
      stored = static_cast<std::int32_t>(value);
    }
  }
  template <std::size_t N>
  void Text(char (&field)[N], const std::string& value) {
    if (FixedText(field) != value) {
      SetFixedText(field, value);
    }
  }
  // An emptied slot loses only its first byte; the rest is written back as it was.
  void SlotName(char (&field)[41], const std::string& value) {
    if (value.empty()) {
      field[0] = '\0';
      return;
    }
    Text(field, value);
  }
  void Font(FontRecord& stored, const ClockFont& value) {
    if (!(ReadFont(stored) == value)) {
      stored = FontBytes(value);
    }
  }
};

template <typename Record, typename Place>
void VisitPlace(auto& v, Record& name, Record& country, Place& place) {
  v.Text(name, place.name);
  v.Text(country, place.country);
}

// Every field the program uses, in record order; the visitor reads or writes it.
template <typename Visitor, typename Record, typename Values>
void VisitFields(Visitor& v, Record& r, Values& s) {
  v.Bool(r.fourDigitYears, s.fourDigitYears, Flag::kNonZero);
  v.Bool(r.showSeconds, s.showSeconds, Flag::kNonZero);
  v.Bool(r.leadingZeros, s.leadingZeros, Flag::kNonZero);
  v.Choice(r.displayMode, s.displayMode, &ReadMode);
  v.Choice(r.dateOrder, s.dateOrder, &ReadOrder);
  v.Bool(r.hour24, s.hour24, Flag::kNonZero);
  v.Choice(r.fontTarget, s.fontTarget, &ReadTarget);
  v.Bool(r.autoSize, s.autoSize, Flag::kOne);
  v.Number(r.backgroundColor, s.backgroundColor);
  v.Font(r.nameFont, s.nameFont);
  v.Font(r.digitFont, s.digitFont);
  v.Number(r.listKind, s.listKind);
  for (std::size_t i = 0; i < 4; ++i) {
    v.Number(r.windowRect[i], s.windowRect[i]);
  }
  v.Number(r.scheduleDays, s.scheduleDays);
  VisitPlace(v, r.lastLocationName, r.lastLocationCountry, s.lastLocation);
  VisitPlace(v, r.compareRightName, r.compareRightCountry, s.compareRight);
  v.Bool(r.hideWelcome, s.hideWelcome, Flag::kNonZero);
  v.Text(r.logFileName, s.logFileName);
  v.Number(r.logLocationIndex, s.logLocationView);
  VisitPlace(v, r.logLocationName, r.logLocationCountry, s.logLocation);
  v.Bool(r.logOption, s.logStarts, Flag::kNonZero);
  for (std::size_t i = 0; i < ClockSettings::kClockSlots; ++i) {
    v.SlotName(r.clockSlots[i].name, s.clockSlots[i].place.name);
    v.Text(r.clockSlots[i].country, s.clockSlots[i].place.country);
    v.Number(r.clockSlots[i].textColor, s.clockSlots[i].textColor);
  }
  v.Number(r.digitSpacing, s.digitSpacing);
  v.Number(r.scheduleBasisView, s.scheduleBasisView);
  VisitPlace(v, r.scheduleBasisName, r.scheduleBasisCountry, s.scheduleBasis);
  v.Bool(r.showTitlebar, s.showTitlebar, Flag::kEight);
  v.Bool(r.keepOnTop, s.keepOnTop, Flag::kEight);
  v.Number(r.zoneUpdatedAt, s.zoneUpdatedAt);
  v.Number(r.currencyUpdatedAt, s.currencyUpdatedAt);
  v.Number(r.measureUpdatedAt, s.measureUpdatedAt);
  v.Text(r.ftpDirectory, s.ftpDirectory);
  v.Text(r.currencyLeft, s.currencyLeft);
  v.Text(r.currencyRight, s.currencyRight);
  v.Number(r.measureCategory, s.measureCategory);
  v.Number(r.measureLeftSystem, s.measureLeftSystem);
  v.Number(r.measureRightSystem, s.measureRightSystem);
  v.Bool(r.showToolbar, s.showToolbar, Flag::kEight);
  v.Number(r.measureLeftUnit, s.measureLeftUnit);
  v.Number(r.measureRightUnit, s.measureRightUnit);
}

ClockSettingsRecord RecordOf(const CSettingsCodec::Image& image) {
  ClockSettingsRecord record;
  std::memcpy(&record, image.data(), image.size());
  return record;
}

}  // namespace

ClockSettings CSettingsCodec::Decode(const Image& image) {
  const ClockSettingsRecord record = RecordOf(image);
  ClockSettings values;
  Reader reader;
  VisitFields(reader, record, values);
  return values;
}

void CSettingsCodec::Encode(const ClockSettings& values, Image& image) {
  ClockSettingsRecord record = RecordOf(image);
  Writer writer;
  VisitFields(writer, record, values);
  std::memcpy(image.data(), &record, image.size());
}

CSettingsCodec::Image CSettingsCodec::DefaultImage() {
  Image image{};
  Encode(ClockSettings{}, image);
  return image;
}

}  // namespace zw
