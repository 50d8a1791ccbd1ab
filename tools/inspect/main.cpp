// vellanor-inspect: shows what a Vellanor database file holds, as JSON.
//
// --report draws charts with Qt, whose libraries take this program longer to
// start than checking a whole school year: it is left to
// vellanor-inspect-report, built and installed beside this program, so that
// the other modes start without them.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "command_line.h"

namespace {

constexpr char kReportProgram[] = "vellanor-inspect-report";

// Runs vellanor-inspect-report from this program's folder with the same
// arguments; returns only when it cannot.
int RunReportProgram(char** argv) {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    self = argv[0];
  }
  std::string program = (self.parent_path() / kReportProgram).string();
  argv[0] = program.data();
  execv(program.c_str(), argv);
  std::cerr << "vellanor-inspect: " << program << ": " << std::strerror(errno) << "\n";
  return vellanor::inspect::kExitRefused;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "--report") {
    return RunReportProgram(argv);
  }
  return vellanor::inspect::RunCommandLine(args, std::cout, std::cerr, nullptr);
}
