// The orderly stop for faults the program cannot go on from: the message goes to the
// installed reporter (stderr unless the window installs a message box), then the process
// ends with exit code -1 without running the exit routine.
#pragma once

#include <cstddef>
#include <functional>

#include "text/text.h"

namespace mlf {

enum FatalErrorCode : int {
  kIndexPastEnd = 1,
  kIndexBelowOne = 4,
};

// Receives the whole message, GBK, lines ending in CR LF. It may block (a message box);
// the process ends when it returns.
using FatalErrorReporter = std::function<void(const Text& message)>;

// Installs a reporter; an empty one restores the default (UTF-8 on stderr).
void SetFatalErrorReporter(FatalErrorReporter reporter);

// "运行时出错!", then the code lines when code is not 0, then the message.
Text FatalErrorMessage(int code, const Text& message);

[[noreturn]] void FatalError(int code);
[[noreturn]] void FatalOutOfMemory(std::size_t bytes);

}  // namespace mlf
