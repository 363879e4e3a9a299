#include "text/byte_set.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "text/fatal_error.h"

namespace mlf {

namespace {

ByteSet SizedOrDie(std::size_t n) {
  try {
    return ByteSet(n);
  } catch (const std::bad_alloc&) {
    FatalOutOfMemory(n);
  } catch (const std::length_error&) {
    FatalOutOfMemory(n);
  }
}

}  // namespace

ByteSet ToBytes(const Text& text) {
  return ByteSet(text.bytes().begin(), text.bytes().end());
}

int BytesLength(const ByteSet& bytes) {
  return static_cast<int>(bytes.size());
}

ByteSet BytesLeft(const ByteSet& bytes, int n) {
  if (n <= 0) return {};
  std::size_t keep = std::min(bytes.size(), static_cast<std::size_t>(n));
  return ByteSet(bytes.begin(), bytes.begin() + keep);
}

ByteSet BlankBytes(int n) {
  return n <= 0 ? ByteSet{} : SizedOrDie(static_cast<std::size_t>(n));
}

ByteSet PointerToBytes(const void* address, int n) {
  if (n <= 0 || address == nullptr) return {};
  ByteSet bytes = SizedOrDie(static_cast<std::size_t>(n));
  std::memcpy(bytes.data(), address, bytes.size());
  return bytes;
}

ByteSet ConcatByteParts(std::initializer_list<const ByteSet*> parts) {
  std::size_t total = 0;
  for (const ByteSet* p : parts) total += p->size();
  ByteSet joined = SizedOrDie(total);
  auto out = joined.begin();
  for (const ByteSet* p : parts) out = std::copy(p->begin(), p->end(), out);
  return joined;
}

}  // namespace mlf
