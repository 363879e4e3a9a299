// The request routine over libcurl through a real proxy (tinyproxy, with Basic
// authentication) and against a real TLS server (openssl s_server).
#include <gtest/gtest.h>

#include <fstream>

#include "support/child_process.h"
#include "support/loopback_server.h"
#include "support/timed_exchange.h"
#include "test_text.h"
#include "web/curl_transport.h"
#include "web/web_request.h"

namespace mlf {
namespace {

using testing_support::ChildProcess;
using testing_support::Connection;
using testing_support::FreePort;
using testing_support::LoopbackServer;
using testing_support::Response;
using testing_support::TemporaryDirectory;

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

Text Fetch(RequestOptions& options, ResponseOutputs& out, const std::string& caFile = {}) {
  testing_support::TimedExchange exchange = testing_support::FetchTimed(options, {}, caFile);
  out = exchange.out;
  return exchange.page;
}

// openssl s_server with a fresh self-signed certificate for 127.0.0.1. With -HTTP it
// answers GET /NAME with the file NAME, which holds a whole HTTP response.
class TlsSite {
 public:
  explicit TlsSite(const std::vector<std::pair<std::string, std::string>>& files) {
    dir_ = TemporaryDirectory();
    made_ = std::system(("cd " + dir_ +
                         " && openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out "
                         "cert.pem -days 1 -subj /CN=127.0.0.1 -addext "
                         "subjectAltName=IP:127.0.0.1 >/dev/null 2>&1")
                            .c_str()) == 0;
    for (const auto& [name, content] : files) WriteFile(dir_ + "/" + name, content);
    port_ = FreePort();
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"openssl", "s_server", "-quiet", "-accept",
                                 "127.0.0.1:" + std::to_string(port_), "-cert", "cert.pem", "-key",
                                 "key.pem", "-HTTP"},
        dir_, port_);
  }
  ~TlsSite() {
    server_.reset();
    std::system(("rm -rf " + dir_).c_str());
  }
  bool ready() const { return made_ && server_->ready(); }
  std::string Url(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(port_) + path;
  }
  std::string Certificate() const { return dir_ + "/cert.pem"; }

 private:
  std::string dir_;
  bool made_ = false;
  int port_ = 0;
  std::unique_ptr<ChildProcess> server_;
};

const char kSecurePage[] = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nsecure page";

class TlsServer : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(site_.ready()); }
  std::string Url(const std::string& path) { return site_.Url(path); }

  LoopbackServer plain_{
      [](const Connection& c, const std::string&) { c.Send(Response("200 OK", "", "plain")); }};
  TlsSite site_{
      {{"page", kSecurePage},
       {"down", "HTTP/1.0 302 Found\r\nLocation: " + plain_.Address("/") + "\r\n\r\nmoved"}}};
};

TEST_F(TlsServer, AnUntrustedCertificateFailsTheSend) {
  RequestOptions options;
  options.url = B(Url("/page"));
  ResponseOutputs out;
  EXPECT_EQ(Fetch(options, out), Text{});
  EXPECT_EQ(out.statusText, G("711 发送请求失败!"));
}

TEST_F(TlsServer, ATrustedCertificateAndNoWayBackToPlainHttp) {
  RequestOptions options;
  options.url = B(Url("/page"));
  ResponseOutputs out;
  EXPECT_EQ(Fetch(options, out, site_.Certificate()), "secure page"_t);
  EXPECT_EQ(out.statusText, "200 OK"_t);

  // A redirect from https to http is not followed: the 302 is the result.
  RequestOptions down;
  down.url = B(Url("/down"));
  ResponseOutputs moved;
  EXPECT_EQ(Fetch(down, moved, site_.Certificate()), "moved"_t);
  EXPECT_EQ(moved.statusText, "302 Found"_t);
  EXPECT_TRUE(plain_.Requests().empty());
}

class Proxy : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = TemporaryDirectory();
    port_ = FreePort();
    WriteFile(dir_ + "/tinyproxy.conf", "Port " + std::to_string(port_) +
                                            "\nListen 127.0.0.1\nTimeout 10\nAllow 127.0.0.1\n"
                                            "BasicAuth user pass\nMaxClients 20\n"
                                            "DisableViaHeader Yes\nLogLevel Critical\n"
                                            "User nobody\nGroup nogroup\n");
    proxy_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"tinyproxy", "-d", "-c", "tinyproxy.conf"}, dir_, port_);
    ASSERT_TRUE(proxy_->ready()) << "tinyproxy did not start (scripts/setup installs it)";
  }
  void TearDown() override {
    proxy_.reset();
    std::system(("rm -rf " + dir_).c_str());
  }

  LoopbackServer site_{[](const Connection& c, const std::string&) {
    c.Send(Response("200 OK", "", "through the proxy"));
  }};
  std::string dir_;
  int port_ = 0;
  std::unique_ptr<ChildProcess> proxy_;
};

TEST_F(Proxy, NamedProxyWithBasicCredentials) {
  RequestOptions options;
  options.url = B(site_.Address("/x?y=1"));
  options.proxy = B("127.0.0.1:" + std::to_string(port_));
  options.proxyUserName = "user"_t;
  options.proxyPassword = "pass"_t;
  options.timeoutSeconds = 5;
  ResponseOutputs out;
  EXPECT_EQ(Fetch(options, out), "through the proxy"_t);
  EXPECT_EQ(out.statusText, "200 OK"_t);
  ASSERT_EQ(site_.Requests().size(), 1u);
  EXPECT_EQ(site_.Requests()[0].substr(0, 14), "GET /x?y=1 HTT");
  EXPECT_NE(site_.Requests()[0].find("User-Agent: Mozilla/5.0 (compatible; MSIE 9.0"),
            std::string::npos);

  // Without the credentials the proxy answers for itself.
  options.proxyPassword = Text{};
  ResponseOutputs refused;
  Fetch(options, refused);
  EXPECT_EQ(refused.statusText.bytes().substr(0, 3), "407");
  EXPECT_EQ(site_.Requests().size(), 1u);
}

TEST_F(Proxy, SecureRequestsTunnelAndShowOnlyTheSitesHeaders) {
  TlsSite secure({std::make_pair(std::string("page"), std::string(kSecurePage))});
  ASSERT_TRUE(secure.ready());
  RequestOptions options;
  options.url = B(secure.Url("/page"));
  options.proxy = B("127.0.0.1:" + std::to_string(port_));  // no "http=": for https
  options.proxyUserName = "user"_t;
  options.proxyPassword = "pass"_t;
  options.timeoutSeconds = 5;
  ResponseOutputs out;
  EXPECT_EQ(Fetch(options, out, secure.Certificate()), "secure page"_t);
  // The proxy's "200 Connection established" is not the response's header block.
  EXPECT_EQ(out.rawHeaders.bytes(), "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n");
}

}  // namespace
}  // namespace mlf
