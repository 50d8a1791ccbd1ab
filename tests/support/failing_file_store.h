#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <string>

#include "platform/file_store.h"

namespace vellanor::test {

// Real files (through QtFileStore) with failures on demand, to prove what a
// failed save leaves on disk: refusing to create the new file, a disk that
// fills up after a number of bytes, a commit (flush and rename) that fails.
class FailingFileStore : public platform::FileStore {
 public:
  platform::OpenedInput OpenForReading(const std::string& path) override;
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(
      const std::string& path) override;

  bool refuseToCreate = false;
  // Bytes accepted in all by a new file before its writes fail like a full
  // disk's (the write that crosses the limit takes the bytes that still fit).
  std::size_t acceptedBytes = std::numeric_limits<std::size_t>::max();
  bool failCommit = false;

  // What the code under test asked for.
  int openingsForWriting = 0;
  int commits = 0;
  std::size_t bytesWritten = 0;  // by the last new file

 private:
  platform::QtFileStore real_;
};

}  // namespace vellanor::test
