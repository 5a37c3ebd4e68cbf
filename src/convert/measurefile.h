// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/converter.h"
#include "convert/datafile.h"
#include "platform/translatable.h"

namespace zw {

class IFileLayer;

struct MeasureCategory {
  char code = 0;
  std::string name;  // Latin-1
};

struct MeasureUnit {
  std::size_t line = 0;  // index into the file's lines
  std::string name;      // Latin-1
};

// The unit table "MEASURE.DAT": lines ended by CR LF in fixed columns. Column 0 is the
// category code, column 2 the system ("0" a category's title line, then "1" Metric, "2" U.S.,
// "3" Other), columns 4-13 a number (a unit's factor, a title's U.S. offset), and the name
// from column 15.
class CMeasureFile {
 public:
  static constexpr std::string_view kFileName = "MEASURE.DAT";
  static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;
  static constexpr std::size_t kMaxLineChars = 44;
  static constexpr std::size_t kCodeColumn = 0;
  static constexpr std::size_t kSystemColumn = 2;
  static constexpr std::size_t kNumberColumn = 4;
  static constexpr std::size_t kNumberEnd = 14;
  static constexpr std::size_t kNameColumn = 15;
  static constexpr char kTitleKey = '0';
  static constexpr char kMetricKey = '1';
  static constexpr char kUsKey = '2';
  static constexpr char kOtherKey = '3';
  // The list position of the one category whose values go below zero (temperatures).
  static constexpr std::size_t kSignedCategory = 4;

  static constexpr const char* kNotFound1 = "The measurement file \"";
  static constexpr const char* kNotFound2 = "\" is not found.";
  static constexpr const char* kNoLength =
      ZW_TR_NOOP("Core", "Unable to determine measurement file length.");
  static constexpr const char* kEmpty = ZW_TR_NOOP("Core", "Invalid measurement file.");
  static constexpr const char* kUnreadable = ZW_TR_NOOP("Core", "Unable to read measurement file.");

  // Reads the file by its bare name; the lines stay empty unless kLoaded.
  DataFileStatus Load(IFileLayer& files);
  static std::string Message(DataFileStatus status);

  // Each CR ends a line and the next one starts two bytes later; bytes after the last CR
  // are no line. A line longer than kMaxLineChars is cut to it.
  void Parse(std::span<const std::uint8_t> bytes);

  const std::vector<std::string>& Lines() const { return m_lines; }
  // The title lines in file order.
  std::vector<MeasureCategory> Categories() const;
  // The unit lines of one category and system in file order.
  std::vector<MeasureUnit> Units(char code, char system) const;
  // The number of columns 4-13 of a line; 0 when the line has none.
  double Number(std::size_t line) const;
  // What converting from one unit line to another takes, in the category at list position
  // `category`, whose offset is on the line of that index.
  MeasureTerms Terms(std::size_t category, std::size_t sourceLine, std::size_t targetLine) const;

 private:
  char Column(std::size_t line, std::size_t column) const;
  std::string Name(std::size_t line) const;

  std::vector<std::string> m_lines;
};

}  // namespace zw
