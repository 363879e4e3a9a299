#include <gtest/gtest.h>

#include <cstdlib>

#include "scrape/search_site.h"
#include "test_text.h"
#include "text/text_ops.h"

namespace mlf {
namespace {

class QueryAddress : public testing::Test {
 protected:
  void SetUp() override { setenv("MILIANFANG_SITE", "127.0.0.1:8080", 1); }
  void TearDown() override { unsetenv("MILIANFANG_SITE"); }
};

TEST_F(QueryAddress, HostKeywordAndPage) {
  struct Case {
    Text keyword;
    int page;
    std::string want;
  } cases[] = {
      {"abc"_t, 2, "http://127.0.0.1:8080/search?keyword=abc&p=2"},
      {"abc"_t, 0, "http://127.0.0.1:8080/search?keyword=abc&p=0"},
      {"abc"_t, -1, "http://127.0.0.1:8080/search?keyword=abc&p=-1"},
      // Characters that would change the address are escaped, so AT&T is not "AT".
      {"AT&T"_t, 1, "http://127.0.0.1:8080/search?keyword=AT%26T&p=1"},
      {"a b&c#d%e+f=g?h/i"_t, 1,
       "http://127.0.0.1:8080/search?keyword=a%20b%26c%23d%25e%2Bf%3Dg%3Fh%2Fi&p=1"},
      {"A-z_0.9~"_t, 1, "http://127.0.0.1:8080/search?keyword=A-z_0.9~&p=1"},
      {G("中 文"), 1, "http://127.0.0.1:8080/search?keyword=\xD6\xD0%20\xCE\xC4&p=1"},
      {Text{}, 1, "http://127.0.0.1:8080/search?keyword=&p=1"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildQueryAddress(c.keyword, c.page).bytes(), c.want);
}

TEST(SearchSiteHost, HasADefaultAndCanBeOverridden) {
  unsetenv("MILIANFANG_SITE");
  Text standard = SearchSiteHost();
  EXPECT_FALSE(standard.empty());
  EXPECT_EQ(BuildQueryAddress("abc"_t, 2),
            Concat("http://"_t, standard, "/search?keyword=abc&p=2"_t));
  setenv("MILIANFANG_SITE", "localhost:1", 1);
  EXPECT_EQ(SearchSiteHost(), "localhost:1"_t);
  unsetenv("MILIANFANG_SITE");
}

TEST(ExtractPageField, NumberAfterTheFirstMarker) {
  struct Case {
    const char* page;
    int want;
  } cases[] = {
      {"x totalPages:25, y", 25},
      {"totalPages: 25,", 25},
      {"totalPages:25 and no comma", 0},
      {"totalPages:2.9,", 2},
      {"totalPages:1,totalPages:7,", 1},
      {"totalPages:abc,", 0},
      {"TotalPages:5,", 0},  // letter case counts
      {"", 0},
      {"no marker here, at all", 0},
      {"totalPages:３,", 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractPageField(G(c.page), "totalPages:"_t), c.want) << c.page;
  }
}

}  // namespace
}  // namespace mlf
