// Searching, replacing, splitting and blank removal. These walk a text one GBK
// character at a time, so a match never starts on the second byte of a character.
#pragma once

#include "text/text.h"

namespace mlf {

// Position (from byte 1) of the first `sought` that begins at or after byte `start`
// (0 or less: byte 1); -1 when there is none. The empty sought text is found at byte 1.
int FindText(const Text& text, const Text& sought, int start, bool ignoreCase);

// Every non-overlapping `sought`, left to right, replaced; an empty replacement removes.
Text ReplaceText(const Text& text, const Text& sought, const Text& replacement, bool caseSensitive);

// The pieces between separators; a trailing separator gives no empty last piece.
TextArray SplitText(const Text& text, const Text& separator);

// Blanks are the ASCII space and the full-width space A1 A1, nothing else.
Text TrimBoth(const Text& text);
Text RemoveAllSpaces(const Text& text);

// "#引号", which callers write in markers and patterns for a double quote.
const Text& QuotePlaceholder();

// The text between the first `left` at or after byte `start` and the next `right`;
// empty when either marker is missing. "#引号" in a marker stands for a double quote.
Text TextBetween(const Text& text, const Text& left, const Text& right, int start = 0,
                 bool ignoreCase = false);

}  // namespace mlf
