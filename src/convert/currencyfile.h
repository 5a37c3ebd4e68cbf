// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/datafile.h"
#include "platform/translatable.h"

namespace zw {

class IFileLayer;

struct CurrencyRecord {
  std::string name;  // Latin-1
  double rate = 0;   // one unit of this currency in the common reference unit
};

// The rate table "CURRENCY.DAT": 48-byte records ("R", a name of 39 bytes, a little-endian
// double), then optionally "D" and a description up to its NUL.
class CCurrencyFile {
 public:
  static constexpr std::string_view kFileName = "CURRENCY.DAT";
  static constexpr std::size_t kRecordSize = 48;
  static constexpr std::size_t kNameBytes = 39;
  static constexpr std::size_t kRateOffset = 40;
  static constexpr std::uint8_t kRecordMarker = 'R';
  static constexpr std::uint8_t kDescriptionMarker = 'D';
  // Room for some twenty thousand currencies; a longer file is not a rate table.
  static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;
  // The settings keep a chosen name in 36 bytes with its terminator.
  static constexpr std::size_t kStoredNameChars = 35;

  static constexpr const char* kNotFound1 = "The currency rate file \"";
  static constexpr const char* kNotFound2 = "\" is not found.  Select the popup menu command ";
  static constexpr const char* kNotFound3 =
      "\"Update Database\" to download the currency file from the internet";
  static constexpr const char* kNotFound4 = " or visit our Web site to retrieve the file directly.";
  static constexpr const char* kNotFound5 = " Please refer to online help for further details.";
  static constexpr const char* kNoLength =
      ZW_TR_NOOP("Core", "Unable to determine currency file length.");
  static constexpr const char* kEmpty = ZW_TR_NOOP("Core", "Invalid currency file.");
  static constexpr const char* kUnreadable = ZW_TR_NOOP("Core", "Unable to read currency file.");

  // Reads the file by its bare name; records and description stay empty unless kLoaded.
  DataFileStatus Load(IFileLayer& files);
  // The message box text for a failed load.
  static std::string Message(DataFileStatus status);

  // Takes whole records while they start with "R"; a record cut short by the end of the
  // file is dropped.
  void Parse(std::span<const std::uint8_t> bytes);

  const std::vector<CurrencyRecord>& Records() const { return m_records; }
  const std::optional<std::string>& Description() const { return m_description; }

  // The position of the first record named `stored`; a name too long for the settings is
  // found by the part of it they kept. `fallback` (kept within the records) when none
  // matches; -1 when there are no records.
  int Find(std::string_view stored, int fallback) const;

 private:
  std::vector<CurrencyRecord> m_records;
  std::optional<std::string> m_description;
};

}  // namespace zw
