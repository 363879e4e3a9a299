#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/commands.h"

namespace mlf {

bool ReadInputFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "milianfang-cli: cannot read " << path << ": " << std::strerror(errno) << '\n';
    return false;
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) {
    std::cerr << "milianfang-cli: cannot read " << path << '\n';
    return false;
  }
  bytes = content.str();
  return true;
}

}  // namespace mlf
