// The request routine over libcurl against real servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/loopback_server.h"
#include "support/timed_exchange.h"
#include "test_text.h"
#include "web/curl_transport.h"
#include "web/web_request.h"

namespace mlf {
namespace {

using testing_support::Connection;
using testing_support::FetchTimed;
using testing_support::LoopbackServer;
using testing_support::ReplyWith;
using testing_support::Response;
using testing_support::TimedExchange;

using namespace std::chrono_literals;

std::string HeadOf(const std::string& request) {
  return request.substr(0, request.find("\r\n\r\n") + 2);
}

std::string BodyOf(const std::string& request) {
  std::size_t end = request.find("\r\n\r\n");
  return end == std::string::npos ? "" : request.substr(end + 4);
}

TimedExchange Get(const std::string& url, int timeoutSeconds = 5) {
  RequestOptions options;
  options.url = G(url.c_str());
  options.timeoutSeconds = timeoutSeconds;
  return FetchTimed(options);
}

TEST(WebRequestOverCurl, APlainSearchRequestOnTheWire) {
  LoopbackServer server(ReplyWith(Response("200 OK", "Content-Type: text/html\r\n", "<p>ok</p>")));
  TimedExchange e = Get(server.Address("/search?keyword=中 文&p=1"));
  EXPECT_EQ(e.page, "<p>ok</p>"_t);
  EXPECT_EQ(e.out.statusText, "200 OK"_t);
  EXPECT_EQ(e.out.rawHeaders.bytes(),
            "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 9\r\nConnection: "
            "close\r\n\r\n");
  ASSERT_EQ(server.Requests().size(), 1u);
  // The query reaches the wire as UTF-8, escaped; exactly our header lines and Host.
  EXPECT_EQ(
      HeadOf(server.Requests()[0]),
      "GET /search?keyword=%E4%B8%AD%20%E6%96%87&p=1 HTTP/1.1\r\n"
      "Host: 127.0.0.1:" +
          std::to_string(server.port()) +
          "\r\n"
          "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
          "Accept: text/html, application/xhtml+xml, */*\r\n"
          "Accept-Encoding: gbk, GB2312\r\n"
          "Accept-Language: zh-cn\r\n"
          "Content-Type: application/x-www-form-urlencoded\r\n"
          "Cache-Control: no-cache\r\n");
}

TEST(WebRequestOverCurl, MethodsBodiesAndCallerHeaders) {
  LoopbackServer server(ReplyWith(Response("200 OK", "", "done")));
  struct Case {
    int method;
    std::string body, line;
  } cases[] = {
      {kPost, "a=1&b=\xD6\xD0", "POST / HTTP/1.1"},
      {kPut, "x", "PUT / HTTP/1.1"},
      {kPost, std::string(2 << 20, 'z'), "POST / HTTP/1.1"},  // large: still no Expect
      {kHead, "", "HEAD / HTTP/1.1"},
  };
  for (const auto& c : cases) {
    RequestOptions options;
    options.url = B(server.Address());
    options.method = c.method;
    options.postData = B(c.body);
    options.extraHeaders = "X-One: 1\r\nx-one: 2\r\n\r\nCache-Control: max-age=0"_t;
    TimedExchange e = FetchTimed(options);
    EXPECT_EQ(e.out.statusText, "200 OK"_t) << c.line;
    EXPECT_EQ(e.page, c.method == kHead ? Text{} : "done"_t) << c.line;
    std::string request = server.Requests().back();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), c.line);
    EXPECT_EQ(BodyOf(request), c.body);
    EXPECT_EQ(HeadOf(request).find("Expect"), std::string::npos);
    EXPECT_NE(HeadOf(request).find("\r\nx-one: 2\r\n"), std::string::npos);  // the later line
    EXPECT_EQ(HeadOf(request).find("X-One: 1"), std::string::npos);
    EXPECT_NE(HeadOf(request).find("\r\nCache-Control: max-age=0\r\n"), std::string::npos);
    EXPECT_EQ(HeadOf(request).find("no-cache"), std::string::npos);
  }
}

TEST(WebRequestOverCurl, BasicCredentialsGoWithTheFirstRequest) {
  LoopbackServer server(ReplyWith(Response("200 OK", "", "")));
  RequestOptions options;
  options.url = B(server.Address());
  options.userName = "user"_t;
  options.password = "pass"_t;
  FetchTimed(options);
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_NE(server.Requests()[0].find("\r\nAuthorization: Basic dXNlcjpwYXNz\r\n"),
            std::string::npos);
}

TEST(WebRequestOverCurl, StatusTextsAndBodies) {
  std::string chunked = "HTTP/1.1 404 Not Found\r\nTransfer-Encoding: chunked\r\n\r\n";
  for (int i = 0; i < 200; ++i) chunked += "5\r\nabcde\r\n";
  chunked += "0\r\n\r\n";
  LoopbackServer pieces([&](const Connection& c, const std::string&) {
    for (std::size_t i = 0; i < chunked.size(); i += 700) {
      c.Send(chunked.substr(i, 700));
      std::this_thread::sleep_for(1ms);
    }
  });
  TimedExchange e = Get(pieces.Address());
  EXPECT_EQ(e.out.statusText, "404 Not Found"_t);
  std::string want;
  for (int i = 0; i < 200; ++i) want += "abcde";
  EXPECT_EQ(e.page.bytes(), want);

  LoopbackServer empty(ReplyWith(Response("204 No Content", "", "")));
  TimedExchange none = Get(empty.Address());
  EXPECT_EQ(none.page, Text{});
  EXPECT_TRUE(none.out.body.empty());
  EXPECT_EQ(none.out.statusText, "204 No Content"_t);
}

TEST(WebRequestOverCurl, InterimResponsesAreNotTheHeaderBlock) {
  LoopbackServer server(
      ReplyWith("HTTP/1.1 100 Continue\r\n\r\n" + Response("200 OK", "X: 1\r\n", "b")));
  TimedExchange e = Get(server.Address());
  EXPECT_EQ(e.out.rawHeaders.bytes(),
            "HTTP/1.1 200 OK\r\nX: 1\r\nContent-Length: 1\r\nConnection: close\r\n\r\n");
}

TEST(WebRequestOverCurl, FailuresAtEachPhase) {
  // Connection refused: the send fails.
  int closed_port;
  {
    LoopbackServer gone(ReplyWith(""));
    closed_port = gone.port();
  }
  TimedExchange refused = Get("http://127.0.0.1:" + std::to_string(closed_port) + "/");
  EXPECT_EQ(refused.out.statusText, G("711 发送请求失败!"));

  // Silence after the request: no response within the time-out.
  LoopbackServer silent(
      [](const Connection&, const std::string&) { std::this_thread::sleep_for(3s); });
  TimedExchange quiet = Get(silent.Address(), 1);
  EXPECT_EQ(quiet.out.statusText, G("712 服务器未响应!"));
  EXPECT_LT(quiet.seconds, 2.9);
  EXPECT_GE(quiet.seconds, 0.9);

  // Garbage instead of a status line, and a connection closed without a word.
  LoopbackServer garbage(ReplyWith("SSH-2.0-OpenSSH\r\n\r\n"));
  EXPECT_EQ(Get(garbage.Address()).out.statusText, G("712 服务器未响应!"));
  LoopbackServer hangup(ReplyWith(""));
  EXPECT_EQ(Get(hangup.Address()).out.statusText, G("712 服务器未响应!"));

  // The body cut off: the bytes read so far are kept.
  LoopbackServer cut(ReplyWith("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"));
  TimedExchange short_body = Get(cut.Address());
  EXPECT_EQ(short_body.out.statusText, G("713 读取数据失败!"));
  EXPECT_EQ(short_body.page, "0123456789"_t);
  EXPECT_EQ(short_body.out.rawHeaders.bytes(), "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");

  // A body that stalls half-way: the receive time-out applies between bytes.
  LoopbackServer stall([](const Connection& c, const std::string&) {
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n0123456789");
    std::this_thread::sleep_for(3s);
  });
  TimedExchange stalled = Get(stall.Address(), 1);
  EXPECT_EQ(stalled.out.statusText, G("713 读取数据失败!"));
  EXPECT_EQ(stalled.page, "0123456789"_t);
  EXPECT_LT(stalled.seconds, 2.9);
}

TEST(WebRequestOverCurl, RedirectsFollowedOrReturned) {
  LoopbackServer final_server(ReplyWith(Response("200 OK", "X-Final: 1\r\n", "final")));
  LoopbackServer first([&](const Connection& c, const std::string&) {
    c.Send(Response("302 Found",
                    "Location: " + final_server.Address("/end") + "\r\nSet-Cookie: hop=1\r\n",
                    "moved"));
  });
  TimedExchange followed = Get(first.Address());
  EXPECT_EQ(followed.page, "final"_t);
  EXPECT_EQ(followed.out.statusText, "200 OK"_t);
  EXPECT_EQ(followed.out.rawHeaders.bytes(),
            "HTTP/1.1 200 OK\r\nX-Final: 1\r\nContent-Length: 5\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(followed.out.receivedCookies, Text{});
  ASSERT_EQ(final_server.Requests().size(), 1u);
  EXPECT_EQ(final_server.Requests()[0].substr(0, 9), "GET /end ");

  RequestOptions options;
  options.url = B(first.Address());
  options.disableRedirects = true;
  TimedExchange held = FetchTimed(options);
  EXPECT_EQ(held.page, "moved"_t);
  EXPECT_EQ(held.out.statusText, "302 Found"_t);
  EXPECT_EQ(held.out.location, B(final_server.Address("/end")));
  EXPECT_EQ(held.out.receivedCookies, "hop=1"_t);
  EXPECT_EQ(final_server.Requests().size(), 1u);
}

TEST(WebRequestOverCurl, CookiesAcrossARedirect) {
  LoopbackServer server([](const Connection& c, const std::string& request) {
    if (request.starts_with("GET /start")) {
      c.Send(Response("302 Found", "Location: /next\r\nSet-Cookie: leg=1; path=/\r\n", ""));
    } else {
      c.Send(Response("200 OK", "Set-Cookie: last=2\r\n", "end"));
    }
  });
  RequestOptions without;
  without.url = B(server.Address("/start"));
  FetchTimed(without);
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1].find("Cookie"), std::string::npos);  // the client keeps none

  RequestOptions with;
  with.url = B(server.Address("/start"));
  with.cookies = "mine=0"_t;
  TimedExchange e = FetchTimed(with);
  ASSERT_EQ(server.Requests().size(), 4u);
  EXPECT_NE(server.Requests()[2].find("\r\nCookie: mine=0\r\n"), std::string::npos);
  EXPECT_NE(server.Requests()[3].find("leg=1"), std::string::npos);
  EXPECT_EQ(*with.cookies, "last=2; mine=0"_t);
  EXPECT_EQ(e.out.receivedCookies, "last=2"_t);
}

TEST(WebRequestOverCurl, CredentialsAndCookieLineStayWithTheFirstHost) {
  LoopbackServer other(ReplyWith(Response("200 OK", "", "other")));
  LoopbackServer first(
      ReplyWith(Response("302 Found", "Location: " + other.Address("/") + "\r\n", "")));
  RequestOptions options;
  options.url = B(first.Address());
  options.userName = "u"_t;
  options.password = "p"_t;
  options.cookies = "secret=1"_t;
  EXPECT_EQ(FetchTimed(options).page, "other"_t);
  ASSERT_EQ(other.Requests().size(), 1u);
  EXPECT_NE(first.Requests()[0].find("Authorization: Basic"), std::string::npos);
  EXPECT_EQ(other.Requests()[0].find("Authorization"), std::string::npos);
  EXPECT_EQ(other.Requests()[0].find("secret"), std::string::npos);
}

TEST(WebRequestOverCurl, EnvironmentProxyIsIgnored) {
  LoopbackServer server(ReplyWith(Response("200 OK", "", "direct")));
  setenv("http_proxy", "http://127.0.0.1:9", 1);
  setenv("HTTPS_PROXY", "http://127.0.0.1:9", 1);
  TimedExchange e = Get(server.Address());
  unsetenv("http_proxy");
  unsetenv("HTTPS_PROXY");
  EXPECT_EQ(e.page, "direct"_t);
}

}  // namespace
}  // namespace mlf
