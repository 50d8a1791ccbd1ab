// vellanor-inspect-report: vellanor-inspect with --report, which draws with
// Qt; vellanor-inspect hands that command to it.

#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vellanor::inspect::RunCommandLine(args, std::cout, std::cerr);
}
