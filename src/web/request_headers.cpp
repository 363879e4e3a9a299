#include "web/request_headers.h"

#include "text/code_page.h"
#include "text/text_ops.h"
#include "text/text_search.h"

namespace mlf {

namespace {

struct DefaultHeader {
  Text probe;
  bool ignoreCase;
  Text line;
};

// Probed in this order over the whole block as it grows. The probes are substring
// searches, so "X-Accept: 1" holds "Accept: "; Content-Type alone has no blank after its
// colon and is matched in exact case.
const std::vector<DefaultHeader>& DefaultRequestHeaders() {
  static const std::vector<DefaultHeader> table = {
      {"User-Agent: "_t, true,
       "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"_t},
      {"Accept: "_t, true, "Accept: text/html, application/xhtml+xml, */*\r\n"_t},
      {"Accept-Encoding: "_t, true, "Accept-Encoding: gbk, GB2312\r\n"_t},
      {"Accept-Language: "_t, true, "Accept-Language: zh-cn\r\n"_t},
      {"Content-Type:"_t, false, "Content-Type: application/x-www-form-urlencoded\r\n"_t},
      {"Cache-Control: "_t, true, "Cache-Control: no-cache\r\n"_t},
  };
  return table;
}

}  // namespace

Text BuildRequestHeaders(const Text& extraHeaders, const Text& cookies) {
  static const Text crlf = "\r\n"_t;
  static const Text cookie_probe = "Cookie: "_t;
  Text block;
  if (TextLength(extraHeaders) > 0) block = Concat(extraHeaders, crlf);
  for (const DefaultHeader& row : DefaultRequestHeaders()) {
    if (FindText(block, row.probe, 1, row.ignoreCase) == -1) block = Concat(block, row.line);
  }
  if (FindText(block, cookie_probe, 1, true) == -1 && TextLength(cookies) > 0) {
    block = Concat(block, cookie_probe, cookies, crlf);
  }
  return block;
}

bool AttachRequestHeaders(HttpTransport& transport, HttpHandle request, const Text& block) {
  return transport.AddRequestHeaders(request, ToUtf16(block.view()));
}

}  // namespace mlf
