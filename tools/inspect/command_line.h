#pragma once

#include <charconv>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "model/records.h"

namespace vellanor::inspect {

// Exit codes of vellanor-inspect.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // missing, unreadable or refused file
inline constexpr int kExitUsage = 2;

// A class or student position given on the command line: a whole
// non-negative number and nothing else.
inline std::optional<int> ReadPosition(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

// The class at `position` of `book`; nullptr, after saying on `err` how many
// classes the file has, when there is none.
const ClassRecord* ClassOrComplain(const Gradebook& book, int position, std::ostream& err);

// The student at `position` of the class at `classPosition`; nullptr, after
// saying on `err` how many students the class has, when there is none.
const StudentRecord* StudentOrComplain(const ClassRecord& record, int classPosition, int position,
                                       std::ostream& err);

// `vellanor-inspect FILE`: prints the whole gradebook of FILE as JSON on
// `out`. A file the program would refuse gets the program's own message on
// `err`; a missing file a plain one. Never creates or changes a file.
int InspectFile(const std::string& path, std::ostream& out, std::ostream& err);

// `vellanor-inspect --check FILE`: checks the rules of the data model and
// compares every stored average and grade column with a fresh recomputation,
// one line per difference and a summary line. Exit 0 when no rule is broken
// (stale averages alone are normal), 1 otherwise or when the file is refused.
int CheckFile(const std::string& path, std::ostream& out, std::ostream& err);

// The --report command (report_command.h), which draws with Qt.
using ReportCommand = int (*)(const std::vector<std::string>& args, std::ostream& out,
                              std::ostream& err);

// Runs the command line (arguments after the program name): picks the mode
// from its first argument and hands it the rest; --report goes to `report`.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   ReportCommand report);

// The same with ReportFile for --report: defined beside it, so that only the
// programs that link the reports layer (and so Qt) offer it.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vellanor::inspect
