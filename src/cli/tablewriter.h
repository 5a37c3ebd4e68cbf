#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zw {

// Plain output: one line per row, each column padded to its widest cell so that the columns
// line up, two blanks between columns and none at the end of a line. Cells are Latin-1;
// lines are written as UTF-8.
class CTableWriter {
 public:
  static constexpr std::string_view kGap = "  ";

  void AddRow(std::vector<std::string> cells);
  void Write(std::ostream& out) const;

 private:
  std::vector<std::size_t> ColumnWidths() const;

  // Already in UTF-8, so widths count what the terminal shows.
  std::vector<std::vector<std::string>> m_rows;
};

}  // namespace zw
