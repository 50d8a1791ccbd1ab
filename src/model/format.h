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

// The same two decimals with a decimal comma, as French texts write them:
// "12,50", "abs" for NaN (and, for a mark, the absence value).
std::string FormatAverageWithComma(float average);
std::string FormatMarkWithComma(float mark);
// "%.2f" of a double with a decimal comma, rounded as printf rounds.
std::string FormatDecimalComma(double value);

// "Ecrit T1", "Oral T1", ... "Oral T3" for the categories 0 to 5, "" for any
// other number.
std::string CategoryName(int category);

}  // namespace vellanor
