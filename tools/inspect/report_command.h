#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vellanor::inspect {

// `vellanor-inspect --report TEMPLATE --class I [--student J] [--charts] FILE`
// (`args` are the arguments after "--report"): prints on `out` the document
// "Produire" would write from the RTF template for the class at position I
// of FILE, or for its student at position J (positions count from 0 in file
// order), with the charts when --charts is given. Writes no file.
// With `--pdf OUT.pdf` the same document, converted by LibreOffice, goes to
// OUT.pdf instead, and `--all-students` puts the document of every student of
// the class there, one after the other; exit 1 with LibreOffice's message
// when the conversion fails.
int ReportFile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vellanor::inspect
