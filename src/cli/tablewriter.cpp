// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/tablewriter.h"

#include <algorithm>

#include "cli/latin1.h"

namespace zw {

std::vector<std::string> CTableWriter::ToUtf8(std::vector<std::string> cells) {
  for (std::string& cell : cells) {
    cell = CLatin1::ToUtf8(cell);
  }
  return cells;
}

void CTableWriter::AddRow(std::vector<std::string> cells) {
  m_rows.push_back(ToUtf8(std::move(cells)));
}

void CTableWriter::Widen(const std::vector<std::string>& cells, std::vector<std::size_t>& widths) {
  widths.resize(std::max(widths.size(), cells.size()), 0);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    widths[column] = std::max(widths[column], CLatin1::Utf8Width(cells[column]));
  }
}

std::vector<std::size_t> CTableWriter::ColumnWidths() const {
  std::vector<std::size_t> widths;
  for (const auto& row : m_rows) {
    Widen(row, widths);
  }
  return widths;
}

void CTableWriter::WriteLine(const std::vector<std::string>& cells,
                             const std::vector<std::size_t>& widths, std::ostream& out) {
  std::string line;
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (column > 0) {
      line.append(kGap);
    }
    line.append(cells[column]);
    line.append(widths[column] - CLatin1::Utf8Width(cells[column]), ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  out << line << '\n';
}

void CTableWriter::Write(std::ostream& out) const {
  const std::vector<std::size_t> widths = ColumnWidths();
  for (const auto& row : m_rows) {
    WriteLine(row, widths, out);
  }
}

void CTableWriter::Stream(std::size_t count, const RowSource& row, std::ostream& out) {
  Stream(
      [count, &row](const RowSink& sink) {
        for (std::size_t i = 0; i < count; ++i) {
          sink(row(i));
        }
      },
      out);
}

void CTableWriter::Stream(const RowPass& pass, std::ostream& out) {
  std::vector<std::size_t> widths;
  pass([&widths](std::vector<std::string> cells) { Widen(ToUtf8(std::move(cells)), widths); });
  pass([&widths, &out](std::vector<std::string> cells) {
    WriteLine(ToUtf8(std::move(cells)), widths, out);
  });
}

}  // namespace zw
