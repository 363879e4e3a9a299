// Address cracking, wire names and proxy lists over fuzzed addresses.
#include "fuzz_input.h"
#include "text/code_page.h"
#include "web/http_address.h"

using namespace mlf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  std::u16string url = ToUtf16(input.Part()), proxy = ToUtf16(input.Part());
  CrackedAddress parts;
  if (CrackHttpAddress(url, parts)) {
    fuzz::Check(!parts.host.empty() && parts.port >= 1 && parts.port <= 65535,
                "a cracked address has a host and port");
    std::string wire = WireAddress(parts.secure, parts.host, parts.port, parts.path + parts.extra);
    fuzz::Check(wire.find_first_of(" \r\n#") == std::string::npos,
                "the wire address has no raw blank or fragment");
  }
  (void)ProxyFor(proxy, size & 1);
  return 0;
}
