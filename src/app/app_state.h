// The program-wide state: the page being searched, the last page text, the page count
// of the search and the shared matcher that holds the rows of the last page.
#pragma once

#include <memory>

#include "pattern/pattern_matcher.h"
#include "text/text.h"

namespace mlf {

struct AppState {
  int CurrentPage = 0;
  Text LastPageText;
  int TotalPages = 0;
  std::unique_ptr<PatternMatcher> ResultMatcher;
};

// Builds the shared matcher.
void ConstructGlobals(AppState& state);
// Releases the last page text and the matcher; runs once, when the program ends normally.
void ExitRoutine(AppState& state);

}  // namespace mlf
