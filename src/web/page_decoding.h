// Turning a response body into the page text.
#pragma once

#include "pattern/pattern_matcher.h"
#include "text/text.h"

namespace mlf {

// The charset declaration looked for in the first 1,024 bytes of a page.
const Text& CharsetDeclarationPattern();

// The body taken as GBK up to its first zero byte; when the first 1,024 bytes declare
// another character set (anything but exactly "gbk" or "gb2312"), the whole body read
// in that set instead. A set we do not know leaves the body as taken.
Text DecodePageText(const ByteSet& body, PatternMatcher& matcher);

}  // namespace mlf
