#include "app/app_state.h"

namespace mlf {

void ConstructGlobals(AppState& state) {
  state.ResultMatcher = std::make_unique<PatternMatcher>();
}

void ExitRoutine(AppState& state) {
  state.LastPageText = Text{};
  state.ResultMatcher.reset();
}

}  // namespace mlf
