#pragma once

#include <string>
#include <vector>

namespace vellanor::platform {

// Starts outside programs (the calculator, the word processor, a browser)
// and hands addresses to the desktop. Programs are started with an argument
// list, never through a command interpreter, so no text of the gradebook can
// run anything. Tests give a scripted fake.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // The full path of `program` (a bare name is looked up on the search path),
  // or an empty string when it is not installed.
  virtual std::string FindProgram(const std::string& program) = 0;
  // Starts `program` with `arguments` without waiting for it; true when the
  // process started.
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Opens a URL (https:, mailto:, file:) with the desktop's handler; true when
  // a handler took it.
  virtual bool OpenUrl(const std::string& url) = 0;
};

// QProcess and QDesktopServices.
class QtProgramLauncher : public ProgramLauncher {
 public:
  std::string FindProgram(const std::string& program) override;
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool OpenUrl(const std::string& url) override;
};

}  // namespace vellanor::platform
