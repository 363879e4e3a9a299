// The HTTP client over libcurl: HTTP/1.1 only, http and https only, TLS verified, no
// proxy unless one is named (the *_proxy environment is ignored), redirects followed by
// our own loop (at most 10, never from https to http, credentials and the caller's
// cookie line never sent to another host), per-phase time-outs with deadlines a
// trickling server cannot stretch, a cap on the body's size, and each failure reported at
// the step where it happened: sending, waiting for the response, or reading the body.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "web/http_transport.h"

namespace mlf {

class CurlTransport : public HttpTransport {
 public:
  // `caFile`: certificates to trust instead of the system's (a private site, tests).
  explicit CurlTransport(std::string caFile = {});
  ~CurlTransport() override;

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

  struct Session;
  struct Connection;
  struct Request;

 private:
  Request* FindRequest(HttpHandle handle);

  std::string ca_file_;
  HttpHandle next_handle_ = 1;
  std::map<HttpHandle, std::unique_ptr<Session>> sessions_;
  std::map<HttpHandle, std::unique_ptr<Connection>> connections_;
  std::map<HttpHandle, std::unique_ptr<Request>> requests_;
};

}  // namespace mlf
