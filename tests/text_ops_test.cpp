#include <gtest/gtest.h>

#include "test_text.h"
#include "text/text_ops.h"

namespace mlf {
namespace {

TEST(TextSlicing, ClampsOutOfRangePositionsAndLengths) {
  struct Case {
    Text got;
    const char* want;
  } cases[] = {
      {TextLeft("abc"_t, 5), "abc"},     {TextLeft("abc"_t, 0), ""},
      {TextLeft("abc"_t, -3), ""},       {TextRight("abc"_t, 2), "bc"},
      {TextRight("abc"_t, -1), ""},      {TextRight("abc"_t, 9), "abc"},
      {TextMid("abcdef"_t, 3, 2), "cd"}, {TextMid("abc"_t, 3, 10), "c"},
      {TextMid("abc"_t, 4, 1), ""},      {TextMid("abc"_t, 0, 2), ""},
      {TextMid("abc"_t, 1, 0), ""},      {TextLeft(Text{}, 3), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got.bytes(), c.want);
}

TEST(TextSlicing, CutsPlainBytesEvenInsideACharacter) {
  Text zhong = G("中");  // D6 D0
  EXPECT_EQ(TextLength(zhong), 2);
  EXPECT_EQ(TextLeft(zhong, 1).bytes(), "\xD6");
  EXPECT_EQ(TextMid(Concat("a"_t, zhong), 3, 1).bytes(), "\xD0");
}

TEST(TextComparison, EqualityAndOrder) {
  EXPECT_TRUE(TextEquals(Text{}, ""_t));
  EXPECT_FALSE(TextEquals("A"_t, "a"_t));
  EXPECT_EQ(CompareText("LOCATION: "_t, "Location: "_t, false), 0);
  EXPECT_LT(CompareText("LOCATION: "_t, "Location: "_t, true), 0);
  EXPECT_LT(CompareText("ab"_t, "abc"_t, true), 0);
  EXPECT_GT(CompareText(G("中"), "z"_t, true), 0);          // two-byte characters after ASCII
  EXPECT_EQ(CompareText("[x"_t, "{X"_t, false) < 0, true);  // only letters fold
}

TEST(TextComparison, ConcatJoinsInOrderAndSkipsEmptyOperands) {
  EXPECT_EQ(Concat("a"_t, Text{}, "bc"_t, G("中")).bytes(), "abc\xD6\xD0");
}

}  // namespace
}  // namespace mlf
