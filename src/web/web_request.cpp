#include "web/web_request.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "pattern/pattern_matcher.h"
#include "text/byte_set.h"
#include "text/code_page.h"
#include "text/process_events.h"
#include "text/text_ops.h"
#include "web/curl_transport.h"
#include "web/page_decoding.h"
#include "web/request_headers.h"
#include "web/response_headers.h"

namespace mlf {

namespace {

const char* FailureUtf8(WebFailure failure) {
  switch (failure) {
    case kClientUnavailable:
      return "700 当前系统不支持WinHttp服务!";
    case kBadAddress:
      return "701 解析URL地址失败!";
    case kSessionFailed:
      return "702 创建WinHttp会话失败!";
    case kConnectionFailed:
      return "703 创建WinHttp连接失败!";
    case kRequestFailed:
      return "704 创建WinHttp请求失败!";
    case kTimeoutsFailed:
      return "705 设置超时时间失败!";
    case kCredentialsFailed:
      return "707 设置代理凭证失败!";
    case kCookieOptionFailed:
      return "708 禁止自动设置Cookies失败!";
    case kRedirectOptionFailed:
      return "709 重定向设置失败!";
    case kHeadersFailed:
      return "710 设置协议头失败!";
    case kSendFailed:
      return "711 发送请求失败!";
    case kNoResponse:
      return "712 服务器未响应!";
    case kReadFailed:
      return "713 读取数据失败!";
  }
  return "";
}

const char16_t* Verb(int method) {
  switch (method) {
    case kPost:
      return u"POST";
    case kHead:
      return u"HEAD";
    case kPut:
      return u"PUT";
    default:
      return u"GET";
  }
}

// The handles of one exchange, closed request first on every way out.
struct Handles {
  HttpTransport& transport;
  HttpHandle session = 0, connection = 0, request = 0;
  ~Handles() {
    transport.Close(request);
    transport.Close(connection);
    transport.Close(session);
  }
};

}  // namespace

Text WebFailureMessage(WebFailure failure) {
  return TextFromUtf8(FailureUtf8(failure));
}

bool IsWebFailure(const Text& statusText) {
  static const std::vector<Text> messages = [] {
    std::vector<Text> all;
    for (WebFailure f :
         {kClientUnavailable, kBadAddress, kSessionFailed, kConnectionFailed, kRequestFailed,
          kTimeoutsFailed, kCredentialsFailed, kCookieOptionFailed, kRedirectOptionFailed,
          kHeadersFailed, kSendFailed, kNoResponse, kReadFailed}) {
      all.push_back(WebFailureMessage(f));
    }
    return all;
  }();
  return std::find(messages.begin(), messages.end(), statusText) != messages.end();
}

Text WebRequest(RequestOptions& options, ResponseOutputs& outputs, HttpTransport& transport) {
  PatternMatcher matcher;  // for the charset declaration
  Handles handles{transport};
  // Stages passed on the way; the common exit lets window messages through once for each.
  int stages = 0;
  auto common_exit = [&](std::optional<WebFailure> failure) {
    if (failure) outputs.statusText = WebFailureMessage(*failure);
    for (int i = 0; i < stages; ++i) ProcessEvents();
    return Text{};
  };
  auto immediate_exit = [&](WebFailure failure) {
    outputs.statusText = WebFailureMessage(failure);
    return Text{};
  };

  if (!transport.CheckClient()) return common_exit(kClientUnavailable);
  ++stages;

  CrackedAddress address;
  if (!transport.CrackAddress(ToUtf16(options.url.view()), address)) {
    return common_exit(kBadAddress);
  }
  ++stages;
  // The host passes through GBK on its way to the connection; path and query do not.
  Text host = FromUtf16(address.host);
  std::u16string object_name = address.path.empty() ? u"/" : address.path + address.extra;

  std::u16string proxy_name;
  if (TextLength(options.proxy) > 0) {
    proxy_name = (address.secure ? u"" : u"http=") + ToUtf16(options.proxy.view());
  }
  handles.session = transport.OpenSession(proxy_name);
  if (handles.session == 0) return common_exit(kSessionFailed);
  ++stages;
  handles.connection = transport.Connect(handles.session, ToUtf16(host.view()), address.port);
  if (handles.connection == 0) return common_exit(kConnectionFailed);
  ++stages;
  handles.request =
      transport.OpenRequest(handles.connection, Verb(options.method), object_name, address.secure);
  if (handles.request == 0) return common_exit(kRequestFailed);
  ++stages;

  // 30 s unless given; a time-out too long for milliseconds in 32 bits is the longest there is.
  constexpr int kLongestSeconds = std::numeric_limits<int>::max() / 1000;
  int timeout_ms = options.timeoutSeconds <= 0                ? 30'000
                   : options.timeoutSeconds > kLongestSeconds ? std::numeric_limits<int>::max()
                                                              : options.timeoutSeconds * 1000;
  if (!transport.SetTimeouts(handles.request, timeout_ms, timeout_ms, timeout_ms, timeout_ms)) {
    return common_exit(kTimeoutsFailed);
  }
  ++stages;

  if (TextLength(options.userName) > 0 && TextLength(options.password) > 0 &&
      !transport.SetCredentials(handles.request, AuthTarget::kServer,
                                ToUtf16(options.userName.view()),
                                ToUtf16(options.password.view()))) {
    return immediate_exit(kCredentialsFailed);
  }
  if (TextLength(options.proxyUserName) > 0 && TextLength(options.proxyPassword) > 0 &&
      !transport.SetCredentials(handles.request, AuthTarget::kProxy,
                                ToUtf16(options.proxyUserName.view()),
                                ToUtf16(options.proxyPassword.view()))) {
    return immediate_exit(kCredentialsFailed);
  }
  if (!transport.SetClientCookies(handles.request, options.cookies.has_value())) {
    return immediate_exit(kCookieOptionFailed);
  }
  if (options.disableRedirects && !transport.DisableRedirects(handles.request)) {
    return immediate_exit(kRedirectOptionFailed);
  }

  Text block = BuildRequestHeaders(options.extraHeaders, options.cookies.value_or(Text{}));
  if (!AttachRequestHeaders(transport, handles.request, block)) return common_exit(kHeadersFailed);
  ++stages;

  if (!transport.Send(handles.request, ToBytes(options.postData))) return common_exit(kSendFailed);
  ++stages;
  if (!transport.ReceiveResponse(handles.request)) return common_exit(kNoResponse);
  ++stages;

  // The body, in the pieces the client has ready; no window messages meanwhile.
  ByteSet received;
  bool read_failed = false;
  for (;;) {
    std::size_t available = 0;
    if (!transport.QueryDataAvailable(handles.request, available) || available < 1) break;
    std::size_t old_size = received.size(), read = 0;
    received.resize(old_size + available);
    if (!transport.ReadData(handles.request, received.data() + old_size, available, read)) {
      received.resize(old_size);
      outputs.statusText = WebFailureMessage(kReadFailed);
      read_failed = true;
      break;
    }
    received.resize(old_size + std::min(read, available));
  }

  if (!ReadResponseHeaders(transport, handles.request, std::move(received), options.cookies,
                           outputs)) {
    return common_exit(std::nullopt);
  }
  // The status line may say 200 OK; a body cut short still is a failed read.
  if (read_failed) outputs.statusText = WebFailureMessage(kReadFailed);
  Text page = DecodePageText(outputs.body, matcher);
  common_exit(std::nullopt);
  return page;
}

Text WebRequest(RequestOptions& options, ResponseOutputs& outputs) {
  CurlTransport transport;
  return WebRequest(options, outputs, transport);
}

}  // namespace mlf
