// The HTTP client the request routine works through, in the routine's own steps: a
// session (with or without a proxy), a connection to a host, a request on it, its
// options, sending, receiving, reading the body in pieces and the response headers.
// Texts cross this interface as UTF-16, as the routine hands them over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/text.h"

namespace mlf {

// An open session, connection or request; 0 is none.
using HttpHandle = std::uint64_t;

struct CrackedAddress {
  std::u16string host;
  int port = 0;  // the scheme's default when the address names none
  bool secure = false;
  std::u16string path;   // from the first "/" up to the query; empty when the address has none
  std::u16string extra;  // the query ("?..."), and a fragment, as written
};

enum class AuthTarget { kServer, kProxy };

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;

  // Whether the client can make HTTP requests at all.
  virtual bool CheckClient() = 0;
  // Splits an http or https address; false for anything else.
  virtual bool CrackAddress(std::u16string_view url, CrackedAddress& parts) = 0;
  // `proxy` empty: direct. Otherwise a list of "[scheme=]host[:port]" entries.
  virtual HttpHandle OpenSession(std::u16string_view proxy) = 0;
  virtual HttpHandle Connect(HttpHandle session, std::u16string_view host, int port) = 0;
  virtual HttpHandle OpenRequest(HttpHandle connection, std::u16string_view verb,
                                 std::u16string_view objectName, bool secure) = 0;
  virtual bool SetTimeouts(HttpHandle request, int resolveMs, int connectMs, int sendMs,
                           int receiveMs) = 0;
  // Basic credentials, sent with the first request.
  virtual bool SetCredentials(HttpHandle request, AuthTarget target, std::u16string_view user,
                              std::u16string_view password) = 0;
  // On: the client keeps the cookies the server sets within this request (redirects) and
  // sends them back. Off: it neither keeps nor sends cookies of its own.
  virtual bool SetClientCookies(HttpHandle request, bool on) = 0;
  // The first response, redirect or not, is the result.
  virtual bool DisableRedirects(HttpHandle request) = 0;
  // Header lines separated by CR LF; each is added, replacing one of the same name.
  virtual bool AddRequestHeaders(HttpHandle request, std::u16string_view headers) = 0;
  virtual bool Send(HttpHandle request, const ByteSet& body) = 0;
  virtual bool ReceiveResponse(HttpHandle request) = 0;
  // Bytes ready to read now; 0 at the end of the body.
  virtual bool QueryDataAvailable(HttpHandle request, std::size_t& available) = 0;
  virtual bool ReadData(HttpHandle request, std::uint8_t* buffer, std::size_t size,
                        std::size_t& read) = 0;
  // The final response's header block: status line first, every line ending in CR LF,
  // an empty line last.
  virtual bool QueryRawHeaders(HttpHandle request, std::u16string& headers) = 0;
  // Closing 0 does nothing.
  virtual void Close(HttpHandle handle) = 0;
};

}  // namespace mlf
