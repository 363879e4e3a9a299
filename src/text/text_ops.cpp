#include "text/text_ops.h"

#include <new>
#include <stdexcept>

#include "text/fatal_error.h"

namespace mlf {

namespace {

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

}  // namespace

void ReserveOrDie(std::string& s, std::size_t bytes) {
  try {
    s.reserve(bytes);
  } catch (const std::bad_alloc&) {
    FatalOutOfMemory(bytes);
  } catch (const std::length_error&) {
    FatalOutOfMemory(bytes);
  }
}

int TextLength(const Text& text) {
  return static_cast<int>(text.size());
}

Text TextLeft(const Text& text, int n) {
  if (n <= 0) return {};
  return Text::FromBytes(text.view().substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(const Text& text, int n) {
  if (n <= 0) return {};
  std::size_t keep = std::min(text.size(), static_cast<std::size_t>(n));
  return Text::FromBytes(text.view().substr(text.size() - keep));
}

Text TextMid(const Text& text, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) return {};
  return Text::FromBytes(text.view().substr(start - 1, static_cast<std::size_t>(n)));
}

bool TextEquals(const Text& first, const Text& second) {
  return first == second;
}

int CompareText(const Text& first, const Text& second, bool caseSensitive) {
  // Byte order is character order: a two-byte character's lead byte is 0x80 or more,
  // so it sorts after every single-byte character and pairs compare as units.
  std::string_view a = first.view(), b = second.view();
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = a[i], y = b[i];
    if (!caseSensitive) x = FoldAscii(x), y = FoldAscii(y);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text ConcatParts(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (auto p : parts) total += p.size();
  std::string joined;
  ReserveOrDie(joined, total);
  for (auto p : parts) joined += p;
  return Text::FromBytes(joined);
}

}  // namespace mlf
