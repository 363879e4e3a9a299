// GBK ↔ UTF-16 ↔ UTF-8 with arbitrary bytes, against the converter run on the whole text.
#include "support/reference_decode.h"

#include "fuzz_input.h"
#include "text/byte_set.h"
#include "text/code_page.h"

using namespace mlf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Text text = Text::FromBytes(bytes);
  std::u16string units = ToUtf16(text.view());
  fuzz::Check(units == testing_support::ReferenceDecode(text.view()),
              "the fast decoder agrees with the converter");

  // One round trip settles a text: the second gives the first back.
  Text once = WideToAnsi(AnsiToWide(text));
  fuzz::Check(WideToAnsi(AnsiToWide(once)) == once, "round trips settle after one");

  // Arbitrary UTF-16 (unpaired surrogates, marks, zero units) and UTF-8 at the edges.
  std::u16string raw(size / 2, u'\0');
  for (std::size_t i = 0; i < raw.size(); ++i)
    raw[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  (void)FromUtf16(raw);
  (void)WideToAnsi(ByteSet(data, data + size));
  Text from_utf8 = TextFromUtf8(bytes);
  (void)TextToUtf8(from_utf8);
  (void)Utf16ToUtf8(raw);
  return 0;
}
