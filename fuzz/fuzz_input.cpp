#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace mlf::fuzz {

void PropertyFailed(const char* what) {
  std::fprintf(stderr, "property failed: %s\n", what);
  std::abort();
}

}  // namespace mlf::fuzz
