// Measuring, slicing, comparing and joining texts. Out-of-range positions and
// lengths are clamped or give the empty text; nothing here fails.
#pragma once

#include "text/text.h"

namespace mlf {

int TextLength(const Text& text);
Text TextLeft(const Text& text, int n);
Text TextRight(const Text& text, int n);
// The n bytes from byte `start` (1-based); empty when start lies outside the text.
Text TextMid(const Text& text, int start, int n);

// Same bytes; the only equality the program uses.
bool TextEquals(const Text& first, const Text& second);
// Negative, 0 or positive; ASCII letters fold when caseSensitive is false.
int CompareText(const Text& first, const Text& second, bool caseSensitive);

Text ConcatParts(std::initializer_list<std::string_view> parts);

template <class... Rest>
Text Concat(const Text& first, const Text& second, const Rest&... rest) {
  return ConcatParts({first.view(), second.view(), rest.view()...});
}

// Bytes 0x80 and above followed by another byte start a two-byte character. Gives the
// width of the character at 0-based offset i: 1, 2, or 0 for a lead byte with nothing
// after it, which ends every character walk.
inline std::size_t CharWidthAt(std::string_view s, std::size_t i) {
  if (static_cast<unsigned char>(s[i]) < 0x80) return 1;
  return i + 1 < s.size() ? 2 : 0;
}

// Reserves room for a value the program is about to build; ends the program through
// the fatal stop when the memory cannot be had.
void ReserveOrDie(std::string& s, std::size_t bytes);

}  // namespace mlf
