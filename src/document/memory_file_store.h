#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_store.h"

namespace vellanor {

// Files kept as bytes in memory: nothing it is given is ever written to the
// disk. A path it does not hold is read through `reads` when there is one (a
// CSV file to preview, say), else is missing. A document over it runs every
// save and read back as the program does, which previews and tests use.
class MemoryFileStore : public platform::FileStore {
 public:
  using Bytes = std::vector<std::uint8_t>;

  explicit MemoryFileStore(platform::FileStore* reads = nullptr) : reads_(reads) {}

  platform::OpenedInput OpenForReading(const std::string& path) override;
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(
      const std::string& path) override;

  std::map<std::string, Bytes> files;
  int commits = 0;           // files put in place
  bool failCommits = false;  // every new file fails to be put in place (a full disk)

 private:
  platform::FileStore* reads_;
};

}  // namespace vellanor
