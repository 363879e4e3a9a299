#include "web/charset_decoder.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "text/code_page.h"

namespace mlf {

namespace {

// Declared names (lower case) and the converter each means on the Windows systems the
// site's pages are written for.
const std::map<std::string, const char*>& KnownCharsets() {
  static const std::map<std::string, const char*> table = {
      {"utf-8", "UTF-8"},
      {"utf8", "UTF-8"},
      {"unicode", "UTF-16LE"},  // the Windows name for UTF-16 little-endian
      {"utf-16", "UTF-16LE"},
      {"utf-16le", "UTF-16LE"},
      {"utf-16be", "UTF-16BE"},
      {"unicodefffe", "UTF-16BE"},
      {"gbk", "windows-936-2000"},
      {"gb2312", "windows-936-2000"},
      {"x-gbk", "windows-936-2000"},
      {"cp936", "windows-936-2000"},
      {"windows-936", "windows-936-2000"},
      {"euc-cn", "windows-936-2000"},
      {"gb18030", "gb18030"},
      {"big5", "windows-950-2000"},
      {"cp950", "windows-950-2000"},
      {"shift_jis", "ibm-943_P15A-2003"},
      {"shift-jis", "ibm-943_P15A-2003"},
      {"sjis", "ibm-943_P15A-2003"},
      {"x-sjis", "ibm-943_P15A-2003"},
      {"euc-jp", "ibm-33722_P12A_P12A-2009_U2"},
      {"iso-2022-jp", "ISO_2022,locale=ja,version=0"},
      {"euc-kr", "windows-949-2000"},
      {"ks_c_5601-1987", "windows-949-2000"},
      {"koi8-r", "ibm-878_P100-1996"},
      {"us-ascii", "ibm-5348_P100-1997"},  // Windows reads these as code page 1252
      {"ascii", "ibm-5348_P100-1997"},
      {"iso-8859-1", "ibm-5348_P100-1997"},
      {"latin1", "ibm-5348_P100-1997"},
      {"windows-1250", "ibm-5346_P100-1998"},
      {"windows-1251", "ibm-5347_P100-1998"},
      {"windows-1252", "ibm-5348_P100-1997"},
      {"windows-1253", "ibm-5349_P100-1998"},
      {"windows-1254", "ibm-5350_P100-1998"},
      {"windows-1255", "ibm-9447_P100-2002"},
      {"windows-1256", "ibm-9448_X100-2005"},
      {"windows-1257", "ibm-9449_P100-2002"},
      {"windows-1258", "ibm-5354_P100-1998"},
      {"iso-8859-2", "ISO-8859-2"},
      {"iso-8859-5", "ISO-8859-5"},
      {"iso-8859-7", "ISO-8859-7"},
      {"iso-8859-15", "ISO-8859-15"},
  };
  return table;
}

std::string Lower(std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  return lower;
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};

}  // namespace

std::optional<Text> DecodeCharset(const ByteSet& body, const Text& charsetName) {
  auto known = KnownCharsets().find(Lower(charsetName.view()));
  if (known == KnownCharsets().end()) return std::nullopt;
  UErrorCode error = U_ZERO_ERROR;
  std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(known->second, &error));
  if (!converter) return std::nullopt;
  // No converter here gives more than one UTF-16 unit per input byte plus the odd
  // surrogate pair per four bytes; twice the input is ample.
  std::u16string units(body.size() * 2 + 2, u'\0');
  const char* source = reinterpret_cast<const char*>(body.data());
  error = U_ZERO_ERROR;
  int32_t length = ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()),
                                 source, static_cast<int32_t>(body.size()), &error);
  if (U_FAILURE(error)) return std::nullopt;
  units.resize(length);
  std::u16string_view text = units;
  if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
  return FromUtf16(text);
}

}  // namespace mlf
