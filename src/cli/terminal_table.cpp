#include "cli/terminal_table.h"

#include <algorithm>

#include "text/code_page.h"

namespace mlf {

void PrintTable(std::ostream& out, const std::vector<Text>& header,
                const std::vector<std::vector<Text>>& rows) {
  std::vector<std::size_t> widths(header.size(), 0);
  auto measure = [&](const std::vector<Text>& cells) {
    for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
      widths[c] = std::max(widths[c], cells[c].size());
    }
  };
  measure(header);
  for (const auto& row : rows) measure(row);

  auto print = [&](const std::vector<Text>& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
      line += TextToUtf8(cells[c]);
      if (c + 1 < cells.size()) line.append(widths[c] - cells[c].size() + 2, ' ');
    }
    out << line << '\n';
  };
  print(header);
  for (const auto& row : rows) print(row);
}

}  // namespace mlf
