#include "pattern/pattern_dialect.h"

namespace mlf {

namespace {

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Escapes that mean the same in both dialects, inside and outside classes.
bool IsSharedEscape(char16_t c) {
  return std::u16string_view(u"bBdDfnrsStwWxu").find(c) != std::u16string_view::npos;
}

// Appends the engine form of the escape `\c` (c at pattern[i]); returns the index after it.
std::size_t TranslateEscape(std::u16string_view pattern, std::size_t i, bool inClass,
                            std::u16string& out) {
  char16_t c = pattern[i];
  if (c == u'v') {
    out += u"\\x0B";
  } else if (c == u'B' && inClass) {
    out += u'B';
  } else if (IsSharedEscape(c) || IsAsciiDigit(c)) {
    out += u'\\';
    out += c;
  } else if (c == u'c') {
    // \cA..\cZ is a control character; \c before anything else is a backslash and a 'c'.
    if (i + 1 < pattern.size() && IsAsciiLetter(pattern[i + 1])) {
      out += u"\\c";
      out += pattern[++i];
    } else {
      out += u"\\\\c";
    }
  } else if (IsAsciiLetter(c)) {
    out += c;  // \e, \h, \K, \Q, \z ... mean the letter itself here
  } else {
    out += u'\\';
    out += c;
  }
  return i + 1;
}

}  // namespace

std::optional<std::u16string> TranslatePattern(std::u16string_view pattern, bool multiline) {
  std::u16string out;
  out.reserve(pattern.size() + 16);
  bool in_class = false;
  std::size_t i = 0, n = pattern.size();
  while (i < n) {
    char16_t c = pattern[i];
    if (c == u'\\') {
      if (i + 1 == n) return std::nullopt;  // a trailing backslash
      i = TranslateEscape(pattern, i + 1, in_class, out);
      continue;
    }
    if (in_class) {
      if (c == u']') in_class = false;
      out += c == u'[' ? std::u16string_view(u"\\[") : std::u16string_view(&pattern[i], 1);
      ++i;
      continue;
    }
    switch (c) {
      case u'[':
        in_class = true;
        out += u'[';
        ++i;
        if (i < n && pattern[i] == u'^') out += pattern[i++];
        if (i < n && pattern[i] == u']') out += u"\\]", ++i;  // a leading ']' is literal
        continue;
      case u'.':
        out += u"[^\\n]";
        break;
      case u'^':
        out += multiline ? u"(?<![^\\n\\r])" : u"^";
        break;
      case u'$':
        out += multiline ? u"(?![^\\n\\r])" : u"$";
        break;
      case u'(':
        if (i + 1 < n && pattern[i + 1] == u'?') {
          if (i + 2 >= n ||
              std::u16string_view(u":=!").find(pattern[i + 2]) == std::u16string_view::npos) {
            return std::nullopt;
          }
        }
        out += c;
        break;
      default:
        out += c;
    }
    ++i;
  }
  return out;
}

}  // namespace mlf
