#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/program_launcher.h"

namespace vellanor::test {

// Records what would have been started or opened, starts nothing. Programs
// listed in `installed` are found (at "/usr/bin/<name>") and start; the
// others are missing. URLs open while `opensUrls` is true.
class FakeProgramLauncher : public platform::ProgramLauncher {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
  };

  std::string FindProgram(const std::string& program) override {
    return installed.contains(program) ? "/usr/bin/" + program : std::string();
  }
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back({program, arguments});
    return installed.contains(program) || installed.contains(BaseName(program));
  }
  bool OpenUrl(const std::string& url) override {
    openedUrls.push_back(url);
    return opensUrls;
  }

  std::set<std::string> installed;
  bool opensUrls = true;
  std::vector<Started> started;
  std::vector<std::string> openedUrls;

 private:
  static std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }
};

}  // namespace vellanor::test
