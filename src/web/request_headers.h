// The header block every request carries: the caller's lines, then each default header
// that the block does not hold yet.
#pragma once

#include "text/text.h"
#include "web/http_transport.h"

namespace mlf {

// The caller's lines (with CR LF appended), then the default lines whose probe the block
// lacks, then "Cookie: " with `cookies` unless the block already has a cookie line.
Text BuildRequestHeaders(const Text& extraHeaders, const Text& cookies);

// Hands the block to the client; each line is added, replacing a header of the same name.
bool AttachRequestHeaders(HttpTransport& transport, HttpHandle request, const Text& block);

}  // namespace mlf
