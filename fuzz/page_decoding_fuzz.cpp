// Fuzzed bodies and charset names through page decoding.
#include "fuzz_input.h"
#include "web/charset_decoder.h"
#include "web/page_decoding.h"

using namespace mlf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  Text name = input.TextPart();
  std::string_view rest = input.Rest();
  ByteSet body(rest.begin(), rest.end());
  PatternMatcher matcher;
  (void)DecodePageText(body, matcher);
  (void)DecodeCharset(body, name);
  return 0;
}
