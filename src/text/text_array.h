// Arrays of texts, indexed from 1.
#pragma once

#include "text/text.h"

namespace mlf {

int MemberCount(const TextArray& array);
// The member at `index` (1-based). An index outside the array ends the program through
// the fatal stop: code 4 below 1, code 1 above the count.
const Text& MemberAt(const TextArray& array, int index);
void AppendMember(TextArray& array, const Text& text);

}  // namespace mlf
