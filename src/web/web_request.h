// One complete HTTP exchange: the page text of the response, the outputs filled on the
// way. Never throws, never shows anything: a failure is an empty result and a numbered
// message in outputs.statusText.
#pragma once

#include "web/http_transport.h"
#include "web/request_records.h"

namespace mlf {

// The numbered failure messages.
enum WebFailure : int {
  kClientUnavailable = 700,
  kBadAddress = 701,
  kSessionFailed = 702,
  kConnectionFailed = 703,
  kRequestFailed = 704,
  kTimeoutsFailed = 705,
  kCredentialsFailed = 707,
  kCookieOptionFailed = 708,
  kRedirectOptionFailed = 709,
  kHeadersFailed = 710,
  kSendFailed = 711,
  kNoResponse = 712,
  kReadFailed = 713,
};
Text WebFailureMessage(WebFailure failure);
// Whether a status text is one of the numbered failure messages.
bool IsWebFailure(const Text& statusText);

// Over the given client; `options.cookies`, when supplied, receives the merged cookies.
Text WebRequest(RequestOptions& options, ResponseOutputs& outputs, HttpTransport& transport);
// Over libcurl.
Text WebRequest(RequestOptions& options, ResponseOutputs& outputs);

}  // namespace mlf
