// fresh_load MODE FILE: one operation of the load's benchmark, run in a
// process of its own so that it meets memory as the program's start-up does
// (every page of the heap new to the process). MODE is
//   load    the program's LoadDatabase of FILE (QtFileStore, as at start-up);
//   read    the streamed read of FILE, its baseline;
//   memory  one byte written in each page of as much new memory as FILE's size.
// Prints the operation's seconds and its minor page faults on one line; the
// start of the process (loading the libraries) is not counted.

#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "aborting_messages.h"
#include "document/database_operations.h"
#include "file_patterns.h"
#include "platform/file_store.h"

namespace {

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fresh_load load|read|memory FILE\n");
    return 2;
  }
  const std::string mode = argv[1];
  const std::string path = argv[2];
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    std::perror(path.c_str());
    return 1;
  }
  vellanor::Gradebook book;
  vellanor::bench::AbortingMessages messages;
  vellanor::platform::QtFileStore files;
  vellanor::DatabaseOperations database(book, messages, files);

  const long faults = MinorFaults();
  const auto start = std::chrono::steady_clock::now();
  std::size_t result = 0;
  if (mode == "load") {
    result = database.LoadDatabase(path) ? book.classes.size() : 0;
  } else if (mode == "read") {
    result = vellanor::bench::StreamFile(path);
  } else if (mode == "memory") {
    result = vellanor::bench::TouchNewMemory(static_cast<std::size_t>(info.st_size));
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  const auto end = std::chrono::steady_clock::now();
  const long spent = MinorFaults() - faults;
  std::printf("%.9f %ld %zu\n", std::chrono::duration<double>(end - start).count(), spent, result);
  return 0;
}
