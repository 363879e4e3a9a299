// GBK decoded by the converter library in one call over the whole text, invalid input
// as "?": the reference that the program's faster decoder must agree with.
#pragma once

#include <unicode/ucnv.h>

#include <string>
#include <string_view>

namespace mlf::testing_support {

inline std::u16string ReferenceDecode(std::string_view bytes) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open("windows-936-2000", &error);
  std::u16string out(bytes.size() + 2, u'\0');
  int32_t n = ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                            static_cast<int32_t>(bytes.size()), &error);
  ucnv_close(converter);
  out.resize(U_SUCCESS(error) ? n : 0);
  for (char16_t& unit : out) {
    if (unit == 0xFFFD) unit = u'?';
  }
  return out;
}

}  // namespace mlf::testing_support
