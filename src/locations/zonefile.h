// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "locations/location.h"
#include "locations/zonerulepool.h"
#include "timecore/zonerule.h"

namespace zw {

// The line format shared by TIME_ZON.DAT and CUST_ZON.DAT, one location per line:
//   type,"country","name",hours,minutes,dst,so,sw,sm,sh,eo,ew,em,eh CR LF
// read record by record from a whole file in memory, and written back the same way.
//
// The reader keeps the format's lenient rules (a field runs to the next comma or CR, LF ends
// the record, a text is what lies between double quotes, the month and hour fields take one
// or two characters) and is hardened for damaged or hand-made files: it never reads outside
// the buffer, texts longer than kMaxTextLength are cut, numbers are clamped to
// +-kNumberLimit, and a field the line lacks reads as 0 or as an empty text. A text ends at
// its line's end at the latest, and blanks at its end are dropped: the file's padded order
// and the database's byte order then agree for every text without control characters.
class CZoneFile {
 public:
  using ProgressCallback = std::function<void()>;

  static constexpr std::size_t kFieldCount = 14;
  static constexpr std::size_t kMaxTextLength = 40;
  // Far beyond any real offset or rule field, yet small enough that seconds computed from an
  // hour count still fit an int.
  static constexpr int kNumberLimit = 99999;
  // Type text plus padded country, then the padded name: with texts of at most 40 bytes
  // every key has this length.
  static constexpr std::size_t kCountryKeyEnd = 42;
  static constexpr std::size_t kSortKeyLength = 82;
  // About this many progress steps per file.
  static constexpr std::size_t kProgressSteps = 30;

  using SortKey = std::array<std::uint8_t, kSortKeyLength>;

  // One line's fields. The texts point into the buffer being read.
  struct Record {
    char typeText = 0;  // the type field's last character; 0 when the field was empty
    std::string_view country;
    std::string_view name;
    std::array<int, kFieldCount + 1> numbers{};  // by field number; 0, 2 and 3 unused

    int Type() const { return numbers[1]; }
    DstRule Rule() const;
  };

  enum class Status {
    kRecord,
    kEnd,
    kUnknownType,
    kDuplicate,
    kOutOfSequence,
    kUnclosedText,      // a text's closing quote is missing from its line
    kControlCharacter,  // a text holds a byte below 32 or DEL
  };

  // `progress` is called once each time the read position passes another
  // (length / kProgressSteps + 1) bytes; it may be empty.
  CZoneFile(std::span<const std::uint8_t> bytes, bool isCustom, const ProgressCallback& progress);

  // The next record ended by LF, if it has an allowed type and sorts strictly after the one
  // before; kEnd when only bytes without a line end are left.
  Status Next(Record& record);
  // The line number (from 1) of the record Next read last.
  std::size_t Line() const { return m_line; }

  static SortKey KeyOf(const Record& record);
  // With `rules` the place takes its rule from the pool instead of making its own.
  static std::unique_ptr<CLocation> MakeLocation(const Record& record,
                                                 CZoneRulePool* rules = nullptr);
  // The location's line, CR LF included, in the canonical form the reader takes back.
  static void AppendLine(const CLocation& location, std::string& out);

 private:
  bool ReadRecord(Record& record);
  std::size_t TakeField(std::size_t field, Record& record);
  std::size_t TakeLastCharacter(std::size_t field, Record& record) const;
  std::size_t TakeQuoted(std::string_view& text);
  std::size_t TakeNumber(int& value) const;
  std::size_t TakeShortNumber(std::size_t field, int& value) const;
  std::size_t FieldEnd(std::size_t from) const;
  void MoveTo(std::size_t position);
  bool IsAllowedType(int type) const;

  std::span<const std::uint8_t> m_bytes;
  bool m_isCustom;
  ProgressCallback m_progress;
  std::size_t m_position = 0;
  std::size_t m_progressStep;
  std::size_t m_nextProgress;
  SortKey m_previousKey;
  std::size_t m_line = 0;
  bool m_unclosed = false;
};

}  // namespace zw
