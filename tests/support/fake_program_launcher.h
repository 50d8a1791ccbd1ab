#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/program_launcher.h"

namespace vellanor::test {

// Records what would have been started or opened, starts nothing. Programs
// listed in `installed` are found (at "/usr/bin/<name>") and start; those in
// `broken` are found but fail to start (access denied); the others are
// missing. The system has a printer while `printerInstalled`. URLs open while `opensUrls` is true,
// and otherwise fail with `urlError`.
class FakeProgramLauncher : public platform::ProgramLauncher {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
  };

  std::string FindProgram(const std::string& program) override {
    return installed.contains(program) || broken.contains(program) ? "/usr/bin/" + program
                                                                   : std::string();
  }
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back({program, arguments});
    if (installed.contains(program) || installed.contains(BaseName(program))) {
      lastError_ = platform::LaunchError::kNone;
      return true;
    }
    lastError_ = broken.contains(BaseName(program)) ? platform::LaunchError::kAccessDenied
                                                    : platform::LaunchError::kNotFound;
    return false;
  }
  bool StartThen(const std::string& program, const std::vector<std::string>& arguments,
                 std::function<void(bool succeeded)> finished) override {
    if (!Start(program, arguments)) {
      return false;
    }
    running.push_back(std::move(finished));
    return true;
  }
  // Ends the programs started with StartThen, as their exits would: with
  // exit code 0 when `succeeded`, otherwise failed.
  void FinishAll(bool succeeded = true) {
    std::vector<std::function<void(bool)>> ending;
    ending.swap(running);
    for (const auto& finished : ending) {
      finished(succeeded);
    }
  }
  bool HasPrinter() override { return printerInstalled; }
  bool OpenUrl(const std::string& url) override {
    openedUrls.push_back(url);
    lastError_ = opensUrls ? platform::LaunchError::kNone : urlError;
    return opensUrls;
  }
  platform::LaunchError LastError() const override { return lastError_; }

  std::set<std::string> installed;
  bool printerInstalled = true;
  std::vector<std::function<void(bool)>> running;  // what StartThen's programs run on exiting
  std::set<std::string> broken;
  bool opensUrls = true;
  platform::LaunchError urlError = platform::LaunchError::kNoHandler;
  std::vector<Started> started;
  std::vector<std::string> openedUrls;

 private:
  static std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }

  platform::LaunchError lastError_ = platform::LaunchError::kNone;
};

}  // namespace vellanor::test
