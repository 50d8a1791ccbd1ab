#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

namespace vellanor {

// Appends the RTF picture of a chart to `out`: the class (whose grade counts
// space the points), the grade list to plot, and the trimester (1 to 3, or 0
// for the whole year). AppendChartPicture is the program's; tests give
// their own.
using ChartMaker = std::function<void(std::string& out, const ClassRecord& record,
                                      const std::vector<GradeRecord>& grades, int trimester)>;

// The length of every picture the program draws, used to size documents.
inline constexpr std::size_t kChartPictureLength = 480374;

// No document grows past this size (1 GiB).
inline constexpr std::size_t kLargestDocument = std::size_t{1} << 30;

// Fills a report template for one class (class mode, no student) or for one
// student of that class: every "$$..." placeholder of the class table, then
// of the student table, is replaced wherever it occurs, in table order, so a
// value that holds a later placeholder gets it replaced too. Placeholders
// that no pass replaces stay as typed. The chart placeholders are replaced
// only when `charts` is given (the teacher asked for charts): by the class's
// charts in class mode, by the student's in student mode.
//
// The template is Windows-1252 text and ends at its first NUL byte; its
// bytes are kept as they are. Inserted texts are made safe for RTF: "\",
// "{" and "}" are escaped, every other byte is inserted as it is.
//
// Throws std::length_error rather than build a document larger than
// kLargestDocument.
std::string MergeTemplate(std::string_view templateText, const ClassRecord& record,
                          const StudentRecord* student, bool classMode, const ChartMaker& charts);

// Every placeholder the merge knows, class table first, each once.
std::vector<std::string> PlaceholderTexts();

// "\", "{" and "}" preceded by a backslash, so that a name or an information
// text reads in the document as typed and cannot break its structure.
void AppendRtfEscaped(std::string& out, std::string_view text);

}  // namespace vellanor
