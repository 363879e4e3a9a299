#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "pattern/pattern_matcher.h"
#include "test_text.h"

namespace mlf {
namespace {

struct Options {
  std::optional<bool> caseSensitive, multiline, global, quotePlaceholders;
};

std::vector<std::string> AllMatches(const PatternMatcher& m) {
  std::vector<std::string> texts;
  for (int i = 1; i <= m.MatchCount(); ++i) texts.push_back(TextToUtf8(m.MatchText(i)));
  return texts;
}

struct DialectCase {
  const char* name;
  const char* pattern;
  const char* subject;
  Options options;
  std::vector<std::string> want;
};

class Dialect : public testing::TestWithParam<DialectCase> {};

TEST_P(Dialect, MatchesAsTheScriptDialectDoes) {
  const DialectCase& c = GetParam();
  PatternMatcher m;
  ASSERT_TRUE(m.Create(G(c.pattern), G(c.subject), c.options.caseSensitive, c.options.multiline,
                       c.options.global, c.options.quotePlaceholders));
  EXPECT_EQ(AllMatches(m), c.want);
}

const Options kDefault{};
const Options kSingleLine{std::nullopt, false, std::nullopt, std::nullopt};
const Options kCaseSensitive{true, std::nullopt, std::nullopt, std::nullopt};

INSTANTIATE_TEST_SUITE_P(
    Table, Dialect,
    testing::Values(
        // The global run steps one code unit past an empty match.
        DialectCase{"EmptyMatchesStepOn", "a*", "baaac", kDefault, {"", "aaa", "", ""}},
        DialectCase{"EmptyAlternativeFirst", "|a", "ab", kDefault, {"", "", ""}},
        DialectCase{"LineEndsWithCrLf",
                    ".*$",
                    "File1.zip.exe\r\nFile2.com\r\nFile 3",
                    kDefault,
                    {"File1.zip.exe\r", "", "File2.com\r", "", "File 3", ""}},
        // The dot excludes line feed only.
        DialectCase{"DotTakesCarriageReturn", "a.b", "a\rb a\nb", kDefault, {"a\rb"}},
        DialectCase{"MultilineCaret", "^b", "a\nb\rb", kDefault, {"b", "b"}},
        DialectCase{"SingleLineCaret", "^b", "b\nb", kSingleLine, {"b"}},
        DialectCase{"MultilineDollar", "c$", "abc\nc", kDefault, {"c", "c"}},
        DialectCase{"SingleLineDollarOnlyAtTheEnd", "c$", "abc\n", kSingleLine, {}},
        DialectCase{"EmptyLineBetweenCrAndLf", "^$", "a\r\nb", kDefault, {""}},
        DialectCase{"VerticalTabIsOneCharacter", "a\\vb", "a\nb a\vb", kDefault, {"a\vb"}},
        DialectCase{"HexAndUnicodeEscapes", "\\x41\\u4E2D", "A中", kDefault, {"A中"}},
        DialectCase{"ShortHexIsLiteral", "\\x4", "x4", kDefault, {"x4"}},
        DialectCase{"UnknownEscapeIsTheLetter", "\\q\\e\\z", "qez", kDefault, {"qez"}},
        DialectCase{"ControlEscape", "\\cJ", "a\nb", kDefault, {"\n"}},
        DialectCase{"CaseFoldsAsciiOnly", "abc|д", "ABC Д д", kDefault, {"ABC", "д"}},
        DialectCase{"CaseSensitive", "abc", "ABC abc", kCaseSensitive, {"abc"}},
        DialectCase{"AsciiShorthands", "\\d+|\\s|\\w+", "１２　中 7", kDefault, {" ", "7"}},
        DialectCase{"UnsetBackreferenceMatchesEmpty", "(a)?b\\1", "b", kDefault, {"b"}},
        DialectCase{"LeadingBracketInClassIsLiteral", "[]a]+", "x]a]", kDefault, {"]a]"}},
        DialectCase{"BracketInsideClass", "[[:a]+", "[:a:]", kDefault, {"[:a:"}},
        DialectCase{"Lookahead", "a(?=b)|(?:c)", "ab ac c", kDefault, {"a", "c", "c"}},
        DialectCase{"LazyAcrossLines", "a[\\s\\S]*?b", "a\r\nb b", kDefault, {"a\r\nb"}}),
    [](const auto& info) { return info.param.name; });

TEST(PatternMatcher, OmittedSettingsDifferFromFalse) {
  PatternMatcher m;
  Text subject = "AB\nab"_t;
  ASSERT_TRUE(m.Create("^ab"_t, subject));  // ignore case, multi-line, global
  EXPECT_EQ(m.MatchCount(), 2);
  ASSERT_TRUE(m.Create("^ab"_t, subject, false, false, false));
  EXPECT_EQ(m.MatchCount(), 1);  // case still ignored; first line only
  ASSERT_TRUE(m.Create("^ab"_t, subject, true, true, true));
  EXPECT_EQ(m.MatchCount(), 1);
  EXPECT_EQ(m.MatchText(1), "ab"_t);
  ASSERT_TRUE(m.Create("b"_t, subject, std::nullopt, std::nullopt, false));
  EXPECT_EQ(m.MatchCount(), 1);
}

TEST(PatternMatcher, QuotePlaceholders) {
  PatternMatcher m;
  Text quoted = G("a#引号b");
  ASSERT_TRUE(m.Create(quoted, "a\"b"_t, std::nullopt, std::nullopt, std::nullopt, true));
  EXPECT_EQ(m.MatchCount(), 1);
  EXPECT_EQ(m.PatternText(), "a\"b"_t);
  ASSERT_TRUE(m.Create(quoted, "a\"b"_t));
  EXPECT_EQ(m.MatchCount(), 0);
  EXPECT_EQ(m.PatternText(), quoted);
  ASSERT_TRUE(m.Create(quoted, quoted));
  EXPECT_EQ(m.MatchCount(), 1);
}

TEST(PatternMatcher, RefusedPatternsLeaveNothing) {
  for (const char* bad : {"(", "a)", "[a", "a\\", "*a", "(?<n>a)", "(?i)a", "(?>a)", "[^]"}) {
    PatternMatcher m;
    m.Create("a"_t, "a"_t);
    EXPECT_FALSE(m.Create(G(bad), "a(b"_t)) << bad;
    EXPECT_EQ(m.MatchCount(), 0) << bad;
    EXPECT_EQ(m.SubmatchCount(), 0) << bad;
    EXPECT_EQ(m.MatchText(1), Text{}) << bad;
    EXPECT_EQ(m.PatternText(), Text{}) << bad;
    EXPECT_EQ(m.Replace("x"_t), Text{}) << bad;
  }
}

TEST(PatternMatcher, RunawayBacktrackingIsRefusedNotHung) {
  PatternMatcher m;
  EXPECT_FALSE(m.Create("(a+)+$"_t, Text::FromBytes(std::string(40, 'a') + "b")));
  EXPECT_EQ(m.MatchCount(), 0);
  EXPECT_EQ(m.PatternText(), "(a+)+$"_t);  // the engine took the pattern; the run failed
}

TEST(PatternMatcher, NoMatchIsStillACreatedRun) {
  PatternMatcher m;
  EXPECT_EQ(m.MatchCount(), 0);  // before any Create
  EXPECT_EQ(m.PatternText(), Text{});
  EXPECT_TRUE(m.Create("x(y)"_t, "abc"_t));
  EXPECT_EQ(m.MatchCount(), 0);
  EXPECT_EQ(m.SubmatchCount(), 0);
}

TEST(PatternMatcher, GroupsAndTheirTexts) {
  PatternMatcher m;
  ASSERT_TRUE(m.Create(G("(a)(b)?(c)(d)(中+)"), G("acd中中 abcd中")));
  ASSERT_EQ(m.MatchCount(), 2);
  EXPECT_EQ(m.SubmatchCount(), 5);
  EXPECT_EQ(m.SubmatchText(1, 2), Text{});  // took no part
  EXPECT_EQ(m.SubmatchText(1, 5), G("中中"));
  EXPECT_EQ(m.SubmatchText(2, 2), "b"_t);
  EXPECT_EQ(m.SubmatchText(2, 0), Text{});
  EXPECT_EQ(m.SubmatchText(2, 6), Text{});
  EXPECT_EQ(m.SubmatchText(3, 1), Text{});
  EXPECT_EQ(m.MatchText(0), Text{});
  // A second run replaces the first.
  ASSERT_TRUE(m.Create("z"_t, "zz"_t));
  EXPECT_EQ(m.MatchCount(), 2);
  EXPECT_EQ(m.SubmatchText(1, 1), Text{});
}

TEST(PatternMatcher, PositionIsAByteOffsetSearchedFromTheMatchStart) {
  PatternMatcher m;
  int position = 99;
  ASSERT_TRUE(m.Create("X"_t, "aaXbb"_t));
  EXPECT_EQ(m.MatchText(1, &position), "X"_t);
  EXPECT_EQ(position, 2);

  // FirstIndex of X in 中X is 1 (code units); the byte search from byte 1 finds it at 2.
  ASSERT_TRUE(m.Create("X"_t, G("中X")));
  EXPECT_EQ(m.MatchText(1, &position), "X"_t);
  EXPECT_EQ(position, 2);

  // The group's text is searched from the start of the whole match, ignoring case as
  // the run did.
  ASSERT_TRUE(m.Create("b(a)"_t, "A ba"_t));
  EXPECT_EQ(m.SubmatchText(1, 1, &position), "a"_t);
  EXPECT_EQ(position, 3);

  // Out of range: the empty text searched from byte 1.
  EXPECT_EQ(m.SubmatchText(4, 1, &position), Text{});
  EXPECT_EQ(position, 0);
  ASSERT_TRUE(m.Create("x*"_t, Text{}));
  EXPECT_EQ(m.MatchText(9, &position), Text{});
  EXPECT_EQ(position, -2);

  // The unit index is taken as a byte position: with two-byte characters before the
  // match the search starts early, on a lead or on a trail byte, and from a trail byte
  // the character walk is out of step and can step over the text.
  ASSERT_TRUE(m.Create("(b)$"_t, G("中中中b")));  // starts at byte 3, a lead byte
  EXPECT_EQ(m.SubmatchText(1, 1, &position), "b"_t);
  EXPECT_EQ(position, 6);
  ASSERT_TRUE(m.Create("(b)$"_t, G("中中中中b")));  // starts at byte 4, a trail byte
  EXPECT_EQ(m.SubmatchText(1, 1, &position), "b"_t);
  EXPECT_EQ(position, -2);
}

struct ReplaceCase {
  const char* name;
  const char* pattern;
  const char* subject;
  const char* replacement;
  bool global;
  const char* want;
};

class Replacement : public testing::TestWithParam<ReplaceCase> {};

TEST_P(Replacement, ExpandsTokens) {
  const ReplaceCase& c = GetParam();
  PatternMatcher m;
  ASSERT_TRUE(m.Create(G(c.pattern), G(c.subject), std::nullopt, std::nullopt, c.global));
  EXPECT_EQ(TextToUtf8(m.Replace(G(c.replacement))), c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Replacement,
    testing::Values(ReplaceCase{"Dollar", "b", "abc", "[$$]", true, "a[$]c"},
                    ReplaceCase{"WholeMatch", "b+", "abbc", "<$&>", true, "a<bb>c"},
                    ReplaceCase{"BeforeAndAfter", "b", "abc", "$`|$'", true, "aa|cc"},
                    ReplaceCase{"Groups", "(\\w)(\\d)", "a1 b2", "$2$1", true, "1a 2b"},
                    ReplaceCase{"TwoDigitsOnlyWhenTheGroupExists", "(a)", "a", "$12", true, "a2"},
                    ReplaceCase{"LeadingZeroGroup", "(a)", "a", "$01", true, "a"},
                    ReplaceCase{"NoSuchGroupStaysLiteral", "(a)", "a", "$0$7$x$", true, "$0$7$x$"},
                    ReplaceCase{"UnsetGroupIsEmpty", "(x)?a", "a", "[$1]", true, "[]"},
                    ReplaceCase{"FirstOnlyWithoutGlobal", "a", "aaa", "b", false, "baa"},
                    ReplaceCase{"EmptyMatches", "x*", "ab", "-", true, "-a-b-"},
                    ReplaceCase{"ChineseText", "中(.)", "一中文字", "<$1>", true, "一<文>字"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace mlf
