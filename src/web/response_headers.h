// Reading the response's header block into the outputs: status text, cookies set by the
// response, redirect address; and merging those cookies into a supplied cookie text.
#pragma once

#include <optional>

#include "web/http_transport.h"
#include "web/request_records.h"

namespace mlf {

// Fetches the block from the client and applies it. False, with nothing written, when
// the client cannot give the block.
// The received bytes become outputs.body (moved, not copied: a body may be large).
bool ReadResponseHeaders(HttpTransport& transport, HttpHandle request, ByteSet&& received,
                         std::optional<Text>& cookies, ResponseOutputs& outputs);

// The block's part: rawHeaders (with "Set-Cookie" spelled alike), statusText from byte 10
// of the status line, receivedCookies, location; cookies merged when supplied.
void ApplyResponseHeaderBlock(const Text& block, std::optional<Text>& cookies,
                              ResponseOutputs& outputs);

}  // namespace mlf
