// milianfang-cli search [--site HOST[:PORT]] [--page N] [--json] KEYWORD: one search as
// the window makes it: the query address, the fetch, the page count (page 1) and rows.
#include <cstdlib>
#include <iostream>

#include "cli/commands.h"
#include "cli/row_output.h"
#include "scrape/search_site.h"
#include "text/code_page.h"
#include "web/web_request.h"

namespace mlf {

namespace {

struct SearchArgs {
  std::string site, keyword;
  int page = 1;
  bool json = false;
};

int RunSearch(const SearchArgs& args) {
  if (!args.site.empty()) setenv("MILIANFANG_SITE", args.site.c_str(), 1);
  RequestOptions options;
  options.url = BuildQueryAddress(TextFromUtf8(args.keyword), args.page);
  ResponseOutputs out;
  Text page = WebRequest(options, out);
  if (ReportFetchFailure(out)) return kExitFailed;
  PatternMatcher matcher;
  std::vector<ResultRow> rows = CollectRows(matcher, MatchResultRows(matcher, page));
  int total_pages = ExtractPageField(page, "totalPages:"_t);
  if (args.json) {
    nlohmann::ordered_json json = {{"address", TextToUtf8(options.url)}, {"page", args.page}};
    if (args.page == 1) json["totalPages"] = total_pages;
    json["statusText"] = TextToUtf8(out.statusText);
    json["rows"] = RowsJson(rows);
    PrintJson(std::cout, json);
  } else {
    std::cout << TextToUtf8(options.url) << "  " << TextToUtf8(out.statusText);
    if (args.page == 1) std::cout << "  totalPages: " << total_pages;
    std::cout << '\n';
    PrintRowTable(std::cout, rows);
  }
  return kExitOk;
}

}  // namespace

void AddSearchCommand(CLI::App& app, int& exitCode) {
  auto args = std::make_shared<SearchArgs>();
  CLI::App* cmd = app.add_subcommand("search", "Search the site as the window does");
  cmd->add_option("--site", args->site, "HOST[:PORT] of the search site");
  cmd->add_option("--page", args->page, "Result page (default 1)");
  cmd->add_flag("--json", args->json, "Print JSON");
  cmd->add_option("KEYWORD", args->keyword, "What to search for")->required();
  cmd->callback([args, &exitCode] { exitCode = RunSearch(*args); });
}

}  // namespace mlf
