#include "text/text_search.h"

#include <cstring>

#include "text/text_ops.h"

namespace mlf {

namespace {

bool SameBytes(std::string_view s, std::size_t at, std::string_view sought, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(s.data() + at, sought.data(), sought.size()) == 0;
  for (std::size_t k = 0; k < sought.size(); ++k) {
    unsigned char x = s[at + k], y = sought[k];
    if (x == y) continue;
    if ((x | 0x20) != (y | 0x20)) return false;
    unsigned char lower = x | 0x20;
    if (lower < 'a' || lower > 'z') return false;
  }
  return true;
}

// Width of the blank at offset i, 0 when the character there is not a blank.
std::size_t BlankWidthAt(std::string_view s, std::size_t i) {
  if (s[i] == ' ') return 1;
  if (static_cast<unsigned char>(s[i]) == 0xA1 && i + 1 < s.size() &&
      static_cast<unsigned char>(s[i + 1]) == 0xA1) {
    return 2;
  }
  return 0;
}

}  // namespace

int FindText(const Text& text, const Text& sought, int start, bool ignoreCase) {
  std::string_view s = text.view(), t = sought.view();
  std::size_t n = s.size(), m = t.size();
  std::size_t p = start >= 1 ? static_cast<std::size_t>(start) - 1 : 0;
  if (p >= n) return -1;
  if (m == 0) return 1;
  while (n - p >= m) {
    if (SameBytes(s, p, t, ignoreCase)) return static_cast<int>(p + 1);
    std::size_t w = CharWidthAt(s, p);
    if (w == 0) break;
    p += w;
  }
  return -1;
}

Text ReplaceText(const Text& text, const Text& sought, const Text& replacement,
                 bool caseSensitive) {
  if (text.empty() || sought.empty()) return text;
  std::string_view s = text.view(), t = sought.view(), r = replacement.view();
  std::size_t n = s.size(), m = t.size(), p = 0;
  std::string out;
  ReserveOrDie(out, n);
  while (n - p >= m) {
    if (SameBytes(s, p, t, !caseSensitive)) {
      out += r;
      p += m;
      continue;
    }
    std::size_t w = CharWidthAt(s, p);
    if (w == 0) break;
    out.append(s.substr(p, w));
    p += w;
  }
  out.append(s.substr(p));  // fewer bytes left than `sought` has, or a lone lead byte
  return Text::FromBytes(out);
}

TextArray SplitText(const Text& text, const Text& separator) {
  TextArray pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) return {text};
  std::string_view s = text.view(), t = separator.view();
  std::size_t n = s.size(), m = t.size(), p = 0, piece = 0;
  while (n - p >= m) {
    if (SameBytes(s, p, t, false)) {
      pieces.push_back(Text::FromBytes(s.substr(piece, p - piece)));
      p += m;
      piece = p;
      continue;
    }
    std::size_t w = CharWidthAt(s, p);
    if (w == 0) break;
    p += w;
  }
  if (piece < n) pieces.push_back(Text::FromBytes(s.substr(piece)));
  return pieces;
}

Text TrimBoth(const Text& text) {
  std::string_view s = text.view();
  std::size_t n = s.size(), i = 0;
  while (i < n) {
    std::size_t b = BlankWidthAt(s, i);
    if (b == 0) break;
    i += b;
  }
  std::size_t first = i, trailing_run = n;
  while (i < n) {
    if (std::size_t b = BlankWidthAt(s, i)) {
      if (trailing_run == n) trailing_run = i;
      i += b;
      continue;
    }
    trailing_run = n;
    std::size_t w = CharWidthAt(s, i);
    i += w == 0 ? 1 : w;  // a lone lead byte at the end is kept
  }
  return Text::FromBytes(s.substr(first, trailing_run - first));
}

Text RemoveAllSpaces(const Text& text) {
  std::string_view s = text.view();
  std::string out;
  ReserveOrDie(out, s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (std::size_t b = BlankWidthAt(s, i)) {
      i += b;
      continue;
    }
    std::size_t w = CharWidthAt(s, i);
    if (w == 0) w = 1;
    out.append(s.substr(i, w));
    i += w;
  }
  return Text::FromBytes(out);
}

const Text& QuotePlaceholder() {
  static const Text placeholder = Text::FromBytes("#\xD2\xFD\xBA\xC5");  // "#引号" in GBK
  return placeholder;
}

Text TextBetween(const Text& text, const Text& left, const Text& right, int start,
                 bool ignoreCase) {
  static const Text quote = "\""_t;
  Text l = ReplaceText(left, QuotePlaceholder(), quote, true);
  Text r = ReplaceText(right, QuotePlaceholder(), quote, true);
  int i = FindText(text, l, start, ignoreCase);
  if (i != -1) i += TextLength(l);
  int j = FindText(text, r, i, ignoreCase);
  if (i == -1 || j == -1) return {};
  return TextMid(text, i, j - i);
}

}  // namespace mlf
