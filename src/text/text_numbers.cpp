#include "text/text_numbers.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include <locale.h>

namespace mlf {

namespace {

// Full-width forms to ASCII: A3 A1..A3 FE are the full-width ASCII block, A1 A1 the
// full-width space, A1 AB the wave dash, A1 EE and A1 EF the two asterisks.
std::string FoldFullWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = s[i];
    if (c < 0x80 || i + 1 >= s.size()) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    unsigned char d = s[i + 1];
    if (c == 0xA3 && d >= 0xA1 && d <= 0xFE) {
      out += static_cast<char>(d - 0x80);
    } else if (c == 0xA1 && d == 0xA1) {
      out += ' ';
    } else if (c == 0xA1 && d == 0xAB) {
      out += '~';
    } else if (c == 0xA1 && (d == 0xEE || d == 0xEF)) {
      out += '*';
    } else {
      out += static_cast<char>(c);
      out += static_cast<char>(d);
    }
    i += 2;
  }
  return out;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

Text ToText(int value) {
  return Text::FromBytes(std::to_string(value));
}

Text ToText(double value) {
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
  return Text::FromBytes(std::string_view(buffer, result.ptr - buffer));
}

Text ToText(const ByteSet& bytes) {
  return Text::FromBytes(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

double ToNumber(const Text& text) {
  std::string s = FoldFullWidth(text.view());
  std::size_t i = 0, n = s.size();
  while (i < n && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  // The longest leading digits[.digits][e[sign]digits]; hex, "inf" and "nan" are not numbers.
  std::size_t begin = i, digits = 0;
  while (i < n && IsDigit(s[i])) ++i, ++digits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < n && (s[e] == '+' || s[e] == '-')) ++e;
    if (e < n && IsDigit(s[e])) {
      while (e < n && IsDigit(s[e])) ++e;
      i = e;
    }
  }
  // strtod of the C locale, whatever locale the process runs in: a comma locale must
  // not change how a page's numbers read.
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  std::string number = s.substr(begin, i - begin);
  double value = strtod_l(number.c_str(), nullptr, c_locale);
  return negative ? -value : value;
}

int ToInteger(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<int>::max();
  if (x <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(x);
}

}  // namespace mlf
