#include <gtest/gtest.h>

#include "pattern/pattern_dialect.h"

namespace mlf {
namespace {

TEST(TranslatePattern, RewritesWhatTheEngineReadsDifferently) {
  struct Case {
    std::u16string pattern;
    bool multiline;
    std::u16string want;
  } cases[] = {
      {u"a.b", true, u"a[^\\n]b"},
      {u"^a$", true, u"(?<![^\\n\\r])a(?![^\\n\\r])"},
      {u"^a$", false, u"^a$"},
      {u"[.^$]", true, u"[.^$]"},  // no rewrite inside a class
      {u"[]a]", true, u"[\\]a]"},
      {u"[^]a]", true, u"[^\\]a]"},
      {u"[[]", true, u"[\\[]"},
      {u"\\v[\\v]", true, u"\\x0B[\\x0B]"},
      {u"\\h\\K\\Q\\.", true, u"hKQ\\."},
      {u"\\c1", true, u"\\\\c1"},
      {u"\\d\\1\\x41\\u00e9", true, u"\\d\\1\\x41\\u00e9"},
      {u"(?:a)(?=b)(?!c)", true, u"(?:a)(?=b)(?!c)"},
  };
  for (const auto& c : cases) {
    auto got = TranslatePattern(c.pattern, c.multiline);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, c.want);
  }
}

TEST(TranslatePattern, RefusesGroupSyntaxTheDialectLacks) {
  for (std::u16string bad : {u"(?<n>a)", u"(?<=a)b", u"(?i)a", u"(?P<n>a)", u"(?", u"a\\"}) {
    EXPECT_FALSE(TranslatePattern(bad, true).has_value());
  }
}

}  // namespace
}  // namespace mlf
