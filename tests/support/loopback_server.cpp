#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace mlf::testing_support {

bool Connection::Send(std::string_view bytes) const {
  while (!bytes.empty()) {
    ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

LoopbackServer::LoopbackServer(Script script) : script_(std::move(script)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  int on = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener_, 64);
  socklen_t length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  ::shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  for (auto& worker : workers_) worker.join();
  ::close(listener_);
}

std::string LoopbackServer::Address(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackServer::Serve() {
  while (!stopping_) {
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, 100) <= 0) continue;
    int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0) continue;
    workers_.emplace_back([this, fd] { Handle(fd); });
  }
}

void LoopbackServer::Handle(int fd) {
  // Read the head, then as many body bytes as Content-Length names.
  std::string request;
  char buffer[8192];
  std::size_t head_end = std::string::npos, wanted = 0;
  while (true) {
    if (head_end == std::string::npos) {
      head_end = request.find("\r\n\r\n");
      if (head_end != std::string::npos) {
        head_end += 4;
        std::string lower = request.substr(0, head_end);
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t cl = lower.find("\r\ncontent-length:");
        wanted = head_end +
                 (cl == std::string::npos ? 0 : std::strtoul(lower.c_str() + cl + 17, nullptr, 10));
      }
    }
    if (head_end != std::string::npos && request.size() >= wanted) break;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 5000) <= 0) break;
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  if (!request.empty()) script_(Connection{fd}, request);
  ::shutdown(fd, SHUT_WR);
  // Let the client read what was sent before the socket goes.
  pollfd p{fd, POLLIN, 0};
  while (::poll(&p, 1, 1000) > 0 && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
  }
  ::close(fd);
}

LoopbackServer::Script ReplyWith(std::string bytes) {
  return [bytes](const Connection& c, const std::string&) { c.Send(bytes); };
}

std::string Response(const std::string& status, const std::string& headers,
                     const std::string& body) {
  return "HTTP/1.1 " + status + "\r\n" + headers +
         "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace mlf::testing_support
