#include <gtest/gtest.h>

#include "web/http_address.h"

namespace mlf {
namespace {

TEST(CrackHttpAddress, SchemesHostsPortsPathsAndQueries) {
  struct Case {
    std::u16string url;
    bool ok;
    std::u16string host = u"";
    int port = 0;
    bool secure = false;
    std::u16string path = u"", extra = u"";
  } cases[] = {
      {u"http://example.com", true, u"example.com", 80, false, u"", u""},
      {u"HTTPS://example.com/a/b?c=1#f", true, u"example.com", 443, true, u"/a/b", u"?c=1#f"},
      {u"http://127.0.0.1:8080/search?keyword=中&p=1", true, u"127.0.0.1", 8080, false, u"/search",
       u"?keyword=中&p=1"},
      {u"http://host?q=1", true, u"host", 80, false, u"", u"?q=1"},
      {u"http://user:pw@host:81/", true, u"host", 81, false, u"/", u""},
      {u"http://[::1]:9/x", true, u"::1", 9, false, u"/x", u""},
      {u"http://host:/x", true, u"host", 80, false, u"/x", u""},
      {u"", false},
      {u"ftp://example.com/", false},
      {u"example.com", false},
      {u"http://", false},
      {u"http://:80/", false},
      {u"http://host:0/", false},
      {u"http://host:65536/", false},
      {u"http://host:8a/", false},
      {u"http://ho st/", false},
  };
  for (const auto& c : cases) {
    CrackedAddress parts;
    ASSERT_EQ(CrackHttpAddress(c.url, parts), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(parts.host, c.host);
    EXPECT_EQ(parts.port, c.port);
    EXPECT_EQ(parts.secure, c.secure);
    EXPECT_EQ(parts.path, c.path);
    EXPECT_EQ(parts.extra, c.extra);
  }
}

TEST(WireObjectName, Utf8AndEscapes) {
  EXPECT_EQ(WireObjectName(u"/search?keyword=中 文&p=1"),
            "/search?keyword=%E4%B8%AD%20%E6%96%87&p=1");
  EXPECT_EQ(WireObjectName(u"/a%20b?x=\"<>#{}|\\^`"), "/a%20b?x=%22%3C%3E%23%7B%7D%7C%5C%5E%60");
  EXPECT_EQ(WireObjectName(u"/a-b_c.d~e!$&'()*+,;=:@[]"), "/a-b_c.d~e!$&'()*+,;=:@[]");
  EXPECT_EQ(WireAddress(false, u"::1", 8, u"/"), "http://[::1]:8/");
}

TEST(ProxyFor, PicksTheEntryForTheScheme) {
  EXPECT_EQ(ProxyFor(u"http=127.0.0.1:3128", false), "http://127.0.0.1:3128");
  EXPECT_EQ(ProxyFor(u"http=127.0.0.1:3128", true), std::nullopt);
  EXPECT_EQ(ProxyFor(u"127.0.0.1:3128", true), "http://127.0.0.1:3128");
  EXPECT_EQ(ProxyFor(u"proxy", false), "http://proxy:80");
  EXPECT_EQ(ProxyFor(u"https=a:1;http=b:2", false), "http://b:2");
  EXPECT_EQ(ProxyFor(u"c:3 https=a:1", true), "http://a:1");
  EXPECT_EQ(ProxyFor(u"http=http://b:2/", false), "http://b:2");
}

}  // namespace
}  // namespace mlf
