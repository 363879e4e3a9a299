#include <iostream>

#include "cli/commands.h"
#include "text/code_page.h"
#include "web/web_request.h"

namespace mlf {

bool ReportFetchFailure(const ResponseOutputs& outputs) {
  if (!IsWebFailure(outputs.statusText) && !outputs.rawHeaders.empty()) return false;
  std::cerr << "milianfang-cli: "
            << (outputs.statusText.empty() ? "no response headers" : TextToUtf8(outputs.statusText))
            << '\n';
  return true;
}

}  // namespace mlf
