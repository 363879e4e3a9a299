// The request routine's steps, exits and messages, over a scripted client.
#include <gtest/gtest.h>

#include "support/scripted_transport.h"
#include "test_text.h"
#include "text/process_events.h"
#include "web/web_request.h"

namespace mlf {
namespace {

using testing_support::ScriptedTransport;

class WebRequestSteps : public testing::Test {
 protected:
  void SetUp() override {
    SetProcessEventsHook([this] { ++events_; });
    options_.url = "http://example.com/search?keyword=a&p=1"_t;
    // Sentinels: a failure writes statusText and nothing else.
    outputs_.receivedCookies = "r"_t;
    outputs_.rawHeaders = "h"_t;
    outputs_.location = "l"_t;
    outputs_.statusText = "caller's"_t;
    outputs_.body = {'b'};
  }
  void TearDown() override { SetProcessEventsHook(nullptr); }

  Text Run() { return WebRequest(options_, outputs_, transport_); }

  ScriptedTransport transport_;
  RequestOptions options_;
  ResponseOutputs outputs_;
  int events_ = 0;
};

TEST_F(WebRequestSteps, EachFailureHasItsMessageAndExit) {
  struct Case {
    const char* step;
    const char* message;
    int events;  // window-message passes: one per stage passed, none on the immediate exit
    std::vector<HttpHandle> closed;
  } cases[] = {
      {"CheckClient", "700 当前系统不支持WinHttp服务!", 0, {0, 0, 0}},
      {"CrackAddress", "701 解析URL地址失败!", 1, {0, 0, 0}},
      {"OpenSession", "702 创建WinHttp会话失败!", 2, {0, 0, 0}},
      {"Connect", "703 创建WinHttp连接失败!", 3, {0, 0, 11}},
      {"OpenRequest", "704 创建WinHttp请求失败!", 4, {0, 22, 11}},
      {"SetTimeouts", "705 设置超时时间失败!", 5, {33, 22, 11}},
      {"SetCredentials:server", "707 设置代理凭证失败!", 0, {33, 22, 11}},
      {"SetCredentials:proxy", "707 设置代理凭证失败!", 0, {33, 22, 11}},
      {"SetClientCookies", "708 禁止自动设置Cookies失败!", 0, {33, 22, 11}},
      {"DisableRedirects", "709 重定向设置失败!", 0, {33, 22, 11}},
      {"AddRequestHeaders", "710 设置协议头失败!", 6, {33, 22, 11}},
      {"Send", "711 发送请求失败!", 7, {33, 22, 11}},
      {"ReceiveResponse", "712 服务器未响应!", 8, {33, 22, 11}},
  };
  for (const auto& c : cases) {
    SetUp();
    transport_ = ScriptedTransport{};
    transport_.failAt = c.step;
    events_ = 0;
    options_.userName = options_.password = "u"_t;
    options_.proxyUserName = options_.proxyPassword = "p"_t;
    options_.disableRedirects = true;
    EXPECT_EQ(Run(), Text{}) << c.step;
    EXPECT_EQ(outputs_.statusText, G(c.message)) << c.step;
    EXPECT_EQ(events_, c.events) << c.step;
    EXPECT_EQ(transport_.closed, c.closed) << c.step;
    EXPECT_EQ(outputs_.rawHeaders, "h"_t) << c.step;
    EXPECT_EQ(outputs_.receivedCookies, "r"_t) << c.step;
    EXPECT_EQ(outputs_.location, "l"_t) << c.step;
    EXPECT_EQ(outputs_.body, ByteSet{'b'}) << c.step;
  }
}

TEST_F(WebRequestSteps, CompleteExchange) {
  transport_.rawHeaders = u"HTTP/1.1 404 Not Found\r\nSet-Cookie: a=1; path=/\r\n\r\n";
  transport_.bodyChunks = {"<p>", "\xD6\xD0", "</p>"};
  Text page = Run();
  EXPECT_EQ(page.bytes(), "<p>\xD6\xD0</p>");  // the pieces joined in order
  EXPECT_EQ(outputs_.statusText, "404 Not Found"_t);
  EXPECT_EQ(outputs_.receivedCookies, "a=1"_t);
  EXPECT_EQ(outputs_.location, "l"_t);  // no Location line
  EXPECT_EQ(outputs_.body, (ByteSet{'<', 'p', '>', 0xD6, 0xD0, '<', '/', 'p', '>'}));
  // Nine stages, one per header line (status, cookie, empty), two while decoding.
  EXPECT_EQ(events_, 9 + 3 + 2);
  EXPECT_EQ(transport_.closed, (std::vector<HttpHandle>{33, 22, 11}));
}

TEST_F(WebRequestSteps, FailedReadKeepsTheBytesAndSaysSo) {
  transport_.failAt = "ReadData";
  transport_.bodyChunks = {"part"};
  EXPECT_EQ(Run(), "part"_t);
  EXPECT_EQ(outputs_.body, (ByteSet{'p', 'a', 'r', 't'}));
  EXPECT_EQ(outputs_.rawHeaders.bytes(), "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n");
  // The status line said 200 OK, but the body is short: the message stays.
  EXPECT_EQ(outputs_.statusText, G("713 读取数据失败!"));
}

TEST_F(WebRequestSteps, AFailedQueryForDataEndsTheBodyQuietly) {
  transport_.failAt = "QueryDataAvailable";
  transport_.bodyChunks = {"never read"};
  EXPECT_EQ(Run(), Text{});
  EXPECT_EQ(outputs_.statusText, "200 OK"_t);
  EXPECT_TRUE(outputs_.body.empty());
}

TEST_F(WebRequestSteps, UnreadableHeadersGiveNothing) {
  transport_.failAt = "QueryRawHeaders";
  transport_.bodyChunks = {"x"};
  EXPECT_EQ(Run(), Text{});
  EXPECT_EQ(outputs_.statusText, "caller's"_t);
  EXPECT_EQ(outputs_.body, ByteSet{'b'});
  EXPECT_EQ(events_, 9);
}

TEST_F(WebRequestSteps, OnlyAnAddressIsAPlainGet) {
  Run();
  EXPECT_EQ(transport_.verb, u"GET");
  EXPECT_EQ(transport_.objectName, u"/search?keyword=a&p=1");
  EXPECT_EQ(transport_.host, u"example.com");
  EXPECT_EQ(transport_.port, 80);
  EXPECT_FALSE(transport_.secure);
  EXPECT_EQ(transport_.proxy, u"");
  EXPECT_EQ(transport_.timeouts, (std::vector<int>{30000, 30000, 30000, 30000}));
  EXPECT_TRUE(transport_.credentials.empty());
  EXPECT_EQ(transport_.cookieSettings, std::vector<int>{0});
  EXPECT_EQ(transport_.redirectsDisabled, 0);
  EXPECT_EQ(
      transport_.headers,
      u"User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
      u"Accept: text/html, application/xhtml+xml, */*\r\nAccept-Encoding: gbk, GB2312\r\n"
      u"Accept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded\r\n"
      u"Cache-Control: no-cache\r\n");
  EXPECT_TRUE(transport_.sentBody.empty());
}

TEST_F(WebRequestSteps, OptionsReachTheClient) {
  struct Verb {
    int method;
    std::u16string verb;
  } verbs[] = {{0, u"GET"}, {1, u"POST"}, {2, u"HEAD"}, {3, u"PUT"}, {4, u"GET"}, {-1, u"GET"}};
  for (const auto& v : verbs) {
    transport_ = ScriptedTransport{};
    options_.method = v.method;
    Run();
    EXPECT_EQ(transport_.verb, v.verb) << v.method;
  }

  struct Timeout {
    int seconds, ms;
  } timeouts[] = {{0, 30000}, {-5, 30000}, {5, 5000}, {3'000'000, 2'147'483'647}};
  for (const auto& t : timeouts) {
    transport_ = ScriptedTransport{};
    options_.timeoutSeconds = t.seconds;
    Run();
    EXPECT_EQ(transport_.timeouts, std::vector<int>(4, t.ms)) << t.seconds;
  }

  struct Proxy {
    const char *url, *proxy;
    std::u16string name;
  } proxies[] = {{"http://h/", "127.0.0.1:3128", u"http=127.0.0.1:3128"},
                 {"https://h/", "127.0.0.1:3128", u"127.0.0.1:3128"},
                 {"http://h/", "", u""}};
  for (const auto& p : proxies) {
    transport_ = ScriptedTransport{};
    options_.url = B(p.url);
    options_.proxy = B(p.proxy);
    Run();
    EXPECT_EQ(transport_.proxy, p.name) << p.url << " " << p.proxy;
  }
}

TEST_F(WebRequestSteps, AddressesBecomeObjectNames) {
  struct Case {
    Text url;
    std::u16string object;
    int port;
    bool secure;
  } cases[] = {
      {"http://h"_t, u"/", 80, false},
      {"http://h?q=1"_t, u"/", 80, false},  // no path: the query is not sent
      {"http://h/a?q=1"_t, u"/a?q=1", 80, false},
      {"https://h/x"_t, u"/x", 443, true},
      {G("http://h:81/search?keyword=中文"), u"/search?keyword=中文", 81, false},
  };
  for (const auto& c : cases) {
    transport_ = ScriptedTransport{};
    options_.url = c.url;
    Run();
    EXPECT_EQ(transport_.objectName, c.object) << c.url.bytes();
    EXPECT_EQ(transport_.port, c.port);
    EXPECT_EQ(transport_.secure, c.secure);
  }
  for (const char* bad : {"", "ftp://h/", "h/x"}) {
    transport_ = ScriptedTransport{};
    options_.url = B(bad);
    EXPECT_EQ(Run(), Text{});
    EXPECT_EQ(outputs_.statusText, G("701 解析URL地址失败!")) << bad;
  }
}

TEST_F(WebRequestSteps, CredentialsCookiesRedirectsAndBody) {
  options_.userName = "u"_t;  // without a password: no credentials
  options_.proxyUserName = "pu"_t;
  options_.proxyPassword = "pp"_t;
  options_.cookies = Text{};  // supplied, though empty
  options_.disableRedirects = true;
  options_.postData = B("k=\xD6\xD0");
  options_.method = kPost;
  transport_.rawHeaders = u"HTTP/1.1 200 OK\r\nSet-Cookie: s=1\r\n\r\n";
  Run();
  EXPECT_EQ(transport_.credentials, std::vector<std::string>{"proxy pu:pp"});
  EXPECT_EQ(transport_.cookieSettings, std::vector<int>{1});
  EXPECT_EQ(transport_.redirectsDisabled, 1);
  EXPECT_EQ(transport_.sentBody, (ByteSet{'k', '=', 0xD6, 0xD0}));  // not converted
  EXPECT_EQ(transport_.headers.find(u"Cookie"), std::u16string::npos);
  EXPECT_EQ(*options_.cookies, "s=1"_t);  // merged into the supplied text
}

}  // namespace
}  // namespace mlf
