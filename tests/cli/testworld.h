// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "events/event.h"
#include "locations/locationdb.h"
#include "settings/clocksettings.h"
#include "support/recordingsink.h"

namespace zw::test {

// A small world for the command-line tests: both hemispheres' daylight saving, half-hour
// zones east and west of Greenwich, a name shared by two countries, a Latin-1 name and a
// custom location without a country.
//
// Daylight saving switches in 2026: New York on March 8 (2:00 standard) and November 1
// (2:00 daylight); Adelaide on October 4 (2:00) and April 5 (3:00 daylight);
// St. John's with New York's rule.
inline constexpr std::string_view kZoneLines[] = {
    R"(1,"Australia","Adelaide",9,30,1,0,0,9,2,0,0,3,3)",
    R"(1,"Canada","St. John's",-3,-30,1,1,0,2,2,0,0,10,2)",
    R"(1,"India","Kolkata",5,30,0,0,0,3,2,4,0,9,2)",
    R"(1,"Japan","Tokyo",9,0,0,0,0,3,2,4,0,9,2)",
    R"(1,"Spain","Valencia",1,0,1,4,0,2,2,4,0,9,3)",
    "1,\"Switzerland\",\"Z\xFCrich\",1,0,1,4,0,2,2,4,0,9,3",
    R"(1,"United Kingdom","London",0,0,1,4,0,2,1,4,0,9,2)",
    R"(1,"United States","New York",-5,0,1,1,0,2,2,0,0,10,2)",
    R"(1,"United States","San Francisco",-8,0,1,1,0,2,2,0,0,10,2)",
    R"(1,"Venezuela","Valencia",-4,0,0,0,0,3,2,4,0,9,2)",
    R"(2,"New York","212",-5,0,1,1,0,2,2,0,0,10,2)",
};
inline constexpr std::string_view kCustomLine = R"(9,"","Base Camp",-9,-30,0,0,0,3,2,4,0,9,2)";

inline std::string Lines(const std::vector<std::string_view>& lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text.append(line).append("\r\n");
  }
  return text;
}

inline std::string ZoneText() {
  return Lines({std::begin(kZoneLines), std::end(kZoneLines)});
}

// The world's locations, custom one included, as the program would load them.
inline std::unique_ptr<CLocationDB> MakeWorld() {
  auto db = std::make_unique<CLocationDB>();
  RecordingSink sink;
  const std::string standard = ZoneText();
  const std::string custom = Lines({kCustomLine});
  db->Parse({reinterpret_cast<const std::uint8_t*>(standard.data()), standard.size()}, false, sink);
  db->Parse({reinterpret_cast<const std::uint8_t*>(custom.data()), custom.size()}, true, sink);
  return db;
}

struct TestEvent {
  const char* name;
  const char* location;
  const char* country;
  const char* time;  // HH:MM:SS
  int frequency;
  int preNotify = 0;
  int weekday = 1;
  int monthDay = 1;
  bool lastDay = false;
  const char* date = "";  // MM/DD/YYYY of a one-time event
};

inline std::vector<std::uint8_t> EventBytes(const std::vector<TestEvent>& entries) {
  std::vector<std::uint8_t> bytes;
  for (const TestEvent& entry : entries) {
    CEvent alarm;
    AlarmRecord& r = alarm.Fields();
    CEvent::SetText(r.name, entry.name);
    CEvent::SetText(r.locationName, entry.location);
    CEvent::SetText(r.locationCountry, entry.country);
    CEvent::SetText(r.timeText, entry.time);
    CEvent::SetText(r.dateText, entry.date);
    r.frequency = entry.frequency;
    r.preNotifyMinutes = entry.preNotify;
    r.weekday = entry.weekday;
    r.monthDay = entry.monthDay;
    r.lastDayOfMonth = entry.lastDay ? 1 : 0;
    std::uint8_t record[CEvent::kRecordSize];
    alarm.ToBytes(record);
    bytes.insert(bytes.end(), std::begin(record), std::end(record));
  }
  return bytes;
}

// Around a month's end: a daily stand-up with a warning, the rent on the month's last day
// and a one-time lunch on the 1st.
inline std::vector<TestEvent> MonthEndEvents() {
  return {
      {"Standup", "London", "United Kingdom", "09:00:00", kDaily, 15},
      {"Rent", "New York", "United States", "10:00:00", kMonthly, 0, 1, 1, true},
      {"Lunch", "Tokyo", "Japan", "12:30:00", kOneTime, 0, 1, 1, false, "02/01/2037"},
  };
}

struct TestCurrency {
  std::string name;
  double rate;
};

inline std::vector<std::uint8_t> CurrencyBytes(const std::vector<TestCurrency>& entries) {
  std::vector<std::uint8_t> bytes;
  for (const TestCurrency& entry : entries) {
    std::uint8_t record[48] = {'R'};
    std::memcpy(record + 1, entry.name.data(), entry.name.size());
    const auto bits = std::bit_cast<std::uint64_t>(entry.rate);
    for (int i = 0; i < 8; ++i) {
      record[40 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    bytes.insert(bytes.end(), std::begin(record), std::end(record));
  }
  const std::string description = "DTest rates of 2026-03-01, base dollar";
  bytes.insert(bytes.end(), description.begin(), description.end());
  bytes.push_back(0);
  return bytes;
}

inline std::vector<TestCurrency> TestCurrencies() {
  return {{"United States Dollar (USD)", 1},
          {"Euro (EUR)", 1.6},
          {"Pound", 3},
          {"T\xFCrkiye Lira", 0.5}};
}

// One MEASURE.DAT line: code, system, a number in columns 4-13, the name from column 15.
inline std::string MeasureLine(char code, char system, std::string_view number,
                               std::string_view name) {
  std::string line{code, ' ', system, ' '};
  line.append(number);
  line.append(10 - number.size(), ' ');
  line.push_back(' ');
  line.append(name);
  return line;
}

// Temperature at list position 4, as the converters expect; "Ounce" in two categories.
inline std::string MeasureText() {
  const std::string lines[] = {
      MeasureLine('L', '0', "0", "Length"),
      MeasureLine('A', '0', "0", "Area"),
      MeasureLine('V', '0', "0", "Volume"),
      MeasureLine('W', '0', "0", "Weight"),
      MeasureLine('T', '0', "32", "Temperature"),
      MeasureLine('L', '1', "1", "Meter"),
      MeasureLine('L', '2', "0.3048", "Foot"),
      MeasureLine('L', '2', "1609.344", "Mile"),
      MeasureLine('A', '1', "1", "Square Meter"),
      MeasureLine('V', '1', "1", "Milliliter"),
      MeasureLine('V', '2', "29.5735296", "Ounce"),
      MeasureLine('W', '1', "1", "Gram"),
      MeasureLine('W', '2', "28.3495231", "Ounce"),
      MeasureLine('T', '1', "1", "Celsius"),
      MeasureLine('T', '2', "0.55555556", "Fahrenheit"),
      MeasureLine('T', '3', "1.25",
                  "R\xE9"
                  "aumur"),
  };
  std::string text;
  for (const std::string& line : lines) {
    text.append(line).append("\r\n");
  }
  return text;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  WriteBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

inline void WriteWorld(const std::string& directory) {
  WriteBytes(directory + "/TIME_ZON.DAT", ZoneText());
  // No zones: the places keep their stored rules, whatever the supplied zone names say.
  WriteBytes(directory + "/TIME_ZON.TZN", std::string_view());
  WriteBytes(directory + "/CUST_ZON.DAT", Lines({kCustomLine}));
  WriteBytes(directory + "/ALM_ZON.DAT", EventBytes(MonthEndEvents()));
  WriteBytes(directory + "/CURRENCY.DAT", CurrencyBytes(TestCurrencies()));
  WriteBytes(directory + "/MEASURE.DAT", MeasureText());
}

// Stores a settings record under `configHome`: where the program keeps it, or another place.
inline void WriteSettings(const std::string& configHome, const CClockSettings& settings,
                          const std::string& directory = "zonewright") {
  const CSettingsCodec::Image record = settings.Record();
  WriteBytes(configHome + "/" + directory + "/BinSet",
             std::vector<std::uint8_t>(record.begin(), record.end()));
}

}  // namespace zw::test
