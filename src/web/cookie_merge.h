// Merging the cookies a response sets into the cookie text of the next request.
#pragma once

#include "text/text.h"

namespace mlf {

// Received items replace older ones of the same name and come first; items ending in
// "=deleted" drop out; items equal as a whole are kept once. Blanks are removed from
// both inputs, which are both written back. Returns a copy of the new `cookies`.
Text MergeCookies(Text& cookies, Text& received);

// The part of an item before its first "=", trimmed; an item without "=" is its own name.
Text CookieName(const Text& item);
bool HasCookieName(const TextArray& items, const Text& name);
// `text` split at `separator`, each distinct piece once in order, joined again.
Text JoinUnique(const Text& text, const Text& separator);
// 1-based number of the first member equal to `text`, -1 when none is.
int FindMember(const TextArray& list, const Text& text);

}  // namespace mlf
