#pragma once

#include <string_view>

namespace vellanor {

// Reads the decimal number at the start of a text, as typed marks and
// coefficients and CSV fields are read: leading white space skipped, an
// optional sign, digits with a point as decimal separator (a comma right
// after the integer digits and before a digit counts as the point: "12,5" is
// 12.5), an optional exponent. It stops at the first character that cannot continue the number;
// a text that does not begin with a number gives 0. No hexadecimal, no "inf"
// or "nan" (they give 0), and the user's locale plays no part. Numbers past
// the range of a double give an infinity, those too small for it 0.
double ReadLeadingNumber(std::string_view text);

}  // namespace vellanor
