#include <gtest/gtest.h>

#include "support/reference_decode.h"

#include <random>

#include "test_text.h"
#include "text/code_page.h"

namespace mlf {
namespace {

TEST(AnsiToWide, UnitsAndTerminator) {
  struct Case {
    Text text;
    bool dropTerminator;
    ByteSet want;
  } cases[] = {
      {Text{}, false, {}},
      {Text{}, true, {}},
      {"/"_t, false, {0x2F, 0, 0, 0}},
      {"/"_t, true, {0x2F, 0}},
      {B("\xD6\xD0"), false, {0x2D, 0x4E, 0, 0}},
      {B("\x80"), true, {0xAC, 0x20}},  // the euro sign of the Windows table
      {B("\xFF"), true, {0xF5, 0xF8}},
      {B("\x81\x20"), true, {'?', 0, ' ', 0}},  // invalid pair: "?", then the space
      {B("a\x81"), true, {'a', 0, '?', 0}},     // a lead byte with nothing after it
  };
  for (const auto& c : cases)
    EXPECT_EQ(AnsiToWide(c.text, c.dropTerminator), c.want) << c.text.bytes();
}

TEST(WideToAnsi, BytesFromUnits) {
  struct Case {
    ByteSet wide;
    std::string want;
  } cases[] = {
      {{0x2D, 0x4E, 0, 0}, "\xD6\xD0"},
      {{0x2D, 0x4E}, "\xD6\xD0"},
      {{0x41, 0, 0, 0, 0x42, 0}, "A"},  // stops at the first zero unit
      {{0x41, 0, 0x42}, "A"},           // an odd last byte is ignored
      {{}, ""},
      {{0x41}, ""},
      {{0xAC, 0x20}, "\x80"},
      {{0x41, 0, 0x01, 0x03}, "\xA8\xA2"},  // A + combining acute: the precomposed Á
      {{0x01, 0x03}, "?"},                  // a mark alone has no GBK form
      {{0x00, 0xF9}, "\xD8\x4D"},           // best fit: U+F900 as its unified ideograph
      {{0x01, 0x0E}, "?"},                  // Thai: not in GBK
      {{0x00, 0xD8, 0x41, 0}, "?A"},        // an unpaired surrogate
      {{0x3D, 0xD8, 0x00, 0xDE}, "?"},      // an emoji
  };
  for (const auto& c : cases) EXPECT_EQ(WideToAnsi(c.wide).bytes(), c.want);
}

TEST(CodePage, RoundTripOfAsciiAndGbkText) {
  Text text = G("magnet:?xt=urn:btih:ABC 收录时间：2024-01-02 大小：1.2 GB 文件数：3 €");
  EXPECT_EQ(WideToAnsi(AnsiToWide(text)), text);
  EXPECT_EQ(TextToUtf8(text),
            "magnet:?xt=urn:btih:ABC 收录时间：2024-01-02 大小：1.2 GB 文件数：3 €");
}

TEST(CodePage, Utf8Edges) {
  EXPECT_EQ(TextFromUtf8("中").bytes(), "\xD6\xD0");
  EXPECT_EQ(TextFromUtf8("a\xC3\x28").bytes(), "a?(");  // invalid UTF-8
  EXPECT_EQ(TextFromUtf8("\xF0\x9F\x98\x80").bytes(), "?");
  EXPECT_EQ(TextToUtf8(B("\x81\x20x")), "? x");
  EXPECT_EQ(TextToUtf8(Text{}), "");
}

// Whole-text conversion straight through the converter, for comparison with the fast path.

TEST(CodePage, AsciiFastPathDecodesLikeTheWholeConverter) {
  std::mt19937 random(936);
  // Bytes weighted toward the interesting ranges: ASCII, lead bytes, invalid trails.
  const std::string alphabet =
      std::string("a <>\x1A\x7F\x80\x81\xA1\xB0\xD6\xD0\xFE\xFF\x40\x20", 16);
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    int length = random() % 40;
    for (int k = 0; k < length; ++k) {
      // Long ASCII runs too, which take the widening path.
      if (random() % 8 == 0) bytes.append(random() % 40, 'x');
      bytes += alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(ToUtf16(bytes), testing_support::ReferenceDecode(bytes))
        << testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace mlf
