#include "cli/base64.h"

namespace mlf {

std::string Base64(const ByteSet& bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = bytes[i] << 16;
    if (i + 1 < bytes.size()) group |= bytes[i + 1] << 8;
    if (i + 2 < bytes.size()) group |= bytes[i + 2];
    out += kAlphabet[(group >> 18) & 63];
    out += kAlphabet[(group >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(group >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[group & 63] : '=';
  }
  return out;
}

}  // namespace mlf
