#include "text/code_page.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <memory>

#include "text/text_ops.h"

namespace mlf {

namespace {

// The Windows code page 936 table: 0x80 is the euro sign, 0xFF reads as U+F8F5.
constexpr const char* kCodePage936 = "windows-936-2000";

// Invalid or unassigned input reads as "?", the code page's default character.
void ToUnicodeQuestionMark(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                           UConverterCallbackReason reason, UErrorCode* error) {
  if (reason > UCNV_IRREGULAR) return;
  *error = U_ZERO_ERROR;
  const UChar question = u'?';
  ucnv_cbToUWriteUChars(args, &question, 1, 0, error);
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// One converter per direction and thread: opening one costs more than a short conversion.
UConverter* Decoder() {
  thread_local ConverterPtr decoder = [] {
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open(kCodePage936, &error));
    if (c) ucnv_setToUCallBack(c.get(), ToUnicodeQuestionMark, nullptr, nullptr, nullptr, &error);
    return c;
  }();
  return decoder.get();
}

UConverter* Encoder() {
  thread_local ConverterPtr encoder = [] {
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open(kCodePage936, &error));
    if (c) {
      ucnv_setFallback(c.get(), true);  // best fit, as the Windows conversion does by default
      ucnv_setSubstChars(c.get(), "?", 1, &error);
    }
    return c;
  }();
  return encoder.get();
}

// Joins base + non-spacing mark pairs into precomposed characters (not full NFC:
// singletons and mark order stay as they are).
std::u16string ComposePairs(std::u16string_view in) {
  UErrorCode error = U_ZERO_ERROR;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&error);
  std::u16string out;
  out.reserve(in.size());
  int32_t i = 0, n = static_cast<int32_t>(in.size());
  UChar32 base = -1;  // pending character, not yet written
  auto flush = [&] {
    if (base < 0) return;
    UChar buffer[2];
    int32_t len = 0;
    U16_APPEND_UNSAFE(buffer, len, base);
    out.append(buffer, len);
    base = -1;
  };
  while (i < n) {
    UChar32 c;
    U16_NEXT(in.data(), i, n, c);
    if (base >= 0 && nfc != nullptr && u_charType(c) == U_NON_SPACING_MARK) {
      UChar32 composed = unorm2_composePair(nfc, base, c);
      if (composed >= 0) {
        base = composed;
        continue;
      }
    }
    flush();
    base = c;
  }
  flush();
  return out;
}

// Converts one stretch of non-ASCII units (and the character before it) through ICU.
void EncodeThroughIcu(std::u16string_view units, std::string& out) {
  UConverter* encoder = Encoder();
  std::u16string composed = ComposePairs(units);
  if (encoder == nullptr) {
    out.append(composed.size(), '?');
    return;
  }
  std::size_t old_size = out.size();
  int32_t capacity = static_cast<int32_t>(composed.size() * 2 + 4);
  out.resize(old_size + capacity);
  UErrorCode error = U_ZERO_ERROR;
  int32_t written = ucnv_fromUChars(encoder, out.data() + old_size, capacity, composed.data(),
                                    static_cast<int32_t>(composed.size()), &error);
  out.resize(old_size + (U_SUCCESS(error) ? written : 0));
}

void DecodeThroughIcu(std::string_view bytes, std::u16string& out) {
  UConverter* decoder = Decoder();
  if (decoder == nullptr) {
    out.append(bytes.size(), u'?');
    return;
  }
  std::size_t old_size = out.size();
  int32_t capacity = static_cast<int32_t>(bytes.size() + 2);
  out.resize(old_size + capacity);
  UErrorCode error = U_ZERO_ERROR;
  int32_t written = ucnv_toUChars(decoder, out.data() + old_size, capacity, bytes.data(),
                                  static_cast<int32_t>(bytes.size()), &error);
  out.resize(old_size + (U_SUCCESS(error) ? written : 0));
}

}  // namespace

std::u16string ToUtf16(std::string_view gbk) {
  // Pages are mostly ASCII: ASCII bytes are widened directly and only the stretches that
  // start at a byte of 0x80 or more go through the converter. Such a stretch is taken a
  // character at a time (lead byte and the byte after it, or the single bytes 80 and FF)
  // and ends before an ASCII byte that starts a character, so the converter starts and
  // stops at the same character boundaries as on the whole text.
  std::u16string out;
  out.reserve(gbk.size());
  std::size_t i = 0, n = gbk.size();
  while (i < n) {
    if (static_cast<unsigned char>(gbk[i]) < 0x80) {
      out += static_cast<char16_t>(gbk[i++]);
      continue;
    }
    std::size_t j = i;
    while (j < n && static_cast<unsigned char>(gbk[j]) >= 0x80) {
      unsigned char lead = gbk[j];
      j = std::min(n, j + (lead == 0x80 || lead == 0xFF ? 1 : 2));  // 80 and FF stand alone
    }
    DecodeThroughIcu(gbk.substr(i, j - i), out);
    i = j;
  }
  return out;
}

Text FromUtf16(std::u16string_view units) {
  units = units.substr(0, units.find(u'\0'));
  std::string out;
  ReserveOrDie(out, units.size());
  std::size_t i = 0, n = units.size();
  while (i < n) {
    // An ASCII character followed by a mark may compose, so it goes with the stretch.
    if (units[i] < 0x80 && (i + 1 == n || units[i + 1] < 0x80)) {
      out += static_cast<char>(units[i++]);
      continue;
    }
    std::size_t j = i + 1;
    while (j < n && units[j] >= 0x80) ++j;
    EncodeThroughIcu(units.substr(i, j - i), out);
    i = j;
  }
  return Text::FromBytes(out);
}

ByteSet AnsiToWide(const Text& text, bool dropTerminator) {
  if (text.empty()) return {};
  std::u16string units = ToUtf16(text.view());
  if (!dropTerminator) units += u'\0';
  ByteSet bytes(units.size() * 2);
  for (std::size_t k = 0; k < units.size(); ++k) {
    bytes[2 * k] = static_cast<std::uint8_t>(units[k] & 0xFF);
    bytes[2 * k + 1] = static_cast<std::uint8_t>(units[k] >> 8);
  }
  return bytes;
}

Text WideToAnsi(const ByteSet& wide) {
  std::u16string units(wide.size() / 2, u'\0');
  for (std::size_t k = 0; k < units.size(); ++k) {
    units[k] = static_cast<char16_t>(wide[2 * k] | (wide[2 * k + 1] << 8));
  }
  return FromUtf16(units);
}

Text TextFromUtf8(std::string_view utf8) {
  std::u16string units(utf8.size() + 1, u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), u'?', nullptr, &error);
  if (U_FAILURE(error)) return {};
  units.resize(length);
  return FromUtf16(units);
}

std::string TextToUtf8(const Text& text) {
  std::u16string units = ToUtf16(text.view());
  std::string utf8(units.size() * 3 + 1, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, units.data(),
                     static_cast<int32_t>(units.size()), u'?', nullptr, &error);
  if (U_FAILURE(error)) return {};
  utf8.resize(length);
  return utf8;
}

}  // namespace mlf
