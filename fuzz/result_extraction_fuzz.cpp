// Result extraction over fuzzed pages.
#include "fuzz_input.h"
#include "scrape/result_extraction.h"
#include "scrape/search_site.h"

using namespace mlf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Text page = Text::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  PatternMatcher matcher;
  int rows = MatchResultRows(matcher, page);
  for (int i = 0; i <= rows + 1; ++i) {
    ResultRow row = ResultRowAt(matcher, i);
    fuzz::Check(i >= 1 && i <= rows ? row.MagnetLink.size() <= page.size() : row.Name.empty(),
                "rows come from the page");
  }
  (void)ExtractPageField(page, "totalPages:"_t);
  (void)BuildQueryAddress(page, rows);
  return 0;
}
