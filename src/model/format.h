#pragma once

#include <string>

namespace vellanor {

// The printed forms of averages and marks, used by every display, report and
// export: two decimals with a point, whatever the user's locale.

// "%.2f" of the value, or "abs" for an undefined average (NaN).
std::string FormatAverage(float average);

// "abs" for an absent mark (and for a NaN, which only a damaged file holds),
// otherwise "%.2f" of the value; infinities print "inf" and "-inf".
std::string FormatMark(float mark);

}  // namespace vellanor
