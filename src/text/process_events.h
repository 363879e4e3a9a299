// Lets the window handle the messages waiting for it, at the fixed points where a long
// routine gives way. Without a window installed it does nothing.
#pragma once

#include <functional>

namespace mlf {

void SetProcessEventsHook(std::function<void()> hook);
void ProcessEvents();

}  // namespace mlf
