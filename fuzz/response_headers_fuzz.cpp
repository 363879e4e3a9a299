// Fuzzed response header blocks and cookie texts.
#include <set>

#include "fuzz_input.h"
#include "text/text_search.h"
#include "web/cookie_merge.h"
#include "web/response_headers.h"

using namespace mlf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  std::uint8_t flags = input.Byte();
  Text block = input.TextPart(), cookies = input.TextPart(), received = input.TextPart();

  ResponseOutputs outputs;
  std::optional<Text> supplied;
  if (flags & 1) supplied = cookies;
  ApplyResponseHeaderBlock(block, supplied, outputs);

  Text merged = MergeCookies(cookies, received);
  fuzz::Check(merged == cookies, "MergeCookies returns the new cookie text");

  // JoinUnique leaves no repeated member.
  Text separator = "; "_t;
  TextArray members = SplitText(JoinUnique(received, separator), separator);
  std::set<std::string> seen;
  for (const Text& m : members) {
    fuzz::Check(seen.insert(m.bytes()).second, "JoinUnique keeps each member once");
  }
  return 0;
}
