#include <gtest/gtest.h>

#include "test_text.h"
#include "text/text_ops.h"
#include "text/text_search.h"

namespace mlf {
namespace {

TEST(FindText, PositionsAndNotFound) {
  struct Case {
    Text text, sought;
    int start;
    bool ignoreCase;
    int want;
  } cases[] = {
      {"abcabc"_t, "bc"_t, 3, false, 5},
      {"abcabc"_t, "bc"_t, 0, false, 2},
      {"abcabc"_t, "bc"_t, -7, false, 2},
      {"abc"_t, "a"_t, 4, false, -1},
      {"abc"_t, ""_t, 0, false, 1},
      {"abc"_t, ""_t, 3, false, 1},  // the empty text is found at byte 1 wherever the search starts
      {"abc"_t, ""_t, 4, false, -1},  // ...as long as a byte is searched
      {""_t, ""_t, 0, false, -1},
      {"user-agent: x"_t, "User-Agent: "_t, 1, true, 1},
      {"user-agent: x"_t, "User-Agent: "_t, 1, false, -1},
      {"a@b"_t, "A`B"_t, 1, true, -1},  // only letters fold
      {"ab"_t, "abc"_t, 1, false, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.want)
        << c.text.bytes() << " / " << c.sought.bytes() << " from " << c.start;
  }
}

TEST(FindText, WalksTwoByteCharactersWhole) {
  // B0 A1 A1 C0: the bytes A1 A1 stand at byte 2, but straddle two characters.
  Text text = B("\xB0\xA1\xA1\xC0");
  EXPECT_EQ(FindText(text, B("\xA1\xA1"), 0, false), -1);
  EXPECT_EQ(FindText(text, B("\xA1\xC0"), 0, false), 3);
  // Started on a trail byte, the walk takes that byte as a character's start.
  EXPECT_EQ(FindText(text, B("\xA1\xA1"), 2, false), 2);
  // A lead byte with nothing after it is compared before the walk ends there.
  EXPECT_EQ(FindText(B("a\xB0"), B("\xB0"), 0, false), 2);
  EXPECT_EQ(FindText(B("a\xB0"), B("\xB0z"), 0, false), -1);
  EXPECT_EQ(FindText(G("中文X"), "X"_t, 0, false), 5);
}

TEST(ReplaceText, ReplacesNonOverlappingOccurrences) {
  struct Case {
    Text text, sought, replacement;
    bool caseSensitive;
    Text want;
  } cases[] = {
      {"aXa"_t, "x"_t, "yy"_t, false, "ayya"_t},
      {"aXa"_t, "x"_t, "yy"_t, true, "aXa"_t},
      {"aaa"_t, "aa"_t, "b"_t, true, "ba"_t},
      {"k=v;"_t, "k="_t, Text{}, false, "v;"_t},
      {"abab"_t, "ab"_t, "abab"_t, true, "abababab"_t},  // inserted text is not searched again
      {""_t, "a"_t, "b"_t, true, ""_t},
      {"abc"_t, ""_t, "x"_t, true, "abc"_t},
      {B("\xB0\xA1\xA1\xC0"), B("\xA1\xA1"), "-"_t, true, B("\xB0\xA1\xA1\xC0")},
      {B("x\xB0"), "x"_t, "y"_t, true, B("y\xB0")},  // a lone lead byte at the end is kept
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.sought, c.replacement, c.caseSensitive), c.want)
        << c.text.bytes();
  }
}

TEST(SplitText, PiecesBetweenSeparators) {
  struct Case {
    Text text, separator;
    std::vector<std::string> want;
  } cases[] = {
      {"a;b"_t, ";"_t, {"a", "b"}},
      {"a;;b"_t, ";"_t, {"a", "", "b"}},
      {";a"_t, ";"_t, {"", "a"}},
      {"a;"_t, ";"_t, {"a"}},
      {";"_t, ";"_t, {""}},
      {""_t, ";"_t, {}},
      {"a;b"_t, ""_t, {"a;b"}},
      {"a, b, c"_t, ", "_t, {"a", "b", "c"}},
      {"aXbxc"_t, "x"_t, {"aXb", "c"}},  // letter case matters
      {B("\xB0\xA1\xA1\xC0"), B("\xA1\xA1"), {"\xB0\xA1\xA1\xC0"}},
      {B("\xB0\xA1\xA1\xC0"), B("\xA1"), {"\xB0\xA1", "\xC0"}},  // A1 C0 starts at byte 3
  };
  for (const auto& c : cases) {
    TextArray pieces = SplitText(c.text, c.separator);
    std::vector<std::string> got;
    for (const Text& p : pieces) got.push_back(p.bytes());
    EXPECT_EQ(got, c.want) << c.text.bytes();
  }
}

TEST(Blanks, TrimAndRemoveOnlySpaceAndFullWidthSpace) {
  Text full = G("　");  // A1 A1
  ASSERT_EQ(full.bytes(), "\xA1\xA1");
  struct Case {
    Text got, want;
  } cases[] = {
      {TrimBoth("  a b  "_t), "a b"_t},
      {TrimBoth(Concat(full, "a"_t, full, " "_t, full)), "a"_t},
      {TrimBoth("\ta\r\n"_t), "\ta\r\n"_t},
      {TrimBoth(Concat(" "_t, full, " "_t)), ""_t},
      {TrimBoth(B("\xB0\xA1 ")), B("\xB0\xA1")},
      {TrimBoth(B(" \xA1\xA1\xC0")), B("\xC0")},  // A1 A1 at a character start is a blank
      {TrimBoth(B("\xB0\xA1\xA1\xC0 ")), B("\xB0\xA1\xA1\xC0")},  // ...but not across two
      {RemoveAllSpaces(Concat("a b"_t, full, "c"_t)), "abc"_t},
      {RemoveAllSpaces(B("\xB0\xA1\xA1\xC0 x")), B("\xB0\xA1\xA1\xC0x")},
      {RemoveAllSpaces("\ta \n"_t), "\ta\n"_t},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.got.bytes();
}

TEST(TextBetween, CutsBetweenMarkers) {
  Text quote_marker = Concat("href="_t, QuotePlaceholder());
  struct Case {
    Text got, want;
  } cases[] = {
      {TextBetween("startPage:3,totalPages:9,"_t, "startPage:"_t, ","_t), "3"_t},
      {TextBetween("startPage:3,totalPages:9,"_t, "totalPages:"_t, ","_t), "9"_t},
      {TextBetween("a=1;"_t, "b="_t, ";"_t), ""_t},
      {TextBetween("x:;"_t, "x:"_t, ";"_t), ""_t},
      {TextBetween("x:1"_t, "x:"_t, ";"_t), ""_t},
      {TextBetween("x:"_t, "x:"_t, ";"_t), ""_t},
      {TextBetween("href=\"u\""_t, quote_marker, QuotePlaceholder()), "u"_t},
      {TextBetween("k=1;k=2;"_t, "k="_t, ";"_t, 3), "2"_t},
      {TextBetween("K=1;"_t, "k="_t, ";"_t, 0, true), "1"_t},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.got.bytes();
  EXPECT_EQ(QuotePlaceholder(), G("#引号"));
}

}  // namespace
}  // namespace mlf
