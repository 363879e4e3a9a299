#include "text/process_events.h"

namespace mlf {

namespace {

std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}

}  // namespace

void SetProcessEventsHook(std::function<void()> hook) {
  Hook() = std::move(hook);
}

void ProcessEvents() {
  if (const auto& hook = Hook()) hook();
}

}  // namespace mlf
