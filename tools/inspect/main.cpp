// vellanor-inspect: shows what a Vellanor database file holds, as JSON.

#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vellanor::inspect::RunCommandLine(args, std::cout, std::cerr);
}
