#pragma once

#include <string_view>

namespace vellanor {

// What is read of a typed text in the grade-entry window (a grid cell, the
// in-place editor, the information text of a new grade column): its first 31
// characters, the content of a 32-byte buffer.
inline constexpr int kTypedTextLength = 31;

// The mark a typed text stands for. At most its first 31 characters are read.
// An empty text, a text beginning with "abs" in any case ("Absent", "ABS."),
// and a number that reads as exactly -1 give the absence value; a mark on
// another scale ("15/30", ReadScaledMark) gives its value out of 20; any other
// text gives its leading decimal number (ReadLeadingNumber: point as the
// separator, 0 when it does not begin with a number) as a 32-bit float, with
// no range check.
float ParseMark(std::string_view text);

// The coefficient of a new grade column typed as text: its first 7
// characters read as a decimal number the same way; a coefficient of 0
// becomes 1. There is no other check.
float ParseCoefficient(std::string_view text);

}  // namespace vellanor
