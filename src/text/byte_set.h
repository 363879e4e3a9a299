// Operations on byte sets.
#pragma once

#include "text/text.h"

namespace mlf {

ByteSet ToBytes(const Text& text);
int BytesLength(const ByteSet& bytes);
// The first n bytes, clamped: n <= 0 gives the empty byte set.
ByteSet BytesLeft(const ByteSet& bytes, int n);
// n zero bytes; n <= 0 gives the empty byte set.
ByteSet BlankBytes(int n);
// A copy of the n bytes at `address`.
ByteSet PointerToBytes(const void* address, int n);

ByteSet ConcatByteParts(std::initializer_list<const ByteSet*> parts);

template <class... Rest>
ByteSet ConcatBytes(const ByteSet& first, const ByteSet& second, const Rest&... rest) {
  return ConcatByteParts({&first, &second, &rest...});
}

}  // namespace mlf
