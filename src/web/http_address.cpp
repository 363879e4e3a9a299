#include "web/http_address.h"

#include "text/code_page.h"

namespace mlf {

namespace {

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? c + 32 : c;
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(s[i]) != prefix[i]) return false;
  }
  return true;
}

// "host[:port]" (host possibly "[v6]") into its parts; false for an empty host or a bad port.
bool SplitHostPort(std::u16string_view authority, std::u16string& host, int& port) {
  std::size_t port_colon = std::u16string_view::npos;
  if (!authority.empty() && authority.front() == u'[') {
    std::size_t close = authority.find(u']');
    if (close == std::u16string_view::npos) return false;
    host = authority.substr(1, close - 1);
    if (close + 1 < authority.size()) {
      if (authority[close + 1] != u':') return false;
      port_colon = close + 1;
    }
  } else {
    port_colon = authority.rfind(u':');
    host = authority.substr(0, port_colon);
  }
  if (host.empty()) return false;
  if (port_colon == std::u16string_view::npos) return true;
  std::u16string_view digits = authority.substr(port_colon + 1);
  if (digits.empty()) return true;  // "host:" keeps the default port
  if (digits.size() > 5) return false;
  int value = 0;
  for (char16_t d : digits) {
    if (d < u'0' || d > u'9') return false;
    value = value * 10 + (d - u'0');
  }
  if (value < 1 || value > 65535) return false;
  port = value;
  return true;
}

}  // namespace

bool CrackHttpAddress(std::u16string_view url, CrackedAddress& parts) {
  CrackedAddress out;
  std::u16string_view rest;
  if (StartsWithNoCase(url, u"http://")) {
    rest = url.substr(7);
    out.port = 80;
  } else if (StartsWithNoCase(url, u"https://")) {
    rest = url.substr(8);
    out.port = 443;
    out.secure = true;
  } else {
    return false;
  }
  std::size_t authority_end = rest.find_first_of(u"/?#");
  std::u16string_view authority = rest.substr(0, authority_end);
  if (std::size_t at = authority.rfind(u'@'); at != std::u16string_view::npos) {
    authority.remove_prefix(at + 1);  // credentials in the address are not used
  }
  for (char16_t c : authority) {
    if (c <= u' ' || c == u'\x7f') return false;
  }
  if (!SplitHostPort(authority, out.host, out.port)) return false;
  if (authority_end != std::u16string_view::npos) {
    std::u16string_view tail = rest.substr(authority_end);
    std::size_t query = tail.front() == u'/' ? tail.find_first_of(u"?#") : 0;
    out.path = tail.substr(0, query);
    if (query != std::u16string_view::npos) out.extra = tail.substr(query);
  }
  parts = std::move(out);
  return true;
}

std::string WireObjectName(std::u16string_view objectName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  static constexpr std::string_view kUnsafe = "\"#<>\\^`{|}";
  std::string utf8 = Utf16ToUtf8(objectName), wire;
  wire.reserve(utf8.size());
  for (unsigned char c : utf8) {
    if (c <= 0x20 || c >= 0x7F || kUnsafe.find(static_cast<char>(c)) != std::string_view::npos) {
      wire += '%';
      wire += kHex[c >> 4];
      wire += kHex[c & 0xF];
    } else {
      wire += static_cast<char>(c);
    }
  }
  return wire;
}

std::string WireAddress(bool secure, std::u16string_view host, int port,
                        std::u16string_view objectName) {
  std::string h = Utf16ToUtf8(host);
  if (h.find(':') != std::string::npos) h = "[" + h + "]";
  return std::string(secure ? "https://" : "http://") + h + ":" + std::to_string(port) +
         WireObjectName(objectName);
}

std::optional<std::string> ProxyFor(std::u16string_view proxyList, bool secure) {
  std::u16string_view scheme = secure ? u"https" : u"http";
  std::optional<std::string> fallback;
  std::size_t i = 0;
  while (i < proxyList.size()) {
    std::size_t end = proxyList.find_first_of(u"; ", i);
    if (end == std::u16string_view::npos) end = proxyList.size();
    std::u16string_view entry = proxyList.substr(i, end - i);
    i = end + 1;
    if (entry.empty()) continue;
    bool for_this_scheme = true, scheme_named = false;
    if (std::size_t eq = entry.find(u'='); eq != std::u16string_view::npos) {
      scheme_named = true;
      for_this_scheme = entry.substr(0, eq) == scheme;
      entry.remove_prefix(eq + 1);
    }
    if (StartsWithNoCase(entry, u"http://")) entry.remove_prefix(7);
    std::u16string host;
    int port = 80;
    while (!entry.empty() && entry.back() == u'/') entry.remove_suffix(1);
    if (!for_this_scheme || !SplitHostPort(entry, host, port)) continue;
    std::string h = Utf16ToUtf8(host);
    if (h.find(':') != std::string::npos) h = "[" + h + "]";
    std::string proxy = "http://" + h + ":" + std::to_string(port);
    if (scheme_named) return proxy;
    if (!fallback) fallback = proxy;
  }
  return fallback;
}

}  // namespace mlf
