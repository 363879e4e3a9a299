// milianfang-cli extract [--json] FILE: the page count and rows of a saved result page.
#include <iostream>

#include "cli/commands.h"
#include "cli/row_output.h"
#include "scrape/search_site.h"
#include "web/page_decoding.h"

namespace mlf {

namespace {

struct ExtractArgs {
  bool json = false;
  std::string file;
};

int RunExtract(const ExtractArgs& args) {
  std::string bytes;
  if (!ReadInputFile(args.file, bytes)) return kExitUsage;
  // As a response body becomes page text: a declared character set is honoured.
  PatternMatcher matcher;
  Text page = DecodePageText(ByteSet(bytes.begin(), bytes.end()), matcher);
  int total_pages = ExtractPageField(page, "totalPages:"_t);
  std::vector<ResultRow> rows = CollectRows(matcher, MatchResultRows(matcher, page));
  if (args.json) {
    PrintJson(std::cout, {{"totalPages", total_pages}, {"rows", RowsJson(rows)}});
  } else {
    std::cout << "totalPages: " << total_pages << '\n';
    PrintRowTable(std::cout, rows);
  }
  return kExitOk;
}

}  // namespace

void AddExtractCommand(CLI::App& app, int& exitCode) {
  auto args = std::make_shared<ExtractArgs>();
  CLI::App* cmd =
      app.add_subcommand("extract", "Page count and result rows of a saved result page");
  cmd->add_flag("--json", args->json, "Print JSON");
  cmd->add_option("FILE", args->file, "The saved page, as the site sent it")->required();
  cmd->callback([args, &exitCode] { exitCode = RunExtract(*args); });
}

}  // namespace mlf
