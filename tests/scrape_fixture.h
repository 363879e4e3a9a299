// The saved result page used by the extraction tests, read as GBK.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "text/code_page.h"

namespace mlf {

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The fixture is kept in UTF-8 so that it reads in review; the site sends GBK.
inline Text SavedResultPage() {
  return TextFromUtf8(ReadFileBytes(MLF_TEST_DATA "/result_page.utf8.html"));
}

}  // namespace mlf
