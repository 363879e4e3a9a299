#include <gtest/gtest.h>

#include "test_text.h"
#include "text/byte_set.h"
#include "text/process_events.h"
#include "web/page_decoding.h"

namespace mlf {
namespace {

ByteSet Bytes(const std::string& s) {
  return ByteSet(s.begin(), s.end());
}

std::string Decode(const std::string& body) {
  PatternMatcher matcher;
  return DecodePageText(Bytes(body), matcher).bytes();
}

const std::string kZhongGbk = "\xD6\xD0";       // 中 in GBK
const std::string kZhongUtf8 = "\xE4\xB8\xAD";  // 中 in UTF-8
const std::string kZhongBig5 = "\xA4\xA4";      // 中 in Big5

TEST(DecodePageText, DeclaredCharsets) {
  struct Case {
    const char* name;
    std::string body, want;
  } cases[] = {
      {"NoDeclaration", "<p>" + kZhongGbk + "</p>", "<p>" + kZhongGbk + "</p>"},
      {"Gb2312Untouched",
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\x81\x20" +
           kZhongGbk,
       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\x81\x20" +
           kZhongGbk},
      {"Utf8Quoted", "<meta charset=\"utf-8\">" + kZhongUtf8,
       "<meta charset=\"utf-8\">" + kZhongGbk},
      {"Utf8Capitals", "<META CHARSET=UTF-8>" + kZhongUtf8, "<META CHARSET=UTF-8>" + kZhongGbk},
      {"Big5", "<meta charset=big5>" + kZhongBig5, "<meta charset=big5>" + kZhongGbk},
      // "GBK" is not "gbk": it is decoded, which turns invalid bytes into "?".
      {"CapitalGbkIsDecoded", "<meta charset=GBK>\x81\x20" + kZhongGbk,
       "<meta charset=GBK>? " + kZhongGbk},
      {"UnknownNameLeavesTheBody", "<meta charset=x-klingon>" + kZhongGbk,
       "<meta charset=x-klingon>" + kZhongGbk},
      {"Utf8ByteOrderMarkDropped", "\xEF\xBB\xBF<meta charset=utf-8>a", "<meta charset=utf-8>a"},
      {"InvalidUtf8", "<meta charset=utf-8>\xC3\x28", "<meta charset=utf-8>?("},
      {"FirstDeclarationCounts", "<meta charset=utf-8><meta charset=big5>" + kZhongUtf8,
       "<meta charset=utf-8><meta charset=big5>" + kZhongGbk},
      {"MetaAndCharsetOnTwoLines", "<meta\ncharset=utf-8>" + kZhongUtf8,
       "<meta\ncharset=utf-8>" + kZhongUtf8},
      {"ZeroByteBeforeDeclaration", std::string("ab\0<meta charset=utf-8>", 24), "ab"},
      // After the declaration: decoding reads the whole body, the page ends at the zero.
      {"ZeroByteAfterDeclaration", std::string("<meta charset=utf-8>a\0b", 23),
       "<meta charset=utf-8>a"},
      {"ZeroByteAfterGbkDeclaration", std::string("<meta charset=gbk>a\0b", 21),
       "<meta charset=gbk>a"},
      {"Empty", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.body), c.want) << c.name;
}

TEST(DecodePageText, OnlyTheFirst1024BytesAreSearched) {
  std::string filler(1008, 'x');
  // Begins inside the window, but its name is cut by the window's end: "ut" is no set we
  // know, so the page stays as taken.
  std::string cut = filler + "<meta charset=utf-8>" + kZhongUtf8;
  EXPECT_EQ(Decode(cut), cut);
  std::string beyond = std::string(1024, 'x') + "<meta charset=utf-8>" + kZhongUtf8;
  EXPECT_EQ(Decode(beyond), beyond);
  std::string inside = std::string(990, 'x') + "<meta charset=utf-8>" + kZhongUtf8;
  EXPECT_EQ(Decode(inside), std::string(990, 'x') + "<meta charset=utf-8>" + kZhongGbk);
}

TEST(DecodePageText, LetsWindowMessagesThroughTwice) {
  int events = 0;
  SetProcessEventsHook([&] { ++events; });
  Decode("<meta charset=utf-8>a");
  EXPECT_EQ(events, 2);
  SetProcessEventsHook(nullptr);
}

}  // namespace
}  // namespace mlf
