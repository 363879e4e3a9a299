#include "cli/row_output.h"

#include "cli/terminal_table.h"
#include "text/code_page.h"
#include "text/text_numbers.h"
#include "text/text_ops.h"

namespace mlf {

std::vector<ResultRow> CollectRows(const PatternMatcher& matcher, int count) {
  std::vector<ResultRow> rows;
  for (int i = 1; i <= count; ++i) rows.push_back(ResultRowAt(matcher, i));
  return rows;
}

nlohmann::ordered_json RowsJson(const std::vector<ResultRow>& rows) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ResultRow& row : rows) {
    list.push_back({{"name", TextToUtf8(row.Name)},
                    {"magnetLink", TextToUtf8(row.MagnetLink)},
                    {"fileCount", TextToUtf8(row.FileCount)},
                    {"size", TextToUtf8(row.Size)},
                    {"date", TextToUtf8(row.Date)}});
  }
  return list;
}

void PrintRowTable(std::ostream& out, const std::vector<ResultRow>& rows) {
  static const std::vector<Text> header = {TextFromUtf8("排序"),     TextFromUtf8("视频名称"),
                                           TextFromUtf8("磁力链接"), TextFromUtf8("文件数量"),
                                           TextFromUtf8("文件大小"), TextFromUtf8("日期")};
  static const Text files = TextFromUtf8("个文件");
  std::vector<std::vector<Text>> cells;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ResultRow& row = rows[i];
    cells.push_back({ToText(static_cast<int>(i + 1)), row.Name, row.MagnetLink,
                     Concat(row.FileCount, files), row.Size, row.Date});
  }
  PrintTable(out, header, cells);
}

void PrintJson(std::ostream& out, const nlohmann::ordered_json& value) {
  out << value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace mlf
