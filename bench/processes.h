#pragma once

#include <string>
#include <vector>

namespace vellanor::bench {

// One run of a program in a process of its own.
struct ProcessRun {
  double seconds = 0;  // from its start to its end, as a user waits for it
  double peakMiB = 0;  // its largest resident memory
  std::string output;  // its standard output, when kept
};

// Runs `arguments` (the first is the program: a path, or a name looked up
// in PATH) and waits for it; its standard output is kept, or thrown away
// (/dev/null). Aborts when it cannot start or does not end with status 0.
// With `watchMemory` its peak resident memory is read from /proc every
// millisecond while it runs: the peak that wait4 reports also counts this
// process's own, which the child shares until it starts its program.
ProcessRun RunProcess(const std::vector<std::string>& arguments, bool keepOutput,
                      bool watchMemory = false);

}  // namespace vellanor::bench
