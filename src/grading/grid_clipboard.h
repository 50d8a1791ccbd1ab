#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grading/grade_grids.h"

// The grade-entry grid and the clipboard, in the text form spreadsheets
// exchange: one line per row, fields separated by tabs.

namespace vellanor {

// The grid as shown: the column titles, then one line per row. A number with
// a decimal point ("12.50", a typed "9.5") gets a decimal comma; every other
// text ("abs", names, "15/30") is copied as it reads, its tabs and line
// breaks turned to spaces so that it stays one field. Lines end with "\n".
std::string GridClipboardText(const GridContent& grid);

// The marks a pasted text holds: the first field (up to a tab) of each line,
// "\n", "\r\n" or "\r" ending a line. An empty line gives an empty text (an
// absence); the line break that ends the last line starts no further line.
std::vector<std::string> PastedMarkTexts(std::string_view text);

}  // namespace vellanor
