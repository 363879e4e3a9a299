// An HTTP client for tests that plays a scripted response, records every call, and
// fails at whichever step the test names.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "web/http_transport.h"

namespace mlf::testing_support {

class ScriptedTransport : public HttpTransport {
 public:
  // The step to fail: "CheckClient", "CrackAddress", "OpenSession", "Connect",
  // "OpenRequest", "SetTimeouts", "SetCredentials:server", "SetCredentials:proxy",
  // "SetClientCookies", "DisableRedirects", "AddRequestHeaders", "Send",
  // "ReceiveResponse", "QueryDataAvailable", "ReadData", "QueryRawHeaders".
  std::string failAt;
  std::u16string rawHeaders = u"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
  std::deque<std::string> bodyChunks;

  // What the routine asked for.
  std::vector<std::string> calls;
  std::u16string proxy, verb, objectName, headers, host;
  int port = 0;
  bool secure = false;
  std::vector<int> timeouts;
  std::vector<std::string> credentials;  // "server user:password", "proxy user:password"
  std::vector<int> cookieSettings;       // 1 on, 0 off
  int redirectsDisabled = 0;
  ByteSet sentBody;
  std::vector<HttpHandle> closed;

  bool CheckClient() override;
  bool CrackAddress(std::u16string_view url, CrackedAddress& parts) override;
  HttpHandle OpenSession(std::u16string_view proxy) override;
  HttpHandle Connect(HttpHandle session, std::u16string_view host, int port) override;
  HttpHandle OpenRequest(HttpHandle connection, std::u16string_view verb,
                         std::u16string_view objectName, bool secure) override;
  bool SetTimeouts(HttpHandle request, int resolveMs, int connectMs, int sendMs,
                   int receiveMs) override;
  bool SetCredentials(HttpHandle request, AuthTarget target, std::u16string_view user,
                      std::u16string_view password) override;
  bool SetClientCookies(HttpHandle request, bool on) override;
  bool DisableRedirects(HttpHandle request) override;
  bool AddRequestHeaders(HttpHandle request, std::u16string_view headers) override;
  bool Send(HttpHandle request, const ByteSet& body) override;
  bool ReceiveResponse(HttpHandle request) override;
  bool QueryDataAvailable(HttpHandle request, std::size_t& available) override;
  bool ReadData(HttpHandle request, std::uint8_t* buffer, std::size_t size,
                std::size_t& read) override;
  bool QueryRawHeaders(HttpHandle request, std::u16string& headers) override;
  void Close(HttpHandle handle) override;

  static constexpr HttpHandle kSession = 11, kConnection = 22, kRequest = 33;

 private:
  bool Step(const std::string& name);
};

}  // namespace mlf::testing_support
