// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
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

  // The cells of row `index`, in Latin-1.
  using RowSource = std::function<std::vector<std::string>(std::size_t index)>;
  // Hands every row's cells, in Latin-1 and in order, to the sink it is given.
  using RowSink = std::function<void(std::vector<std::string> cells)>;
  using RowPass = std::function<void(const RowSink& sink)>;

  void AddRow(std::vector<std::string> cells);
  void Write(std::ostream& out) const;
  // Writes `count` rows as Write would, keeping none of them: the rows are asked for twice,
  // once for the column widths and once to print, so memory stays flat however many there
  // are.
  static void Stream(std::size_t count, const RowSource& row, std::ostream& out);
  // The same for rows that are made one after another rather than picked by index: `pass` is
  // run twice and must give the same rows both times.
  static void Stream(const RowPass& pass, std::ostream& out);

 private:
  std::vector<std::size_t> ColumnWidths() const;
  static void Widen(const std::vector<std::string>& cells, std::vector<std::size_t>& widths);
  static void WriteLine(const std::vector<std::string>& cells,
                        const std::vector<std::size_t>& widths, std::ostream& out);
  static std::vector<std::string> ToUtf8(std::vector<std::string> cells);

  // Already in UTF-8, so widths count what the terminal shows.
  std::vector<std::vector<std::string>> m_rows;
};

}  // namespace zw
