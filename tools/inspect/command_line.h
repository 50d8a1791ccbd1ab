#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vellanor::inspect {

// Exit codes of vellanor-inspect.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // missing, unreadable or refused file
inline constexpr int kExitUsage = 2;

// `vellanor-inspect FILE`: prints the whole gradebook of FILE as JSON on
// `out`. A file the program would refuse gets the program's own message on
// `err`; a missing file a plain one. Never creates or changes a file.
int InspectFile(const std::string& path, std::ostream& out, std::ostream& err);

// Runs the command line (arguments after the program name): picks the mode
// from its first argument and hands it the rest.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vellanor::inspect
