#include "support/scripted_transport.h"

#include <algorithm>

#include "text/code_page.h"
#include "web/http_address.h"

namespace mlf::testing_support {

bool ScriptedTransport::Step(const std::string& name) {
  calls.push_back(name);
  return failAt != name;
}

bool ScriptedTransport::CheckClient() {
  return Step("CheckClient");
}

bool ScriptedTransport::CrackAddress(std::u16string_view url, CrackedAddress& parts) {
  return Step("CrackAddress") && CrackHttpAddress(url, parts);
}

HttpHandle ScriptedTransport::OpenSession(std::u16string_view p) {
  proxy = p;
  return Step("OpenSession") ? kSession : 0;
}

HttpHandle ScriptedTransport::Connect(HttpHandle, std::u16string_view h, int p) {
  host = h, port = p;
  return Step("Connect") ? kConnection : 0;
}

HttpHandle ScriptedTransport::OpenRequest(HttpHandle, std::u16string_view v,
                                          std::u16string_view object, bool s) {
  verb = v, objectName = object, secure = s;
  return Step("OpenRequest") ? kRequest : 0;
}

bool ScriptedTransport::SetTimeouts(HttpHandle, int resolveMs, int connectMs, int sendMs,
                                    int receiveMs) {
  timeouts = {resolveMs, connectMs, sendMs, receiveMs};
  return Step("SetTimeouts");
}

bool ScriptedTransport::SetCredentials(HttpHandle, AuthTarget target, std::u16string_view user,
                                       std::u16string_view password) {
  std::string which = target == AuthTarget::kServer ? "server" : "proxy";
  credentials.push_back(which + " " + Utf16ToUtf8(user) + ":" + Utf16ToUtf8(password));
  return Step("SetCredentials:" + which);
}

bool ScriptedTransport::SetClientCookies(HttpHandle, bool on) {
  cookieSettings.push_back(on ? 1 : 0);
  return Step("SetClientCookies");
}

bool ScriptedTransport::DisableRedirects(HttpHandle) {
  ++redirectsDisabled;
  return Step("DisableRedirects");
}

bool ScriptedTransport::AddRequestHeaders(HttpHandle, std::u16string_view h) {
  headers = h;
  return Step("AddRequestHeaders");
}

bool ScriptedTransport::Send(HttpHandle, const ByteSet& body) {
  sentBody = body;
  return Step("Send");
}

bool ScriptedTransport::ReceiveResponse(HttpHandle) {
  return Step("ReceiveResponse");
}

bool ScriptedTransport::QueryDataAvailable(HttpHandle, std::size_t& available) {
  available = bodyChunks.empty() ? 0 : bodyChunks.front().size();
  if (available == 0 && failAt == "ReadData") available = 1;  // the failing read comes last
  return Step("QueryDataAvailable");
}

bool ScriptedTransport::ReadData(HttpHandle, std::uint8_t* buffer, std::size_t size,
                                 std::size_t& read) {
  read = 0;
  if (bodyChunks.empty()) return Step("ReadData");
  calls.push_back("ReadData");
  read = std::min(size, bodyChunks.front().size());
  std::copy_n(bodyChunks.front().data(), read, buffer);
  bodyChunks.pop_front();
  return true;
}

bool ScriptedTransport::QueryRawHeaders(HttpHandle, std::u16string& h) {
  h = rawHeaders;
  return Step("QueryRawHeaders");
}

void ScriptedTransport::Close(HttpHandle handle) {
  calls.push_back("Close");
  closed.push_back(handle);
}

}  // namespace mlf::testing_support
