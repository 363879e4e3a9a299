#include "scrape/search_site.h"

#include <cstdlib>

#include "text/text_numbers.h"
#include "text/text_ops.h"
#include "text/text_search.h"

namespace mlf {

namespace {

constexpr const char* kDefaultSiteHost = "search.milianfang.example";

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

Text EscapeKeyword(const Text& keyword) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(keyword.size() * 3);
  for (unsigned char c : keyword.bytes()) {
    if (c >= 0x80 || IsUnreserved(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return Text::FromBytes(out);
}

}  // namespace

Text SearchSiteHost() {
  const char* site = std::getenv("MILIANFANG_SITE");
  return Text::FromBytes(site != nullptr && *site != '\0' ? site : kDefaultSiteHost);
}

Text BuildQueryAddress(const Text& keyword, int page) {
  return Concat("http://"_t, SearchSiteHost(), "/search?keyword="_t, EscapeKeyword(keyword),
                "&p="_t, ToText(page));
}

int ExtractPageField(const Text& pageText, const Text& marker) {
  return ToInteger(ToNumber(TextBetween(pageText, marker, ","_t)));
}

}  // namespace mlf
