#include "processes.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

extern char** environ;

namespace vellanor::bench {

namespace {

// The peak resident memory of a running process in KiB, or 0 once it ended.
double PeakKiB(pid_t process) {
  std::ifstream status("/proc/" + std::to_string(process) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) {
      return std::stod(line.substr(6));
    }
  }
  return 0;
}

}  // namespace

ProcessRun RunProcess(const std::vector<std::string>& arguments, bool keepOutput,
                      bool watchMemory) {
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& argument : copies) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  int pipeEnds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (keepOutput) {
    if (pipe(pipeEnds) != 0) {
      std::abort();
    }
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::perror(argv[0]);
    std::abort();
  }
  posix_spawn_file_actions_destroy(&actions);
  ProcessRun run;
  if (keepOutput) {
    close(pipeEnds[1]);
    char piece[4096];
    for (ssize_t got; (got = read(pipeEnds[0], piece, sizeof piece)) > 0;) {
      run.output.append(piece, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
  }
  int status = 0;
  double peakKiB = 0;
  while (watchMemory && waitpid(child, &status, WNOHANG) == 0) {
    peakKiB = std::max(peakKiB, PeakKiB(child));
    usleep(1000);
  }
  if (!watchMemory) {
    waitpid(child, &status, 0);
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakMiB = peakKiB / 1024;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed: %s\n", argv[0], run.output.c_str());
    std::abort();
  }
  return run;
}

}  // namespace vellanor::bench
