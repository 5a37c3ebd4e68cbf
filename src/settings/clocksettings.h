// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settingscodec.h"
#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CLocationDB;
class ISettingsStore;

// A location remembered by its texts; an empty name means none.
struct PlaceName {
  std::string name;
  std::string country;

  bool Empty() const { return name.empty(); }
  friend bool operator==(const PlaceName&, const PlaceName&) = default;
};

// A font the user chose for the clock.
struct ClockFont {
  enum class Pitch { kDefault = 0, kFixed = 1, kVariable = 2 };

  std::string face;  // empty: the system font
  int height = 0;    // pixels: negative counts the characters, positive the cell; 0 unset
  int weight = 0;    // 1..1000, 0 unset
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  Pitch pitch = Pitch::kDefault;

  friend bool operator==(const ClockFont&, const ClockFont&) = default;
};

// One line of the remembered clock list; an empty place marks an unused slot.
struct ClockSlot {
  PlaceName place;
  std::uint32_t textColor = 0xFFFFFF;  // 0x00BBGGRR

  friend bool operator==(const ClockSlot&, const ClockSlot&) = default;
};

// Every user preference, as the program works with it. How it lies in the stored record is
// the settings codec's business alone.
struct ClockSettings {
  static constexpr std::size_t kClockSlots = 10;
  static constexpr std::string_view kDefaultLogFile = "ZnWright.log";
  // The update server a fresh installation asks: the local one the tools serve.
  static constexpr std::string_view kDefaultFtpDirectory = "127.0.0.1:2121/zonewright";

  // Which font the Font page's "Select Font..." changes.
  enum FontTarget { kNameFont = 0, kDigitFont = 1, kBothFonts = 2 };

  bool fourDigitYears = true;
  bool showSeconds = true;
  bool leadingZeros = true;
  DisplayOptions::Mode displayMode = DisplayOptions::kDateAndTime;
  CDateTime::DateOrder dateOrder = CDateTime::kMonthDayYear;
  bool hour24 = false;
  FontTarget fontTarget = kBothFonts;
  bool autoSize = true;
  std::uint32_t backgroundColor = 128;  // 0x00BBGGRR: dark red
  ClockFont nameFont;
  ClockFont digitFont;
  int listKind = 0;                                   // the view the location lists open in
  std::array<int, 4> windowRect{100, 100, 400, 350};  // left, top, right, bottom
  int scheduleDays = 0;
  PlaceName lastLocation;
  PlaceName compareRight;
  bool hideWelcome = false;
  std::string logFileName{kDefaultLogFile};
  int logLocationView = -1;  // -1: the log's times are GMT
  PlaceName logLocation;
  bool logStarts = true;
  std::array<ClockSlot, kClockSlots> clockSlots{};
  int digitSpacing = 10;
  int scheduleBasisView = -1;
  PlaceName scheduleBasis;
  bool showTitlebar = true;
  bool keepOnTop = false;
  // Seconds since 1970 (UTC) of the last download of each data file; 0 never.
  std::int32_t zoneUpdatedAt = 0;
  std::int32_t currencyUpdatedAt = 0;
  std::int32_t measureUpdatedAt = 0;
  std::string ftpDirectory{kDefaultFtpDirectory};
  std::string currencyLeft;
  std::string currencyRight;
  // Codes of MEASURE.DAT: a category, and the system of each side.
  char measureCategory = '1';
  char measureLeftSystem = '1';
  char measureRightSystem = '2';
  bool showToolbar = true;
  int measureLeftUnit = 0;
  int measureRightUnit = 0;

  DisplayOptions Display() const;

  friend bool operator==(const ClockSettings&, const ClockSettings&) = default;
};

// The settings and the stored record they came from, kept in "BinSet".
class CClockSettings {
 public:
  static constexpr std::size_t kInstanceRecordSize = 65;
  static constexpr std::string_view kRecordName = "BinSet";
  static constexpr std::string_view kInstanceName = "InstData";

  CClockSettings();

  ClockSettings& Values() { return m_values; }
  const ClockSettings& Values() const { return m_values; }
  DisplayOptions Display() const { return m_values.Display(); }

  void ResetToDefaults();
  // Reads "BinSet" over the record: a shorter value changes only its own length, a longer
  // one is ignored whole, a missing or empty one leaves the settings as they are.
  void Load(ISettingsStore& store);
  // Copies the clock list into the slots and, unless the window is minimised (no
  // rectangle), its rectangle; then writes the record. Failures are silent.
  void Save(ISettingsStore& store, const CLocationDB& db,
            const std::optional<std::array<int, 4>>& windowRect);
  // The record as the settings stand; bytes the program does not use stay as they were read.
  CSettingsCodec::Image Record() const;
  // Writes Record().
  void SaveRecord(ISettingsStore& store) const;
  // Writes "InstData": the class name padded with blanks to 32 characters, then the title
  // (cut to 32) and its terminator; the rest blanks.
  static void SaveInstanceRecord(ISettingsStore& store, std::string_view className,
                                 std::string_view title);
  static std::string BuildInstanceRecord(std::string_view className, std::string_view title);

  // Fills the clock list from the slots, skipping slots whose location is gone; when none
  // is left, every location named "New York", "London" or "San Francisco" in database order.
  void RestoreClockList(CLocationDB& db) const;

 private:
  ClockSettings m_values;
  CSettingsCodec::Image m_image{};
};

}  // namespace zw
