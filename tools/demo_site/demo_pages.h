// The result pages of the demo site: the search site's layout, entries derived from the
// keyword alone, so the same search always shows the same rows.
#pragma once

#include <string>

namespace mlf::demo {

constexpr int kEntriesPerPage = 20;

struct DemoPage {
  std::string contentType;  // with its charset
  std::string body;         // bytes as served
};

// The number of result pages for a keyword (its UTF-8 bytes): 1 to 25, none for an
// empty keyword.
int TotalPagesFor(const std::string& keyword);

// Page `page` of the results for `keyword` (UTF-8): GBK, declared as such, with a
// "totalPages:N," field and up to 20 entries; none past the last page. A keyword that
// starts with "utf8" is answered in UTF-8 with its own charset declaration.
DemoPage ResultPage(const std::string& keyword, int page);

}  // namespace mlf::demo
