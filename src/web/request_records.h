// The inputs and outputs of one web request.
#pragma once

#include <optional>

#include "text/text.h"

namespace mlf {

enum RequestMethod : int { kGet = 0, kPost = 1, kHead = 2, kPut = 3 };

// What the caller asks for. Every field but `url` has a default, and only `cookies`
// tells "not supplied" apart from its empty value: a supplied cookie text, empty or
// not, turns the client's own cookie handling on and is merged with what the server
// sends back.
struct RequestOptions {
  Text url;
  int method = kGet;  // any other number means GET
  Text postData;      // sent as it is, without conversion
  std::optional<Text> cookies;
  Text extraHeaders;  // the caller's header lines, joined by CR LF
  bool disableRedirects = false;
  Text userName;
  Text password;
  Text proxy;  // host:port; empty: no proxy
  Text proxyUserName;
  Text proxyPassword;
  int timeoutSeconds = 0;  // per phase; 0 or less means 30 seconds
};

// What the exchange hands back besides the page text. A field keeps the value it held
// until the request writes it; on a failure only `statusText` is written.
struct ResponseOutputs {
  Text receivedCookies;  // name=value items set by the response, joined by "; "
  Text rawHeaders;       // the response header block, lines ending in CR LF
  Text location;         // from a "Location: " header
  Text statusText;       // "200 OK", or a numbered failure message
  ByteSet body;          // the body bytes as received
};

}  // namespace mlf
