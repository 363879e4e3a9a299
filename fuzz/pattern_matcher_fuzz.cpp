// Fuzzed patterns over fuzzed subjects, with every question asked of the matches.
#include <optional>

#include "fuzz_input.h"
#include "pattern/pattern_matcher.h"

using namespace mlf;

namespace {

std::optional<bool> Setting(std::uint8_t flags, int given, int value) {
  return (flags >> given) & 1 ? std::optional<bool>((flags >> value) & 1) : std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  std::uint8_t flags = input.Byte();
  Text pattern = input.TextPart(), subject = input.TextPart(), replacement = input.TextPart();
  PatternMatcher matcher;
  bool created = matcher.Create(pattern, subject, Setting(flags, 0, 1), Setting(flags, 2, 3),
                                Setting(flags, 4, 5), Setting(flags, 6, 7));
  int count = matcher.MatchCount();
  fuzz::Check(created || count == 0, "a refused pattern has no matches");
  int groups = matcher.SubmatchCount();
  for (int i = 0; i <= count + 1 && i < 64; ++i) {
    int position = 0;
    Text match = matcher.MatchText(i, &position);
    fuzz::Check(position >= -2 && position <= static_cast<int>(subject.size()),
                "positions lie in the subject");
    for (int g = 0; g <= groups + 1 && g < 16; ++g) (void)matcher.SubmatchText(i, g, &position);
  }
  // "$`" and "$'" copy the subject once per match, so the replaced text grows with the
  // square of the subject; such outputs are legitimate but would only slow the search.
  if (subject.size() * (replacement.size() + 1) <= (1u << 18)) (void)matcher.Replace(replacement);
  (void)matcher.PatternText();
  return 0;
}
