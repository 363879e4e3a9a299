#include "web/response_headers.h"

#include "text/code_page.h"
#include "text/process_events.h"
#include "text/text_array.h"
#include "text/text_ops.h"
#include "text/text_search.h"
#include "web/cookie_merge.h"

namespace mlf {

void ApplyResponseHeaderBlock(const Text& block, std::optional<Text>& cookies,
                              ResponseOutputs& outputs) {
  static const Text crlf = "\r\n"_t, set_cookie = "Set-Cookie"_t,
                    set_cookie_colon = "Set-Cookie:"_t, semicolon = ";"_t, item_separator = "; "_t,
                    location_prefix = "Location: "_t;

  // The status line is "HTTP/1.1 200 OK": the status text starts at byte 10.
  int line_end = FindText(block, crlf, 10, false);
  outputs.statusText = TextMid(block, 10, line_end - 10);
  outputs.rawHeaders = ReplaceText(block, set_cookie, set_cookie, false);

  Text received;  // afresh: what the caller's output held before is not carried over
  TextArray lines = SplitText(outputs.rawHeaders, crlf);
  for (int i = 1, n = MemberCount(lines); i <= n; ++i) {
    const Text& line = MemberAt(lines, i);
    if (FindText(line, set_cookie, 1, false) != -1) {
      Text item = FindText(line, semicolon, 1, false) != -1
                      ? TextBetween(line, set_cookie_colon, semicolon)
                      : ReplaceText(line, set_cookie_colon, Text{}, false);
      received = Concat(received, TrimBoth(item), item_separator);
    }
    if (CompareText(TextLeft(line, 10), location_prefix, false) == 0) {
      outputs.location = TextMid(line, 11, TextLength(line) - 10);
    }
    ProcessEvents();
  }
  outputs.receivedCookies = TextLeft(received, TextLength(received) - 2);
  if (cookies) MergeCookies(*cookies, outputs.receivedCookies);
}

bool ReadResponseHeaders(HttpTransport& transport, HttpHandle request, ByteSet&& received,
                         std::optional<Text>& cookies, ResponseOutputs& outputs) {
  std::u16string block;
  if (!transport.QueryRawHeaders(request, block)) return false;
  ApplyResponseHeaderBlock(FromUtf16(block), cookies, outputs);
  outputs.body = std::move(received);
  return true;
}

}  // namespace mlf
