#include "text/text_array.h"

#include "text/fatal_error.h"

namespace mlf {

int MemberCount(const TextArray& array) {
  return static_cast<int>(array.size());
}

const Text& MemberAt(const TextArray& array, int index) {
  if (index < 1) FatalError(kIndexBelowOne);
  if (static_cast<std::size_t>(index) > array.size()) FatalError(kIndexPastEnd);
  return array[static_cast<std::size_t>(index) - 1];
}

void AppendMember(TextArray& array, const Text& text) {
  array.push_back(text);
}

}  // namespace mlf
