#include "text/code_page.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Converts bytes into `out`, which has room for one unit per byte (no GBK character
// gives more units than it has bytes); returns the number of units written.
std::size_t DecodeThroughIcu(std::string_view bytes, char16_t* out) {
  UConverter* decoder = Decoder();
  if (decoder == nullptr) {
    std::fill_n(out, bytes.size(), u'?');
    return bytes.size();
  }
  UErrorCode error = U_ZERO_ERROR;
  int32_t written = ucnv_toUChars(decoder, out, static_cast<int32_t>(bytes.size()), bytes.data(),
                                  static_cast<int32_t>(bytes.size()), &error);
  return U_SUCCESS(error) || error == U_STRING_NOT_TERMINATED_WARNING ? written : 0;
}

// Widens 16 bytes when all of them are ASCII; false (nothing written) otherwise.
bool WidenAscii16(const char* in, char16_t* out) {
#if defined(__SSE2__)
  __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  if (_mm_movemask_epi8(bytes) != 0) return false;
  __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
  return true;
#else
  std::uint64_t words[2];
  std::memcpy(words, in, 16);
  if (((words[0] | words[1]) & 0x8080808080808080u) != 0) return false;
  for (int k = 0; k < 16; ++k) out[k] = static_cast<unsigned char>(words[k / 8] >> (8 * (k % 8)));
  return true;
#endif
}

std::size_t CharacterBytes(unsigned char lead) {
  return lead == 0x80 || lead == 0xFF ? 1 : 2;
}

// The converter's mapping of every single byte of 0x80 and above and every two-byte
// character, read from the converter once; 0 where the converter substitutes.
class DecodeTable {
 public:
  DecodeTable() {
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr strict(ucnv_open(kCodePage936, &error));
    if (!strict) return;
    ucnv_setToUCallBack(strict.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    auto decode = [&](const char* bytes, int32_t length) -> char16_t {
      UChar units[4];
      UErrorCode e = U_ZERO_ERROR;
      int32_t n = ucnv_toUChars(strict.get(), units, 4, bytes, length, &e);
      return U_SUCCESS(e) && n == 1 ? units[0] : 0;
    };
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
      if (CharacterBytes(lead) == 1) {
        char one = static_cast<char>(lead);
        single_[lead - 0x80] = decode(&one, 1);
        continue;
      }
      for (int trail = 0x01; trail <= 0xFF; ++trail) {
        char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        pairs_[(lead - 0x80) * 256 + trail] = decode(two, 2);
      }
    }
  }
  char16_t Single(unsigned char lead) const { return single_[lead - 0x80]; }
  char16_t Pair(unsigned char lead, unsigned char trail) const {
    return pairs_[(lead - 0x80) * 256 + trail];
  }

 private:
  std::array<char16_t, 128> single_{};
  std::array<char16_t, 128 * 256> pairs_{};
};

const DecodeTable& CachedDecodeTable() {
  static const DecodeTable table;
  return table;
}

}  // namespace

std::u16string ToUtf16(std::string_view gbk) {
  // Pages are mostly ASCII: ASCII bytes are widened directly, and stretches that start
  // at a byte of 0x80 or more are read through the converter's own mapping. Such a
  // stretch is taken a character at a time (lead byte and the byte after it, or the
  // single bytes 80 and FF) and ends before an ASCII byte that starts a character, so it
  // starts and stops at the same character boundaries as on the whole text.
  const DecodeTable& table = CachedDecodeTable();
  std::u16string out(gbk.size(), u'\0');
  std::size_t written = 0, i = 0, n = gbk.size();
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(gbk[k]); };
  while (i < n) {
    if (i + 16 <= n && WidenAscii16(gbk.data() + i, out.data() + written)) {
      written += 16, i += 16;
      continue;
    }
    if (byte(i) < 0x80) {
      out[written++] = byte(i++);
      continue;
    }
    std::size_t end = i;
    while (end < n && byte(end) >= 0x80) end = std::min(n, end + CharacterBytes(byte(end)));
    while (i < end) {
      char16_t unit = CharacterBytes(byte(i)) == 1 ? table.Single(byte(i))
                      : i + 1 < end                ? table.Pair(byte(i), byte(i + 1))
                                                   : 0;
      if (unit == 0) {  // invalid or unmapped: the converter decides, from here on
        written += DecodeThroughIcu(gbk.substr(i, end - i), out.data() + written);
        break;
      }
      out[written++] = unit;
      i += CharacterBytes(byte(i));
    }
    i = end;
  }
  out.resize(written);
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

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string units(utf8.size() + 1, u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                       static_cast<int32_t>(utf8.size()), u'?', nullptr, &error);
  if (U_FAILURE(error)) return {};
  units.resize(length);
  return units;
}

std::string Utf16ToUtf8(std::u16string_view units) {
  std::string utf8(units.size() * 3 + 1, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, units.data(),
                     static_cast<int32_t>(units.size()), u'?', nullptr, &error);
  if (U_FAILURE(error)) return {};
  utf8.resize(length);
  return utf8;
}

Text TextFromUtf8(std::string_view utf8) {
  return FromUtf16(Utf8ToUtf16(utf8));
}

std::string TextToUtf8(const Text& text) {
  return Utf16ToUtf8(ToUtf16(text.view()));
}

}  // namespace mlf
