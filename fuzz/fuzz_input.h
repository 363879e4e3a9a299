// Cuts one fuzz input into the arguments of a call: a few flag bits, then texts
// separated by 0xFF 0xFE (a pair that never stands inside GBK text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace mlf::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next byte, 0 when none is left.
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    std::uint8_t b = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }

  // The bytes up to the next separator, or all that is left.
  std::string_view Part() {
    std::size_t at = rest_.find("\xFF\xFE");
    std::string_view part = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 2);
    return part;
  }

  Text TextPart() { return Text::FromBytes(Part()); }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// Stops the run with a report the fuzzer keeps, when a property does not hold.
[[noreturn]] void PropertyFailed(const char* what);

inline void Check(bool holds, const char* what) {
  if (!holds) PropertyFailed(what);
}

}  // namespace mlf::fuzz
