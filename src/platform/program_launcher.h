#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vellanor::platform {

// Why a program or an address could not be opened.
enum class LaunchError {
  kNone,
  kNotFound,        // no such program or file
  kAccessDenied,    // it exists but may not be run or read
  kNoHandler,       // nothing on the desktop opens this kind of address
  kOutOfResources,  // the system could not make the process
};

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
  // As Start, then calls `finished` from the event loop once the program has
  // ended, with true when it ended by itself with exit code 0 and false when
  // it failed or crashed; never called when it did not start. A program
  // still running when this one ends goes on, and `finished` is not called.
  virtual bool StartThen(const std::string& program, const std::vector<std::string>& arguments,
                         std::function<void(bool succeeded)> finished) = 0;
  // Opens a URL (https:, mailto:, file:) with the desktop's handler; true when
  // a handler took it.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Whether the system knows at least one printer.
  virtual bool HasPrinter() = 0;
  // Why the last Start or OpenUrl that returned false failed.
  virtual LaunchError LastError() const { return LaunchError::kNotFound; }
};

// QProcess, QDesktopServices and QPrinterInfo.
class QtProgramLauncher : public ProgramLauncher {
 public:
  std::string FindProgram(const std::string& program) override;
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool StartThen(const std::string& program, const std::vector<std::string>& arguments,
                 std::function<void(bool succeeded)> finished) override;
  bool OpenUrl(const std::string& url) override;
  bool HasPrinter() override;
  LaunchError LastError() const override { return lastError_; }

 private:
  bool Fail(LaunchError error);

  LaunchError lastError_ = LaunchError::kNone;
};

}  // namespace vellanor::platform
