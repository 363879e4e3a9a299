#include "web/curl_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <vector>

#include "text/code_page.h"
#include "web/http_address.h"

namespace mlf {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMaxRedirects = 10;
// A body larger than this is no page the program can use; reading stops there, with
// the bytes so far kept, rather than letting a server fill the memory.
constexpr std::size_t kMaxBodyBytes = 256u << 20;
// However slowly it trickles in, the body must be complete within this many receive
// time-outs after the headers.
constexpr int kBodyTimeouts = 10;

void InitialiseCurlOnce() {
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c += 32;
  }
  return s;
}

struct SlistDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void Append(Slist& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (grown != nullptr) {
    list.release();
    list.reset(grown);
  }
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

enum class FailedStep { kNone, kSend, kReceive, kRead };

}  // namespace

struct CurlTransport::Session {
  std::u16string proxy;
};

struct CurlTransport::Connection {
  HttpHandle session;
  std::u16string host;
  int port;
};

struct CurlTransport::Request {
  // Set before sending.
  std::optional<std::string> proxy;  // "http://host:port"
  std::u16string host;
  int port = 0;
  bool secure = false;
  std::string verb;
  std::u16string object_name;
  long connect_ms = 60'000, send_ms = 30'000, receive_ms = 30'000;
  std::string user, password, proxy_user, proxy_password;
  bool client_cookies = true, follow_redirects = true;
  std::vector<std::pair<std::string, std::string>> headers;  // lower-case name, line

  // One leg of the exchange as it runs.
  bool request_started = false, request_sent = false, headers_done = false;
  std::size_t body_bytes_to_send = 0, body_bytes_sent = 0, body_bytes_received = 0;
  long status = 0;
  std::u16string header_block;
  std::deque<std::string> chunks;
  Clock::time_point last_activity, sent_at, headers_at;

  // The outcome.
  FailedStep failed = FailedStep::kNone;
  std::u16string raw_headers;
};

namespace {

using Request = CurlTransport::Request;

void Touch(Request& r) {
  r.last_activity = Clock::now();
}

void MarkSentWhenComplete(Request& r) {
  if (!r.request_sent && r.request_started && r.body_bytes_sent >= r.body_bytes_to_send) {
    r.request_sent = true;
    r.sent_at = Clock::now();
  }
}

int OnDebug(CURL*, curl_infotype type, char*, size_t size, void* user) {
  Request& r = *static_cast<Request*>(user);
  if (type == CURLINFO_HEADER_OUT) {
    r.request_started = true;
    Touch(r);
  } else if (type == CURLINFO_DATA_OUT) {
    r.body_bytes_sent += size;
    Touch(r);
  }
  if (type == CURLINFO_HEADER_OUT || type == CURLINFO_DATA_OUT) MarkSentWhenComplete(r);
  return 0;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  Request& r = *static_cast<Request*>(user);
  std::string_view line(data, size * count);
  Touch(r);
  if (r.headers_done) return line.size();  // trailers
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line.substr(0, 5) == "HTTP/") {
    r.header_block.clear();  // an interim 1xx block gives way to the next one
    std::size_t blank = line.find(' ');
    r.status = blank == std::string_view::npos
                   ? 0
                   : std::atol(std::string(line.substr(blank + 1, 3)).c_str());
  }
  // Header bytes are read as the program's code page, so GBK values come back unchanged.
  r.header_block += ToUtf16(line);
  r.header_block += u"\r\n";
  if (line.empty() && (r.status < 100 || r.status >= 200)) {
    r.headers_done = true;
    r.headers_at = Clock::now();
  }
  return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  Request& r = *static_cast<Request*>(user);
  Touch(r);
  r.body_bytes_received += size * count;
  if (r.body_bytes_received > kMaxBodyBytes) return 0;  // ends the transfer as a failed read
  r.chunks.emplace_back(data, size * count);
  return size * count;
}

// The send and receive time-outs: no byte in either direction for that long. (A transfer
// speed limit would miss a stall that follows a burst.) And deadlines that a server
// trickling a byte at a time cannot stretch: the headers within one receive time-out
// of the request, the body within ten.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  Request& r = *static_cast<Request*>(user);
  if (!r.request_started) return 0;  // resolving and connecting have a budget of their own
  auto now = Clock::now();
  const auto receive = std::chrono::milliseconds(r.receive_ms);
  long idle_limit_ms = r.request_sent ? r.receive_ms : r.send_ms;
  if (now - r.last_activity > std::chrono::milliseconds(idle_limit_ms)) return 1;
  if (r.request_sent && !r.headers_done && now - r.sent_at > receive) return 1;
  if (r.headers_done && now - r.headers_at > kBodyTimeouts * receive) return 1;
  return 0;
}

bool IsRedirect(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

}  // namespace

CurlTransport::CurlTransport(std::string caFile) : ca_file_(std::move(caFile)) {
  InitialiseCurlOnce();
}
CurlTransport::~CurlTransport() = default;

bool CurlTransport::CheckClient() {
  InitialiseCurlOnce();
  const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
  if (info == nullptr || info->protocols == nullptr) return false;
  for (const char* const* p = info->protocols; *p != nullptr; ++p) {
    if (std::string_view(*p) == "http") return true;
  }
  return false;
}

bool CurlTransport::CrackAddress(std::u16string_view url, CrackedAddress& parts) {
  return CrackHttpAddress(url, parts);
}

HttpHandle CurlTransport::OpenSession(std::u16string_view proxy) {
  HttpHandle handle = next_handle_++;
  sessions_[handle] = std::make_unique<Session>(Session{std::u16string(proxy)});
  return handle;
}

HttpHandle CurlTransport::Connect(HttpHandle session, std::u16string_view host, int port) {
  if (!sessions_.contains(session) || host.empty()) return 0;
  HttpHandle handle = next_handle_++;
  connections_[handle] =
      std::make_unique<Connection>(Connection{session, std::u16string(host), port});
  return handle;
}

HttpHandle CurlTransport::OpenRequest(HttpHandle connection, std::u16string_view verb,
                                      std::u16string_view objectName, bool secure) {
  auto found = connections_.find(connection);
  if (found == connections_.end()) return 0;
  auto request = std::make_unique<Request>();
  request->host = found->second->host;
  request->port = found->second->port;
  request->secure = secure;
  request->verb = Utf16ToUtf8(verb);
  request->object_name = objectName;
  const std::u16string& proxy_list = sessions_[found->second->session]->proxy;
  if (!proxy_list.empty()) request->proxy = ProxyFor(proxy_list, secure);
  HttpHandle handle = next_handle_++;
  requests_[handle] = std::move(request);
  return handle;
}

CurlTransport::Request* CurlTransport::FindRequest(HttpHandle handle) {
  auto found = requests_.find(handle);
  return found == requests_.end() ? nullptr : found->second.get();
}

bool CurlTransport::SetTimeouts(HttpHandle request, int resolveMs, int connectMs, int sendMs,
                                int receiveMs) {
  Request* r = FindRequest(request);
  if (r == nullptr || resolveMs < 0 || connectMs < 0 || sendMs < 0 || receiveMs < 0) return false;
  // Resolving and connecting share one budget, the sum of the two.
  r->connect_ms = static_cast<long>(resolveMs) + connectMs;
  r->send_ms = sendMs;
  r->receive_ms = receiveMs;
  return true;
}

bool CurlTransport::SetCredentials(HttpHandle request, AuthTarget target, std::u16string_view user,
                                   std::u16string_view password) {
  Request* r = FindRequest(request);
  if (r == nullptr || user.empty()) return false;
  // As the program's code page gives them.
  std::string u = FromUtf16(user).bytes(), p = FromUtf16(password).bytes();
  if (target == AuthTarget::kServer) {
    r->user = u, r->password = p;
  } else {
    r->proxy_user = u, r->proxy_password = p;
  }
  return true;
}

bool CurlTransport::SetClientCookies(HttpHandle request, bool on) {
  Request* r = FindRequest(request);
  if (r == nullptr) return false;
  r->client_cookies = on;
  return true;
}

bool CurlTransport::DisableRedirects(HttpHandle request) {
  Request* r = FindRequest(request);
  if (r == nullptr) return false;
  r->follow_redirects = false;
  return true;
}

bool CurlTransport::AddRequestHeaders(HttpHandle request, std::u16string_view headers) {
  Request* r = FindRequest(request);
  if (r == nullptr) return false;
  std::vector<std::pair<std::string, std::string>> added;
  std::size_t i = 0;
  while (i <= headers.size()) {
    std::size_t end = headers.find(u"\r\n", i);
    if (end == std::u16string_view::npos) end = headers.size();
    std::u16string_view line = headers.substr(i, end - i);
    i = end + 2;
    if (line.empty()) continue;
    std::size_t colon = line.find(u':');
    if (colon == 0 || colon == std::u16string_view::npos) return false;  // not a header line
    std::string bytes = FromUtf16(line).bytes();
    std::string name = Lower(bytes.substr(0, bytes.find(':')));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    added.emplace_back(name, bytes);
  }
  for (auto& header : added) {
    auto same = std::find_if(r->headers.begin(), r->headers.end(),
                             [&](const auto& h) { return h.first == header.first; });
    if (same != r->headers.end()) {
      same->second = header.second;
    } else {
      r->headers.push_back(header);
    }
  }
  return true;
}

bool CurlTransport::Send(HttpHandle request, const ByteSet& body) {
  Request* r = FindRequest(request);
  if (r == nullptr) return false;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) {
    r->failed = FailedStep::kSend;
    return false;
  }
  CURL* e = easy.get();
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(e, CURLOPT_HTTP09_ALLOWED, 0L);
  curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);  // feeds OnDebug, which tells when the request is out
  curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, OnDebug);
  curl_easy_setopt(e, CURLOPT_DEBUGDATA, r);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, r);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, r);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, r);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, r->connect_ms);
  curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(e, CURLOPT_PROXY, r->proxy ? r->proxy->c_str() : "");  // "" ignores *_proxy
  Slist proxy_headers;
  Append(proxy_headers, "Proxy-Connection:");
  curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxy_headers.get());
  if (!r->proxy_user.empty()) {
    curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, r->proxy_user.c_str());
    curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, r->proxy_password.c_str());
    curl_easy_setopt(e, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
  }
  if (r->client_cookies) curl_easy_setopt(e, CURLOPT_COOKIEFILE, "");
  if (!ca_file_.empty()) curl_easy_setopt(e, CURLOPT_CAINFO, ca_file_.c_str());

  std::string verb = r->verb;
  std::string body_bytes(body.begin(), body.end());
  bool secure = r->secure;
  std::u16string host = r->host;
  int port = r->port;
  std::string url = WireAddress(secure, host, port, r->object_name);
  bool same_host = true;

  for (int hop = 0;; ++hop) {
    // Credentials and the caller's cookie line go to the first host only.
    Slist headers;
    bool has_accept = false;
    for (const auto& [name, line] : r->headers) {
      if (name == "cookie" && !same_host) continue;
      has_accept = has_accept || name == "accept";
      Append(headers, line);
    }
    Append(headers, "Expect:");
    if (!has_accept) Append(headers, "Accept:");  // curl's own "*/*" is not ours to send
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_NOBODY, verb == "HEAD" ? 1L : 0L);
    if (verb == "HEAD") {
      curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, nullptr);
    } else {
      curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
      curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb == "GET" ? nullptr : verb.c_str());
      if (verb != "GET" || !body_bytes.empty()) {
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(body_bytes.size()));
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, body_bytes.data());
        if (verb == "GET") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, "GET");
      }
    }
    if (same_host && !r->user.empty()) {
      curl_easy_setopt(e, CURLOPT_USERNAME, r->user.c_str());
      curl_easy_setopt(e, CURLOPT_PASSWORD, r->password.c_str());
      curl_easy_setopt(e, CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
    } else {
      curl_easy_setopt(e, CURLOPT_USERNAME, nullptr);
      curl_easy_setopt(e, CURLOPT_PASSWORD, nullptr);
    }

    r->request_started = r->request_sent = r->headers_done = false;
    r->body_bytes_to_send = verb == "HEAD" ? 0 : body_bytes.size();
    r->body_bytes_sent = r->body_bytes_received = 0;
    r->status = 0;
    r->header_block.clear();
    r->chunks.clear();
    Touch(*r);

    CURLcode result = curl_easy_perform(e);
    if (result != CURLE_OK) {
      // Where it broke: before the request was out (a later leg counts as waiting for the
      // response, as the first leg's request was sent), before the headers were complete,
      // or in the body, whose bytes so far are kept.
      if (!r->request_sent && hop == 0) {
        r->failed = FailedStep::kSend;
      } else if (!r->headers_done) {
        r->failed = FailedStep::kReceive;
      } else {
        r->failed = FailedStep::kRead;
        r->raw_headers = r->header_block;
      }
      return r->failed != FailedStep::kSend;
    }
    r->raw_headers = r->header_block;
    if (!r->follow_redirects || !IsRedirect(r->status)) return true;
    char* target = nullptr;
    curl_easy_getinfo(e, CURLINFO_REDIRECT_URL, &target);
    if (target == nullptr) return true;  // a 3xx without a Location is the result
    CrackedAddress next;
    if (!CrackHttpAddress(Utf8ToUtf16(target), next) || hop + 1 > kMaxRedirects) {
      r->failed = FailedStep::kReceive;  // another scheme, or too many redirects
      return true;
    }
    if (secure && !next.secure) return true;  // never from https to http: the 3xx stands
    if (r->status == 303 || ((r->status == 301 || r->status == 302) && verb == "POST")) {
      if (verb != "HEAD") verb = "GET";
      body_bytes.clear();
    }
    same_host = same_host && next.host == host && next.port == port && next.secure == secure;
    secure = next.secure;
    host = next.host;
    port = next.port;
    url = WireAddress(secure, host, port,
                      next.path.empty() ? u"/" + next.extra : next.path + next.extra);
  }
}

bool CurlTransport::ReceiveResponse(HttpHandle request) {
  Request* r = FindRequest(request);
  return r != nullptr && r->failed != FailedStep::kSend && r->failed != FailedStep::kReceive;
}

bool CurlTransport::QueryDataAvailable(HttpHandle request, std::size_t& available) {
  Request* r = FindRequest(request);
  if (r == nullptr) return false;
  while (!r->chunks.empty() && r->chunks.front().empty()) r->chunks.pop_front();
  // After the bytes that came, a broken body still has "more" to read, and reading fails.
  available = !r->chunks.empty()               ? r->chunks.front().size()
              : r->failed == FailedStep::kRead ? 1
                                               : 0;
  return true;
}

bool CurlTransport::ReadData(HttpHandle request, std::uint8_t* buffer, std::size_t size,
                             std::size_t& read) {
  Request* r = FindRequest(request);
  read = 0;
  if (r == nullptr || r->chunks.empty()) return false;
  std::string& front = r->chunks.front();
  read = std::min(size, front.size());
  std::copy_n(front.data(), read, buffer);
  front.erase(0, read);
  if (front.empty()) r->chunks.pop_front();
  return true;
}

bool CurlTransport::QueryRawHeaders(HttpHandle request, std::u16string& headers) {
  Request* r = FindRequest(request);
  if (r == nullptr || r->raw_headers.empty()) return false;
  headers = r->raw_headers;
  return true;
}

void CurlTransport::Close(HttpHandle handle) {
  requests_.erase(handle);
  connections_.erase(handle);
  sessions_.erase(handle);
}

}  // namespace mlf
