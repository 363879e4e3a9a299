// Conversion between GBK (code page 936) and UTF-16, and UTF-8 at the program's edges.
// Bytes that are not valid GBK read as "?"; characters GBK cannot hold are written as
// their best-fit GBK character where one exists, otherwise as "?".
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace mlf {

// UTF-16LE code units of the text, then one zero unit unless dropTerminator; the empty
// text gives no bytes at all.
ByteSet AnsiToWide(const Text& text, bool dropTerminator = false);
// The whole code units of `wide` (an odd last byte is ignored) as GBK, up to the first
// zero unit.
Text WideToAnsi(const ByteSet& wide);

// The same conversions on plain UTF-16 strings, for code that works in UTF-16.
std::u16string ToUtf16(std::string_view gbk);
// A base character and a following non-spacing mark are joined into the precomposed
// character first where one exists. Stops at the first zero unit.
Text FromUtf16(std::u16string_view units);

// UTF-16 and UTF-8 without passing through GBK; an unpaired surrogate or invalid UTF-8
// becomes "?".
std::string Utf16ToUtf8(std::u16string_view units);
std::u16string Utf8ToUtf16(std::string_view utf8);

// The edges: terminal, JSON and the window speak UTF-8. Invalid UTF-8 reads as "?".
Text TextFromUtf8(std::string_view utf8);
std::string TextToUtf8(const Text& text);

}  // namespace mlf
