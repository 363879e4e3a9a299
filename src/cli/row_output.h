// Result rows as the commands print them: a table like the window's list, or JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "scrape/result_extraction.h"

namespace mlf {

// Every row of the last MatchResultRows on `matcher`.
std::vector<ResultRow> CollectRows(const PatternMatcher& matcher, int count);

// [{"name", "magnetLink", "fileCount", "size", "date"}], texts in UTF-8.
nlohmann::ordered_json RowsJson(const std::vector<ResultRow>& rows);

// The six columns of the window's list: row number first, file count with 个文件.
void PrintRowTable(std::ostream& out, const std::vector<ResultRow>& rows);

// JSON as the commands print it: indented, UTF-8.
void PrintJson(std::ostream& out, const nlohmann::ordered_json& value);

}  // namespace mlf
