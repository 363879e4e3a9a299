// Realistic result pages for measuring extraction: GBK, Chinese and Latin names, the
// site's entry layout, and scripts, styles and markup around and between the entries.
#pragma once

#include <cstddef>

#include "text/text.h"

namespace mlf {

// A page with `entries` entries and about `fillerPerEntry` bytes of other markup per entry.
Text GenerateResultPage(int entries, std::size_t fillerPerEntry, unsigned seed = 1);

}  // namespace mlf
