// Base64 (RFC 4648, with padding) for bytes printed in JSON.
#pragma once

#include <string>

#include "text/text.h"

namespace mlf {

std::string Base64(const ByteSet& bytes);

}  // namespace mlf
