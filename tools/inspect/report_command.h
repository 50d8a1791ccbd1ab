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
int ReportFile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vellanor::inspect
