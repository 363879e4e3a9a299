#include "support/child_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace mlf::testing_support {

namespace {

bool Accepts(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& directory,
                           int port) {
  pid_ = ::fork();
  if (pid_ == 0) {
    if (::chdir(directory.c_str()) != 0) _exit(127);
    int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0), ::dup2(null, 1), ::dup2(null, 2);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    _exit(127);
  }
  for (int i = 0; i < 100 && !ready_; ++i) {
    ready_ = Accepts(port);
    if (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  int status = 0;
  ::waitpid(pid_, &status, 0);
}

int FreePort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

std::string TemporaryDirectory() {
  char pattern[] = "/tmp/mlf-test-XXXXXX";
  const char* made = ::mkdtemp(pattern);
  return made != nullptr ? made : "/tmp";
}

}  // namespace mlf::testing_support
