#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/process_runner.h"

namespace vellanor::test {

// Runs programs for real, but finds only those a test names in `programs`
// (a name and the path of a script standing in for it); every other program
// is missing. Records each run's program and arguments.
class FakeProcessRunner : public platform::QtProcessRunner {
 public:
  struct Ran {
    std::string program;
    std::vector<std::string> arguments;
  };

  std::string FindProgram(const std::string& program) override {
    const auto found = programs.find(program);
    return found == programs.end() ? std::string() : found->second;
  }
  platform::ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                              const Watch& watch) override {
    runs.push_back({program, arguments});
    if (whileRunning) {
      whileRunning();
    }
    return QtProcessRunner::Run(program, arguments, watch);
  }

  std::map<std::string, std::string> programs;
  std::vector<Ran> runs;
  // Called as each program starts, as the teacher could act while it runs.
  std::function<void()> whileRunning;
};

}  // namespace vellanor::test
