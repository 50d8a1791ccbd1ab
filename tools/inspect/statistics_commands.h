#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "csv_commands.h"

namespace vellanor::inspect {

// Whether the command line asks for --explain or --stats.
bool IsStatisticsCommand(const std::vector<std::string>& args);

// `--explain --class I --student J FILE`: how each stored average of the
// student at position J of class I comes about, one line per category that
// has grade columns ("Ecrit T1 : (12,00 × 1,00) / 1,00 = 12,00").
// `--stats --class I FILE`: the statistics table of class I, a header line
// and one line per grade column and per category's averages.
// Both print UTF-8; positions count from 0 in file order. A position beyond
// the file exits 1 with a message on `err`, bad arguments 2.
int RunStatisticsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                         const BookReader& read);

// Their lines of the usage text.
void PrintStatisticsUsage(std::ostream& stream);

}  // namespace vellanor::inspect
