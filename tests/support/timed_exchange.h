// One web request over libcurl for the loopback tests, with the time it took.
#pragma once

#include <chrono>
#include <string>

#include "web/curl_transport.h"
#include "web/web_request.h"

namespace mlf::testing_support {

struct TimedExchange {
  Text page;
  ResponseOutputs out;
  double seconds = 0;
};

// `before` is what the outputs hold when the request starts; `caFile`, certificates to
// trust instead of the system's.
inline TimedExchange FetchTimed(RequestOptions& options, ResponseOutputs before = {},
                                const std::string& caFile = {}) {
  TimedExchange exchange{Text{}, std::move(before)};
  CurlTransport transport(caFile);
  auto start = std::chrono::steady_clock::now();
  exchange.page = WebRequest(options, exchange.out, transport);
  exchange.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return exchange;
}

}  // namespace mlf::testing_support
