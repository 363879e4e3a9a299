#include <gtest/gtest.h>

#include "test_text.h"
#include "text/process_events.h"
#include "web/response_headers.h"

namespace mlf {
namespace {

TEST(ResponseHeaderBlock, StatusCookiesAndLocation) {
  struct Case {
    const char* name;
    std::string block;
    std::string status, received, location, raw;
  } cases[] = {
      {"Plain", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n", "200 OK", "", "(kept)", ""},
      {"TwoCookies", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n",
       "200 OK", "a=1; b=2", "(kept)", ""},
      {"LowerCaseNormalised", "HTTP/1.1 200 OK\r\nset-cookie: c=3; HttpOnly\r\n\r\n", "200 OK",
       "c=3", "(kept)", "HTTP/1.1 200 OK\r\nSet-Cookie: c=3; HttpOnly\r\n\r\n"},
      {"NoBlankNoSemicolon", "HTTP/1.1 200 OK\r\nSet-Cookie:d=4\r\n\r\n", "200 OK", "d=4", "(kept)",
       ""},
      {"RepeatsKept", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nSet-Cookie: a=2\r\n\r\n", "200 OK",
       "a=1; a=2", "(kept)", ""},
      {"MentionInAValue", "HTTP/1.1 200 OK\r\nX-Note: set-cookie later\r\n\r\n", "200 OK",
       "X-Note: Set-Cookie later", "(kept)", "HTTP/1.1 200 OK\r\nX-Note: Set-Cookie later\r\n\r\n"},
      {"SemicolonWithoutPrefix", "HTTP/1.1 200 OK\r\nX: Set-Cookie;\r\n\r\n", "200 OK", "",
       "(kept)", ""},
      {"LastLocationWins", "HTTP/1.1 302 Found\r\nLocation: /a\r\nlocation: /b\r\n\r\n",
       "302 Found", "", "/b", ""},
      {"EmptyLocation", "HTTP/1.1 302 Found\r\nLocation: \r\n\r\n", "302 Found", "", "", ""},
      {"NotFound", "HTTP/1.1 404 Not Found\r\n\r\n", "404 Not Found", "", "(kept)", ""},
      {"NoLineBreakAfterByte10", "HTTP/1.1 200", "", "", "(kept)", ""},
  };
  for (const auto& c : cases) {
    ResponseOutputs out;
    out.location = "(kept)"_t;
    out.receivedCookies = "stale=1"_t;  // replaced, not appended to
    std::optional<Text> no_cookies;
    ApplyResponseHeaderBlock(B(c.block), no_cookies, out);
    EXPECT_EQ(out.statusText.bytes(), c.status) << c.name;
    EXPECT_EQ(out.receivedCookies.bytes(), c.received) << c.name;
    EXPECT_EQ(out.location.bytes(), c.location) << c.name;
    EXPECT_EQ(out.rawHeaders.bytes(), c.raw.empty() ? c.block : c.raw) << c.name;
  }
}

TEST(ResponseHeaderBlock, SemicolonWithoutPrefixLeavesAnEmptyItem) {
  ResponseOutputs out;
  std::optional<Text> no_cookies;
  ApplyResponseHeaderBlock("HTTP/1.1 200 OK\r\nX: Set-Cookie;\r\nSet-Cookie: a=1\r\n\r\n"_t,
                           no_cookies, out);
  EXPECT_EQ(out.receivedCookies, "; a=1"_t);
}

TEST(ResponseHeaderBlock, SuppliedCookiesAreMergedAndEachLineYields) {
  int events = 0;
  SetProcessEventsHook([&] { ++events; });
  ResponseOutputs out;
  std::optional<Text> cookies = "a=1; b=2"_t;
  ApplyResponseHeaderBlock(
      "HTTP/1.1 200 OK\r\nSet-Cookie: b=3; path=/\r\nSet-Cookie: c = 4\r\n\r\n"_t, cookies, out);
  SetProcessEventsHook(nullptr);
  EXPECT_EQ(*cookies, "b=3; c=4; a=1"_t);
  EXPECT_EQ(out.receivedCookies, "b=3;c=4"_t);
  EXPECT_EQ(events, 4);  // one per line: status, two cookies, the empty last line
}

}  // namespace
}  // namespace mlf
