// A helper program (a proxy, a TLS server) run for the length of a test.
#pragma once

#include <string>
#include <vector>

namespace mlf::testing_support {

class ChildProcess {
 public:
  // Starts `argv` in `directory` with its output discarded, then waits up to five
  // seconds until something accepts connections on 127.0.0.1:`port`.
  ChildProcess(const std::vector<std::string>& argv, const std::string& directory, int port);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool ready() const { return ready_; }

 private:
  int pid_ = -1;
  bool ready_ = false;
};

// A port that was free a moment ago.
int FreePort();
// A new empty directory under the temporary directory.
std::string TemporaryDirectory();

}  // namespace mlf::testing_support
