#include <gtest/gtest.h>

#include "scrape/result_extraction.h"
#include "scrape/search_site.h"
#include "scrape_fixture.h"
#include "test_text.h"

namespace mlf {
namespace {

TEST(ResultRowPattern, IsTheSitesEntryLayoutInGbk) {
  const Text& pattern = ResultRowPattern();
  EXPECT_EQ(pattern.size(), 205u);
  EXPECT_EQ(pattern.view().substr(0, 10),
            "\xCA\xD5\xC2\xBC\xCA\xB1\xBC\xE4\xA3\xBA");  // 收录时间：
  EXPECT_TRUE(pattern.view().ends_with("&dn=(.*?)\">\\s+<img"));
}

TEST(ResultExtraction, SavedPageGivesItsRowsInOrder) {
  PatternMatcher matcher;
  Text page = SavedResultPage();
  EXPECT_EQ(ExtractPageField(page, "totalPages:"_t), 25);  // the first marker counts
  ASSERT_EQ(MatchResultRows(matcher, page), 3);

  struct Want {
    const char *name, *magnet, *files, *size, *date;
  } want[] = {
      {"%E7%AC%AC%E4%B8%80.mkv", "magnet:?xt=urn:btih:0123456789ABCDEF0123456789ABCDEF01234567",
       "3", "1.2 GB", "2024-01-02"},
      // Written in capitals: letter case is ignored.
      {"Capital Letters", "magnet:?xt=urn:btih:89abcdef0123456789abcdef0123456789abcdef", "12",
       "700.5 MB", "2023-12-31"},
      // The third entry's date is broken over two lines and gives no row; the fourth
      // still does, with its fields as written (entities and escapes untouched).
      {"第三个 &amp; 最后", "magnet:?xt=urn:btih:fedcba9876543210fedcba9876543210fedcba98", "27",
       "4.4 GB", "2023-10-01"},
  };
  for (int i = 0; i < 3; ++i) {
    ResultRow row = ResultRowAt(matcher, i + 1);
    EXPECT_EQ(row.Name, G(want[i].name)) << i;
    EXPECT_EQ(row.MagnetLink, G(want[i].magnet)) << i;
    EXPECT_EQ(row.FileCount, G(want[i].files)) << i;
    EXPECT_EQ(row.Size, G(want[i].size)) << i;
    EXPECT_EQ(row.Date, G(want[i].date)) << i;
  }
}

TEST(ResultExtraction, NothingFromAnEmptyOrForeignPage) {
  PatternMatcher matcher;
  ASSERT_EQ(MatchResultRows(matcher, SavedResultPage()), 3);
  EXPECT_EQ(MatchResultRows(matcher, Text{}), 0);  // a failed fetch replaces the last rows
  EXPECT_EQ(ExtractPageField(Text{}, "totalPages:"_t), 0);
  ResultRow row = ResultRowAt(matcher, 1);
  EXPECT_TRUE(row.Name.empty() && row.MagnetLink.empty() && row.FileCount.empty() &&
              row.Size.empty() && row.Date.empty());
  EXPECT_EQ(MatchResultRows(matcher, G("<html>没有结果</html>")), 0);
}

}  // namespace
}  // namespace mlf
