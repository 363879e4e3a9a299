// Expands a replacement template over the matches of one run:
//   $$ a dollar sign   $& the match   $` the text before it   $' the text after it
//   $n, $nn            group n (two digits when that group exists, else one digit);
// an unset group gives nothing, and any other "$" stays as written.
#pragma once

#include <string>
#include <string_view>

#include "pattern/regex_engine.h"

namespace mlf {

std::u16string ReplaceMatches(std::u16string_view subject, const MatchList& matches,
                              std::u16string_view replacement);

}  // namespace mlf
