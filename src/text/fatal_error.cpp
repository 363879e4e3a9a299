#include "text/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/code_page.h"
#include "text/text_numbers.h"
#include "text/text_ops.h"

namespace mlf {

namespace {

FatalErrorReporter& InstalledReporter() {
  static FatalErrorReporter reporter;
  return reporter;
}

[[noreturn]] void Stop(int code, const Text& message) {
  Text full = FatalErrorMessage(code, message);
  if (const auto& reporter = InstalledReporter()) {
    reporter(full);
  } else {
    std::string utf8 = TextToUtf8(full);
    std::fputs(utf8.c_str(), stderr);
    std::fflush(stderr);
  }
  std::_Exit(-1);
}

}  // namespace

void SetFatalErrorReporter(FatalErrorReporter reporter) {
  InstalledReporter() = std::move(reporter);
}

Text FatalErrorMessage(int code, const Text& message) {
  static const Text header = TextFromUtf8("运行时出错!\r\n\r\n");
  static const Text code_label = TextFromUtf8("错误代码：");
  static const Text message_label = TextFromUtf8("错误信息：");
  static const Text blank_line = "\r\n\r\n"_t;
  static const Text line_end = "\r\n"_t;
  Text code_lines = code == 0 ? Text{} : Concat(code_label, ToText(code), blank_line);
  return Concat(header, code_lines, message_label, message, line_end);
}

void FatalError(int code) {
  const char* message = "";
  switch (code) {
    case kIndexPastEnd:
      message = "数组成员引用下标超出定义范围";
      break;
    case kIndexBelowOne:
      message = "数组成员引用下标必须大于等于1";
      break;
  }
  Stop(code, TextFromUtf8(message));
}

void FatalOutOfMemory(std::size_t bytes) {
  // Built without allocating much: the memory has just run out.
  char utf8[96];
  std::snprintf(utf8, sizeof utf8, "分配 %zu 字节内存失败!", bytes);
  Stop(0, TextFromUtf8(utf8));
}

}  // namespace mlf
