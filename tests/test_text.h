// Helpers for writing GBK test values.
#pragma once

#include <ostream>
#include <string>

#include "text/code_page.h"
#include "text/text.h"

namespace mlf {

// GBK text from UTF-8 source.
inline Text G(const char* utf8) {
  return TextFromUtf8(utf8);
}
// Raw bytes, for values that must be exact (lone lead bytes, invalid pairs).
inline Text B(const std::string& bytes) {
  return Text::FromBytes(bytes);
}

}  // namespace mlf
