// The program's value types: Text (GBK bytes), ByteSet (any bytes) and TextArray.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mlf {

// Text in code page 936 (GBK): bytes without a zero byte inside. Positions in the
// operations on Text are 1-based byte positions. The empty text stands for an absent one.
class Text {
 public:
  Text() = default;

  // The bytes up to, not including, the first zero byte.
  static Text FromBytes(std::string_view bytes) {
    Text t;
    t.bytes_.assign(bytes.substr(0, bytes.find('\0')));
    return t;
  }

  const std::string& bytes() const { return bytes_; }
  std::string_view view() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }

  friend bool operator==(const Text&, const Text&) = default;

 private:
  std::string bytes_;
};

namespace detail {
template <std::size_t N>
struct AsciiLiteral {
  char chars[N]{};
  consteval AsciiLiteral(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
      if (static_cast<unsigned char>(s[i]) >= 0x80 || (s[i] == '\0' && i + 1 < N)) {
        throw "a Text literal holds ASCII only; convert other text from UTF-8 at run time";
      }
      chars[i] = s[i];
    }
  }
};
}  // namespace detail

// "abc"_t: a Text from an ASCII literal, checked at compile time, so that UTF-8
// source text can never pass for GBK.
template <detail::AsciiLiteral L>
Text operator""_t() {
  return Text::FromBytes(std::string_view(L.chars, sizeof(L.chars) - 1));
}

// Bytes of any value, zero bytes included.
using ByteSet = std::vector<std::uint8_t>;

// Texts indexed from 1 by MemberAt.
using TextArray = std::vector<Text>;

}  // namespace mlf
