// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingscodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "settings/clocksettings.h"

using namespace zw;

namespace {

using Image = CSettingsCodec::Image;

std::int32_t IntAt(const Image& image, std::size_t offset) {
  std::int32_t value = 0;
  std::memcpy(&value, &image[offset], 4);
  return value;
}

void SetInt(Image& image, std::size_t offset, std::int32_t value) {
  std::memcpy(&image[offset], &value, 4);
}

Image Pattern() {
  Image image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 13 + 5);
  }
  return image;
}

struct Change {
  const char* field;
  std::function<void(ClockSettings&)> apply;
};

// One change away from the defaults for every field the program uses.
std::vector<Change> EveryField() {
  ClockFont font;
  font.face = "DejaVu Sans Mono";
  font.height = -17;
  font.weight = 700;
  font.italic = font.underline = font.strikeOut = true;
  font.pitch = ClockFont::Pitch::kFixed;
  return {
      {"fourDigitYears", [](ClockSettings& s) { s.fourDigitYears = false; }},
      {"showSeconds", [](ClockSettings& s) { s.showSeconds = false; }},
      {"leadingZeros", [](ClockSettings& s) { s.leadingZeros = false; }},
      {"displayMode", [](ClockSettings& s) { s.displayMode = DisplayOptions::kTimeOnly; }},
      {"dateOrder", [](ClockSettings& s) { s.dateOrder = CDateTime::kDayMonthYear; }},
      {"hour24", [](ClockSettings& s) { s.hour24 = true; }},
      {"fontTarget", [](ClockSettings& s) { s.fontTarget = ClockSettings::kDigitFont; }},
      {"autoSize", [](ClockSettings& s) { s.autoSize = false; }},
      {"backgroundColor", [](ClockSettings& s) { s.backgroundColor = 0x123456; }},
      {"nameFont", [font](ClockSettings& s) { s.nameFont = font; }},
      {"digitFont", [font](ClockSettings& s) { s.digitFont = font; }},
      {"listKind", [](ClockSettings& s) { s.listKind = 3; }},
      {"windowRect",
       [](ClockSettings& s) {
         s.windowRect = {-5, 7, 900, 1000};
       }},
      {"scheduleDays", [](ClockSettings& s) { s.scheduleDays = 31; }},
      {"lastLocation",
       [](ClockSettings& s) {
         s.lastLocation = {"Z\xFCrich", "Switzerland"};
       }},
      {"compareRight",
       [](ClockSettings& s) {
         s.compareRight = {"Lima", "Peru"};
       }},
      {"hideWelcome", [](ClockSettings& s) { s.hideWelcome = true; }},
      {"logFileName", [](ClockSettings& s) { s.logFileName = "/var/tmp/started.log"; }},
      {"logLocationView", [](ClockSettings& s) { s.logLocationView = 2; }},
      {"logLocation",
       [](ClockSettings& s) {
         s.logLocation = {"415", "United States"};
       }},
      {"logStarts", [](ClockSettings& s) { s.logStarts = false; }},
      {"clockSlots",
       [](ClockSettings& s) {
         for (std::size_t i = 0; i < ClockSettings::kClockSlots; ++i) {
           s.clockSlots[i] = {{"City " + std::to_string(i), "Land"},
                              static_cast<std::uint32_t>(0x010101u * i)};
         }
       }},
      {"digitSpacing", [](ClockSettings& s) { s.digitSpacing = 0; }},
      {"scheduleBasisView", [](ClockSettings& s) { s.scheduleBasisView = 1; }},
      {"scheduleBasis",
       [](ClockSettings& s) {
         s.scheduleBasis = {"Tokyo", "Japan"};
       }},
      {"showTitlebar", [](ClockSettings& s) { s.showTitlebar = false; }},
      {"keepOnTop", [](ClockSettings& s) { s.keepOnTop = true; }},
      {"zoneUpdatedAt", [](ClockSettings& s) { s.zoneUpdatedAt = 2000000000; }},
      {"currencyUpdatedAt", [](ClockSettings& s) { s.currencyUpdatedAt = 1; }},
      {"measureUpdatedAt", [](ClockSettings& s) { s.measureUpdatedAt = 1700000000; }},
      {"ftpDirectory", [](ClockSettings& s) { s.ftpDirectory = "example.org/pub"; }},
      {"currencyLeft", [](ClockSettings& s) { s.currencyLeft = "Swiss Franc"; }},
      {"currencyRight", [](ClockSettings& s) { s.currencyRight = "Yen"; }},
      {"measureCategory", [](ClockSettings& s) { s.measureCategory = 'T'; }},
      {"measureLeftSystem", [](ClockSettings& s) { s.measureLeftSystem = '3'; }},
      {"measureRightSystem", [](ClockSettings& s) { s.measureRightSystem = '1'; }},
      {"showToolbar", [](ClockSettings& s) { s.showToolbar = false; }},
      {"measureLeftUnit", [](ClockSettings& s) { s.measureLeftUnit = 4; }},
      {"measureRightUnit", [](ClockSettings& s) { s.measureRightUnit = 9; }},
  };
}

}  // namespace

TEST(SettingsCodec, EveryFieldRoundTrips) {
  ASSERT_EQ(CSettingsCodec::Decode(CSettingsCodec::DefaultImage()), ClockSettings{});
  ClockSettings all;
  for (const Change& change : EveryField()) {
    ClockSettings values;
    change.apply(values);
    ASSERT_FALSE(values == ClockSettings{}) << change.field << " is not changed";
    change.apply(all);
    // Both over a fresh record and over one holding other bytes.
    for (Image image : {CSettingsCodec::DefaultImage(), Pattern()}) {
      CSettingsCodec::Encode(values, image);
      EXPECT_EQ(CSettingsCodec::Decode(image), values) << change.field;
    }
  }
  Image image = Pattern();
  CSettingsCodec::Encode(all, image);
  EXPECT_EQ(CSettingsCodec::Decode(image), all);
}

TEST(SettingsCodec, FlagsReadAsTheRecordAlwaysWasRead) {
  enum Rule { kNonZero, kOne, kEight };
  struct Flag {
    std::size_t offset;
    bool ClockSettings::*member;
    Rule rule;
  };
  const Flag flags[] = {
      {0, &ClockSettings::fourDigitYears, kNonZero}, {4, &ClockSettings::showSeconds, kNonZero},
      {8, &ClockSettings::leadingZeros, kNonZero},   {20, &ClockSettings::hour24, kNonZero},
      {32, &ClockSettings::autoSize, kOne},          {348, &ClockSettings::hideWelcome, kNonZero},
      {712, &ClockSettings::logStarts, kNonZero},    {1688, &ClockSettings::showTitlebar, kEight},
      {1692, &ClockSettings::keepOnTop, kEight},     {1916, &ClockSettings::showToolbar, kEight},
  };
  for (const Flag& flag : flags) {
    for (const std::int32_t stored : {0, 1, 2, 8, -1}) {
      Image image = CSettingsCodec::DefaultImage();
      SetInt(image, flag.offset, stored);
      const bool on = flag.rule == kOne     ? stored == 1
                      : flag.rule == kEight ? stored == 8
                                            : stored != 0;
      ClockSettings values = CSettingsCodec::Decode(image);
      EXPECT_EQ(values.*flag.member, on) << "offset " << flag.offset << " holding " << stored;
      // A flag the user turns is written in its own convention.
      values.*flag.member = !on;
      CSettingsCodec::Encode(values, image);
      EXPECT_EQ(IntAt(image, flag.offset), on ? 0 : (flag.rule == kEight ? 8 : 1))
          << "offset " << flag.offset;
    }
  }
}

TEST(SettingsCodec, UnknownChoicesReadAsTheLastOfTheirGroup) {
  Image image = CSettingsCodec::DefaultImage();
  SetInt(image, 12, 7);
  SetInt(image, 16, -3);
  SetInt(image, 28, 99);
  const ClockSettings values = CSettingsCodec::Decode(image);
  EXPECT_EQ(values.displayMode, DisplayOptions::kDateAndTime);
  EXPECT_EQ(values.dateOrder, CDateTime::kYearMonthDay);
  EXPECT_EQ(values.fontTarget, ClockSettings::kBothFonts);
  CSettingsCodec::Encode(values, image);
  EXPECT_EQ(IntAt(image, 12), 7);
  EXPECT_EQ(IntAt(image, 16), -3);
  EXPECT_EQ(IntAt(image, 28), 99);
}

TEST(SettingsCodec, BytesItDoesNotUseGoBackAsTheyCame) {
  const Image original = Pattern();
  Image image = original;
  ClockSettings values = CSettingsCodec::Decode(image);
  CSettingsCodec::Encode(values, image);
  EXPECT_EQ(image, original);

  // Changing one field touches its bytes and nothing else.
  values.hour24 = !values.hour24;
  values.currencyLeft = "Euro";
  CSettingsCodec::Encode(values, image);
  for (std::size_t i = 0; i < image.size(); ++i) {
    const bool hour24 = i >= 20 && i < 24;
    const bool currency = i >= 1778 && i < 1814;
    if (!hour24 && !currency) {
      ASSERT_EQ(image[i], original[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[1778])), "Euro");
}

TEST(SettingsCodec, TextsEndAtTheirTerminatorOrTheirField) {
  Image image = CSettingsCodec::DefaultImage();
  std::memset(&image[716], 'x', 41);  // the first clock slot's name, with no terminator
  ClockSettings values = CSettingsCodec::Decode(image);
  EXPECT_EQ(values.clockSlots[0].place.name, std::string(41, 'x'));
  values.currencyLeft = std::string(50, 'y');
  values.clockSlots[1].place.name = "Tokyo";
  CSettingsCodec::Encode(values, image);
  const ClockSettings read = CSettingsCodec::Decode(image);
  EXPECT_EQ(read.currencyLeft, std::string(35, 'y'));
  EXPECT_EQ(read.clockSlots[0].place.name, std::string(41, 'x'));
  // An emptied slot loses only its first byte.
  values.clockSlots[1].place.name.clear();
  CSettingsCodec::Encode(values, image);
  EXPECT_EQ(image[716 + 88], 0);
  EXPECT_EQ(image[716 + 88 + 1], 'o');
}
