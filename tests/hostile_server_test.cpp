// Hostile and broken servers and pages, each against a loopback server of its own and
// bounded in time. Each case prints "HOSTILE | case | seconds | peak MB | outcome" and
// then checks that a good site still answers.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "scrape/result_extraction.h"
#include "support/loopback_server.h"
#include "support/timed_exchange.h"
#include "test_text.h"
#include "text/text_ops.h"
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

// Outputs that a failed request must leave as they were.
ResponseOutputs Sentinels() {
  ResponseOutputs before;
  before.rawHeaders = "(untouched)"_t;
  before.location = "(untouched)"_t;
  return before;
}

TimedExchange Fetch(RequestOptions& options) {
  return FetchTimed(options, Sentinels());
}

TimedExchange Get(const LoopbackServer& server, int timeoutSeconds = 2) {
  RequestOptions options;
  options.url = B(server.Address("/search?keyword=x&p=1"));
  options.timeoutSeconds = timeoutSeconds;
  return Fetch(options);
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

void Report(const char* name, const TimedExchange& o, const std::string& outcome) {
  std::printf("HOSTILE | %s | %.2f s | %.0f MB | %s\n", name, o.seconds, PeakMegabytes(),
              outcome.c_str());
  // The routine is still usable afterwards.
  LoopbackServer good(
      [](const Connection& c, const std::string&) { c.Send(Response("200 OK", "", "fine")); });
  EXPECT_EQ(Get(good).page, "fine"_t);
}

std::string Status(const TimedExchange& o) {
  return TextToUtf8(o.out.statusText);
}

TEST(HostileServer, HeadersOneByteEverySecond) {
  LoopbackServer server([](const Connection& c, const std::string&) {
    std::string head = "HTTP/1.1 200 OK\r\nX-Slow: " + std::string(30, 'a');
    for (char ch : head) {
      if (!c.Send(std::string(1, ch))) return;
      std::this_thread::sleep_for(1s);
    }
  });
  TimedExchange o = Get(server, 2);
  EXPECT_EQ(o.out.statusText, G("712 服务器未响应!"));
  EXPECT_LT(o.seconds, 4.5);  // the headers' deadline is the receive time-out
  EXPECT_EQ(o.out.rawHeaders, "(untouched)"_t);
  Report("headers one byte every second (time-out 2 s)", o, Status(o));
}

TEST(HostileServer, BodyThatNeverEnds) {
  LoopbackServer server([](const Connection& c, const std::string&) {
    if (!c.Send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")) return;
    std::string chunk = "10000\r\n" + std::string(0x10000, 'x') + "\r\n";
    for (int i = 0; i < 100000 && c.Send(chunk); ++i) {
    }
  });
  TimedExchange o = Get(server, 5);
  EXPECT_EQ(o.out.statusText, G("713 读取数据失败!"));
  EXPECT_EQ(o.page.size(), 256u << 20);  // what came before the cap is kept
  Report("body that never ends (fast)", o,
         Status(o) + ", " + std::to_string(o.page.size() >> 20) + " MB kept");
}

TEST(HostileServer, BodyThatTricklesForever) {
  LoopbackServer server([](const Connection& c, const std::string&) {
    if (!c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n")) return;
    for (int i = 0; i < 400 && c.Send("y"); ++i) std::this_thread::sleep_for(50ms);
  });
  TimedExchange o = Get(server, 1);
  EXPECT_EQ(o.out.statusText, G("713 读取数据失败!"));
  EXPECT_LT(o.seconds, 13);  // ten receive time-outs for the body
  EXPECT_GT(o.page.size(), 100u);
  Report("body trickling a byte every 50 ms (time-out 1 s)", o, Status(o));
}

TEST(HostileServer, BrokenStatusLines) {
  for (std::string line : {"HTTP/1.1 2\r\n\r\n", "HTTP/1\r\n\r\n", "HTTP\r\n\r\n", "\r\n\r\n"}) {
    LoopbackServer server(ReplyWith(line + "body"));
    TimedExchange o = Get(server);
    EXPECT_EQ(o.out.statusText, G("712 服务器未响应!")) << line;
    EXPECT_EQ(o.page, Text{});
    Report(("status line " + testing::PrintToString(line.substr(0, line.size() - 4))).c_str(), o,
           Status(o));
  }
}

TEST(HostileServer, OneMegabyteHeaderLine) {
  LoopbackServer server(ReplyWith("HTTP/1.1 200 OK\r\nX-Big: " + std::string(1 << 20, 'h') +
                                  "\r\nContent-Length: 2\r\n\r\nok"));
  TimedExchange o = Get(server);
  EXPECT_EQ(o.out.statusText, G("712 服务器未响应!"));
  Report("header line of 1 MB", o, Status(o));
}

TEST(HostileServer, TenThousandHeaderLines) {
  std::string headers;
  for (int i = 0; i < 10000; ++i) headers += "X-Line-" + std::to_string(i) + ": v\r\n";
  LoopbackServer server(ReplyWith(Response("200 OK", headers, "page")));
  TimedExchange o = Get(server);
  EXPECT_EQ(o.out.statusText, "200 OK"_t);
  EXPECT_EQ(o.page, "page"_t);
  EXPECT_NE(o.out.rawHeaders.bytes().find("X-Line-9999: v\r\n"), std::string::npos);
  Report("10,000 header lines", o, Status(o));
}

TEST(HostileServer, SetCookieStorm) {
  std::string headers;
  for (int i = 0; i < 10000; ++i) headers += "Set-Cookie: c" + std::to_string(i) + "=v; path=/\r\n";
  LoopbackServer server(ReplyWith(Response("200 OK", headers, "page")));
  RequestOptions options;
  options.url = B(server.Address());
  options.cookies = "c1=old; mine=1"_t;
  TimedExchange o = Fetch(options);
  EXPECT_EQ(o.page, "page"_t);
  EXPECT_EQ(TextLeft(*options.cookies, 12), "c0=v; c1=v; "_t);
  EXPECT_TRUE(options.cookies->bytes().ends_with("c9999=v; mine=1"));
  Report("10,000 Set-Cookie lines, cookies supplied", o, Status(o));
}

TEST(HostileServer, MalformedChunks) {
  LoopbackServer server(
      ReplyWith("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\nZZ\r\nxx"));
  TimedExchange o = Get(server);
  EXPECT_EQ(o.out.statusText, G("713 读取数据失败!"));
  EXPECT_EQ(o.page, "hello"_t);
  Report("malformed chunked encoding", o, Status(o) + ", the good chunk kept");
}

TEST(HostileServer, ConnectionResetMidBody) {
  LoopbackServer server([](const Connection& c, const std::string&) {
    c.Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(5000, 'r'));
    std::this_thread::sleep_for(100ms);
    linger reset{1, 0};  // close with RST
    setsockopt(c.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    shutdown(c.fd, SHUT_RDWR);
  });
  TimedExchange o = Get(server);
  EXPECT_EQ(o.out.statusText, G("713 读取数据失败!"));
  EXPECT_EQ(o.page.size(), 5000u);
  Report("connection reset mid-body", o, Status(o) + ", 5000 bytes kept");
}

TEST(HostileServer, RedirectsThatAreNotFollowed) {
  LoopbackServer loop(ReplyWith(Response("302 Found", "Location: /again\r\n", "")));
  TimedExchange looped = Get(loop);
  EXPECT_EQ(looped.out.statusText, G("712 服务器未响应!"));
  EXPECT_EQ(loop.Requests().size(), 11u);  // the first request and ten redirects
  Report("redirect loop", looped, Status(looped));

  for (std::string target : {"ftp://127.0.0.1/x", "file:///etc/passwd"}) {
    LoopbackServer server(ReplyWith(Response("302 Found", "Location: " + target + "\r\n", "")));
    TimedExchange o = Get(server);
    EXPECT_EQ(o.out.statusText, G("712 服务器未响应!"));
    Report(("redirect to " + target).c_str(), o, Status(o));
  }
}

TEST(HostileServer, WrongPasswordGetsTheRefusal) {
  LoopbackServer server(
      ReplyWith(Response("401 Unauthorized", "WWW-Authenticate: Basic realm=\"x\"\r\n", "denied")));
  RequestOptions options;
  options.url = B(server.Address());
  options.userName = "user"_t;
  options.password = "wrong"_t;
  TimedExchange o = Fetch(options);
  EXPECT_EQ(o.out.statusText, "401 Unauthorized"_t);
  EXPECT_EQ(o.page, "denied"_t);
  EXPECT_EQ(server.Requests().size(), 1u);  // asked once, not again and again
  Report("401 with a wrong password", o, Status(o));
}

TEST(HostileServer, TwoHundredMegabyteBody) {
  LoopbackServer server([](const Connection& c, const std::string&) {
    std::size_t total = 200u << 20;
    if (!c.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(total) + "\r\n\r\n")) return;
    std::string block(1 << 20, 'b');
    for (std::size_t sent = 0; sent < total && c.Send(block); sent += block.size()) {
    }
  });
  TimedExchange o = Get(server, 10);
  EXPECT_EQ(o.out.statusText, "200 OK"_t);
  EXPECT_EQ(o.page.size(), 200u << 20);
  EXPECT_EQ(o.out.body.size(), 200u << 20);
  Report("body of 200 MB", o, Status(o) + ", all bytes");
}

std::string Entry(int i) {
  return "<div><span>收录时间：<span class=\"prop_val\">2024-01-01</span></span>\n"
         "<span>大小：<span class=\"prop_val\">1 GB</span></span>\n"
         "<span>文件数：<span class=\"prop_val\">" +
         std::to_string(i) + "</span></span> <a href=\"magnet:?xt=urn:btih:" + std::to_string(i) +
         "&xl=1&dn=entry " + std::to_string(i) + "\">\n<img></a></div>\n";
}

TEST(HostilePage, OneHundredThousandEntries) {
  std::string page;
  for (int i = 1; i <= 100000; ++i) page += Entry(i);
  LoopbackServer server(ReplyWith(Response("200 OK", "", TextFromUtf8(page).bytes())));
  TimedExchange o = Get(server, 10);
  auto start = std::chrono::steady_clock::now();
  PatternMatcher matcher;
  int rows = MatchResultRows(matcher, o.page);
  ResultRow last = ResultRowAt(matcher, rows);
  o.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(rows, 100000);
  EXPECT_EQ(last.Name, "entry 100000"_t);
  Report("page with 100,000 entries (fetch and extraction)", o, std::to_string(rows) + " rows");
}

TEST(HostilePage, ManyEntryBeginningsWithoutEnds) {
  // Beginnings whose labels all come, but whose links never close as an entry must; one
  // real entry at the end. The lazy gaps are tried across all of them.
  std::string broken =
      "<span>收录时间：<span class=\"prop_val\">x</span></span>\n<span>大小：<span "
      "class=\"prop_val\">y</span></span>\n"
      "<span>文件数：<span class=\"prop_val\">z</span></span> <a href=\"nolink\">\n";
  std::string page;
  for (int i = 0; i < 20000; ++i) page += broken;
  page += Entry(7);
  LoopbackServer server(ReplyWith(Response("200 OK", "", TextFromUtf8(page).bytes())));
  TimedExchange o = Get(server, 10);
  auto start = std::chrono::steady_clock::now();
  PatternMatcher matcher;
  int rows = MatchResultRows(matcher, o.page);
  o.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // The pattern's lazy gaps join the first beginning to the one real link: one row, as
  // the pattern reads the page.
  ASSERT_EQ(rows, 1);
  EXPECT_EQ(ResultRowAt(matcher, 1).Name, "entry 7"_t);
  EXPECT_EQ(ResultRowAt(matcher, 1).Date, "x"_t);
  EXPECT_LT(o.seconds, 5);
  Report("20,000 entry beginnings without their ends", o, std::to_string(rows) + " row");
}

}  // namespace
}  // namespace mlf
