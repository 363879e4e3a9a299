// Numbers to text and back.
#pragma once

#include "text/text.h"

namespace mlf {

// Decimal digits with a leading minus sign when negative.
Text ToText(int value);
// As "%.13g" formats it, whatever the process locale: 2.0 gives "2".
Text ToText(double value);
// The bytes up to the first zero byte.
Text ToText(const ByteSet& bytes);

// The leading decimal number of the text after folding full-width characters
// (A3 B1 is "1"); 0 when the text does not start with one.
double ToNumber(const Text& text);

// Truncated toward zero, and held inside the 32-bit range (NaN gives 0).
int ToInteger(double x);

}  // namespace mlf
