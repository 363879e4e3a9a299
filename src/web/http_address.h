// Addresses as the HTTP client takes them apart and puts them on the wire.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "web/http_transport.h"

namespace mlf {

// scheme://[user[:password]@]host[:port][/path][?query][#fragment], scheme http or https
// in any case, port 1 to 65535 (80 or 443 when absent). False for anything else.
bool CrackHttpAddress(std::u16string_view url, CrackedAddress& parts);

// The object name as it goes on the wire: UTF-8, with controls, space, bytes of 0x80
// and above and the characters " # < > \ ^ ` { | } percent-encoded; "%" and the
// delimiters stay as written.
std::string WireObjectName(std::u16string_view objectName);

// "http[s]://host:port" + object name; an IPv6 host in brackets.
std::string WireAddress(bool secure, std::u16string_view host, int port,
                        std::u16string_view objectName);

// From a proxy list ("[scheme=][scheme://]host[:port]" entries separated by ";" or
// blanks), the proxy for a plain or a secure request as "http://host:port" (port 80 when
// absent); nothing when no entry applies.
std::optional<std::string> ProxyFor(std::u16string_view proxyList, bool secure);

}  // namespace mlf
