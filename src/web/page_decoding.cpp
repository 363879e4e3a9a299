#include "web/page_decoding.h"

#include "text/process_events.h"
#include "text/text_numbers.h"
#include "text/text_ops.h"
#include "web/charset_decoder.h"

namespace mlf {

const Text& CharsetDeclarationPattern() {
  static const Text pattern = "<meta.+?charset=[^\\w]?([-\\w]+)"_t;
  return pattern;
}

Text DecodePageText(const ByteSet& body, PatternMatcher& matcher) {
  static const Text gbk = "gbk"_t, gb2312 = "gb2312"_t;
  Text page = ToText(body);
  if (!matcher.Create(CharsetDeclarationPattern(), TextLeft(page, 1024))) {
    ProcessEvents();
    return page;
  }
  Text name = matcher.SubmatchText(1, 1);
  if (TextLength(name) > 0 && !TextEquals(name, gbk) && !TextEquals(name, gb2312)) {
    if (std::optional<Text> decoded = DecodeCharset(body, name)) page = *decoded;
  }
  ProcessEvents();
  ProcessEvents();
  return page;
}

}  // namespace mlf
