#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vellanor::platform {

// How a program run to its end went.
struct ProcessResult {
  enum class Outcome {
    kFinished,    // it ended by itself; see exitCode
    kNotStarted,  // missing, not runnable, or no process could be made
    kStopped,     // the watcher asked to stop it and it was killed
    kCrashed,     // it died of a signal
  };
  Outcome outcome = Outcome::kNotStarted;
  int exitCode = -1;
  std::string output;  // standard output then standard error, as the program wrote them
};

// Runs outside programs to their end (LibreOffice converting documents), with
// an argument list, never through a command interpreter. While the program
// runs, `watch` is called about ten times a second with the milliseconds
// since the start; returning false kills the program (a time-out, or the
// teacher's "Annuler"). Tests give a fake that finds scripted programs.
class ProcessRunner {
 public:
  using Watch = std::function<bool(long long elapsedMs)>;

  virtual ~ProcessRunner() = default;
  // The full path of `program` (a bare name is looked up on the search path),
  // or an empty string when it is not installed.
  virtual std::string FindProgram(const std::string& program) = 0;
  virtual ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                            const Watch& watch) = 0;
};

// QProcess; the event loop keeps turning while the program runs, so that a
// progress window stays drawn and its "Annuler" can be pressed.
class QtProcessRunner : public ProcessRunner {
 public:
  std::string FindProgram(const std::string& program) override;
  ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                    const Watch& watch) override;
};

}  // namespace vellanor::platform
