// A TCP server on 127.0.0.1 for tests: each connection's request is read and recorded,
// then answered by the test's own script, byte for byte, so that any response (slow,
// cut off, malformed) can be played.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mlf::testing_support {

struct Connection {
  int fd;
  // Writes all bytes; false when the peer has gone.
  bool Send(std::string_view bytes) const;
};

class LoopbackServer {
 public:
  // Called for each request with its head and body as received.
  using Script = std::function<void(const Connection&, const std::string& request)>;

  explicit LoopbackServer(Script script);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  std::string Address(const std::string& path = "/") const;
  // Every request received so far, in order.
  std::vector<std::string> Requests() const;

 private:
  void Serve();
  void Handle(int fd);

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<std::thread> workers_;
  std::thread acceptor_;
};

// A script that answers every request with the same bytes.
LoopbackServer::Script ReplyWith(std::string bytes);

// "HTTP/1.1 <status>\r\n<headers>Content-Length: N\r\nConnection: close\r\n\r\n<body>";
// `headers` lines end in CR LF. The server answers one request per connection.
std::string Response(const std::string& status, const std::string& headers,
                     const std::string& body);

}  // namespace mlf::testing_support
