#include <gtest/gtest.h>

#include "test_text.h"
#include "web/request_headers.h"

namespace mlf {
namespace {

const std::string kUserAgent =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n";
const std::string kAccept = "Accept: text/html, application/xhtml+xml, */*\r\n";
const std::string kEncoding = "Accept-Encoding: gbk, GB2312\r\n";
const std::string kLanguage = "Accept-Language: zh-cn\r\n";
const std::string kContentType = "Content-Type: application/x-www-form-urlencoded\r\n";
const std::string kCache = "Cache-Control: no-cache\r\n";
const std::string kDefaults = kUserAgent + kAccept + kEncoding + kLanguage + kContentType + kCache;

TEST(BuildRequestHeaders, DefaultsFillWhatTheCallerLeftOut) {
  struct Case {
    const char* name;
    std::string extra, cookies, want;
  } cases[] = {
      {"Nothing", "", "", kDefaults},
      {"LowerCaseUserAgent", "user-agent: X", "",
       "user-agent: X\r\n" + kAccept + kEncoding + kLanguage + kContentType + kCache},
      {"LowerCaseContentTypeKeepsTheDefault", "content-type: text/plain", "",
       "content-type: text/plain\r\n" + kDefaults},
      {"ContentTypeWithoutBlank", "Content-Type:text/xml", "",
       "Content-Type:text/xml\r\n" + kUserAgent + kAccept + kEncoding + kLanguage + kCache},
      {"AcceptInsideAnotherName", "X-Accept: 1", "",
       "X-Accept: 1\r\n" + kUserAgent + kEncoding + kLanguage + kContentType + kCache},
      {"NoBlankAfterColon", "User-Agent:x", "", "User-Agent:x\r\n" + kDefaults},
      {"Cookies", "", "a=1; b=2", kDefaults + "Cookie: a=1; b=2\r\n"},
      {"CallerCookieLineWins", "cookie: x=1", "a=1", "cookie: x=1\r\n" + kDefaults},
      {"TrailingLineBreakLeavesAnEmptyLine", "X-A: 1\r\n", "", "X-A: 1\r\n\r\n" + kDefaults},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildRequestHeaders(B(c.extra), B(c.cookies)).bytes(), c.want) << c.name;
  }
}

}  // namespace
}  // namespace mlf
