#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "model/records.h"

namespace vellanor::inspect {

// Reads a database file as the program would; false, with the message on
// `err`, when it is missing or the program would refuse it.
using BookReader = std::function<bool(const std::string& path, Gradebook& book, std::ostream& err)>;

// Whether the command line asks for a CSV export or import.
bool IsCsvCommand(const std::vector<std::string>& args);

// `--export-csv --class I [--student J] FILE`: the export's bytes on `out`.
// `--import-csv CSV --class I [--create-missing] [--any-class] FILE`: the
// import run on a copy in memory, the resulting gradebook as JSON on `out`
// when marks changed, each message box of the run on `err` as it would show
// (the questions about unknown students answered Yes with --create-missing,
// the one about a file of another class Yes with --any-class, No without). Positions count
// from 0 in file order. Nothing is ever written to a file.
int RunCsvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const BookReader& read);

// Their lines of the usage text.
void PrintCsvUsage(std::ostream& stream);

}  // namespace vellanor::inspect
