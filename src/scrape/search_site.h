// What the program knows of the search site: its address and the layout of its pages.
#pragma once

#include "text/text.h"

namespace mlf {

// The site's host (and port), from MILIANFANG_SITE when that is set, so the program can
// be pointed at another site with the same layout.
Text SearchSiteHost();

// "http://HOST/search?keyword=KEYWORD&p=PAGE". ASCII bytes of the keyword other than
// letters, digits and "-._~" are percent-encoded, so "&", "#", "%", "+", "=" and spaces
// stay part of the keyword; bytes of 0x80 and above are left for the HTTP layer.
Text BuildQueryAddress(const Text& keyword, int page);

// The number after `marker` up to the next ","; 0 when there is none.
int ExtractPageField(const Text& pageText, const Text& marker);

}  // namespace mlf
