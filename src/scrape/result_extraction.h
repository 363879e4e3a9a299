// Cutting result entries out of a result page.
#pragma once

#include "pattern/pattern_matcher.h"
#include "text/text.h"

namespace mlf {

// One result entry, each field exactly as the page writes it.
struct ResultRow {
  Text Name;
  Text MagnetLink;
  Text FileCount;
  Text Size;
  Text Date;
};

// The pattern of one entry: date, size and file count spans, then the link whose href
// holds the magnet link up to "&xl=" and the display name after "&dn=".
const Text& ResultRowPattern();

// Runs the entry pattern over the page with `matcher`, which keeps the matches;
// gives the number of entries.
int MatchResultRows(PatternMatcher& matcher, const Text& pageText);

// Entry `index` (1-based) of the last MatchResultRows on `matcher`; all fields empty
// when there is no such entry.
ResultRow ResultRowAt(const PatternMatcher& matcher, int index);

}  // namespace mlf
