// The program's patterns are written in the classic script dialect of regular
// expressions. This pre-pass rewrites a pattern into the engine's syntax so that it
// means the same:
//   .      any code unit but line feed (carriage return included);
//   ^ $    with multi-line, also at CR and LF boundaries; without it, $ only at the end;
//   \v     vertical tab, not a class; \xXX and \uXXXX as in the dialect;
//   \q     and every other escaped letter the dialect does not know: the letter itself;
//   [[]    a '[' inside a class is an ordinary character.
// Group syntax the dialect does not have, "(?<", "(?i)" and the like, is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mlf {

std::optional<std::u16string> TranslatePattern(std::u16string_view pattern, bool multiline);

}  // namespace mlf
