// GBK ↔ UTF-16 ↔ UTF-8 with arbitrary bytes, against the converter run on the whole text.
#include <unicode/ucnv.h>

#include "fuzz_input.h"
#include "text/byte_set.h"
#include "text/code_page.h"

using namespace mlf;

namespace {

std::u16string ReferenceDecode(std::string_view bytes) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* c = ucnv_open("windows-936-2000", &error);
  std::u16string out(bytes.size() + 2, u'\0');
  int32_t n = ucnv_toUChars(c, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                            static_cast<int32_t>(bytes.size()), &error);
  ucnv_close(c);
  out.resize(U_SUCCESS(error) ? n : 0);
  for (char16_t& u : out) {
    if (u == 0xFFFD) u = u'?';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Text text = Text::FromBytes(bytes);
  std::u16string units = ToUtf16(text.view());
  fuzz::Check(units == ReferenceDecode(text.view()), "the fast decoder agrees with the converter");

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
