// Decoding page bytes of a declared character set into GBK.
#pragma once

#include <optional>

#include "text/text.h"

namespace mlf {

// The body read as `charsetName` and written in GBK ("?" for what GBK cannot hold, and
// for bytes invalid in that set); a leading byte-order mark is dropped. Nothing when the
// name is not one we know: names go through our own table, not the converter library's
// loose alias matching.
std::optional<Text> DecodeCharset(const ByteSet& body, const Text& charsetName);

}  // namespace mlf
