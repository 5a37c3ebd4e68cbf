#include "cli/tablewriter.h"

#include <algorithm>

#include "cli/latin1.h"

namespace zw {

void CTableWriter::AddRow(std::vector<std::string> cells) {
  for (std::string& cell : cells) {
    cell = CLatin1::ToUtf8(cell);
  }
  m_rows.push_back(std::move(cells));
}

std::vector<std::size_t> CTableWriter::ColumnWidths() const {
  std::vector<std::size_t> widths;
  for (const auto& row : m_rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (std::size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], CLatin1::Utf8Width(row[column]));
    }
  }
  return widths;
}

void CTableWriter::Write(std::ostream& out) const {
  const std::vector<std::size_t> widths = ColumnWidths();
  for (const auto& row : m_rows) {
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (column > 0) {
        line.append(kGap);
      }
      line.append(row[column]);
      line.append(widths[column] - CLatin1::Utf8Width(row[column]), ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
  }
}

}  // namespace zw
