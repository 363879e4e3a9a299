// The text primitives over arbitrary bytes, odd lead bytes at the end included.
#include "fuzz_input.h"
#include "text/text_numbers.h"
#include "text/text_ops.h"
#include "text/text_search.h"

using namespace mlf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  std::uint8_t flags = input.Byte();
  int start = static_cast<std::int8_t>(input.Byte());
  Text text = input.TextPart(), sought = input.TextPart(), other = input.TextPart();
  bool ignore_case = flags & 1;

  int found = FindText(text, sought, start, ignore_case);
  fuzz::Check(found == -1 || (found >= 1 && found <= TextLength(text) + (sought.empty() ? 1 : 0)),
              "FindText position inside the text");
  if (found != -1 && !sought.empty() && !ignore_case) {
    fuzz::Check(TextMid(text, found, TextLength(sought)) == sought, "FindText found the text");
  }

  Text replaced = ReplaceText(text, sought, other, !ignore_case);
  if (sought.empty()) fuzz::Check(replaced == text, "ReplaceText of nothing changes nothing");

  // Pieces joined with the separator give the text back, but for a trailing separator.
  TextArray pieces = SplitText(text, sought);
  if (!sought.empty() && !text.empty()) {
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (i) joined += sought.bytes();
      joined += pieces[i].bytes();
    }
    fuzz::Check(joined == text.bytes() || joined + sought.bytes() == text.bytes(),
                "SplitText pieces join to the text");
  }

  Text trimmed = TrimBoth(text);
  fuzz::Check(TrimBoth(trimmed) == trimmed, "TrimBoth is idempotent");
  Text spaceless = RemoveAllSpaces(text);
  fuzz::Check(spaceless.bytes().find(' ') == std::string::npos || spaceless.size() <= text.size(),
              "RemoveAllSpaces only removes");
  (void)ToNumber(text);
  (void)ToInteger(ToNumber(other));
  (void)TextBetween(text, sought, other, start, ignore_case);
  (void)CompareText(text, sought, ignore_case);
  return 0;
}
