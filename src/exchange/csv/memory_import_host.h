#pragma once

#include <cstdint>
#include <vector>

#include "exchange/csv/csv_import.h"

namespace vellanor::exchange {

// An import host that never writes a file: the "database" is the bytes the
// gradebook encodes to, kept in memory, and reading it back decodes them, so
// an import run goes through the same save and reload as in the program.
// vellanor-inspect previews an import with it.
class MemoryImportHost : public ImportHost {
 public:
  MemoryImportHost(Gradebook& book, platform::MessageService& messages, platform::FileStore& files);

  Gradebook& GetGradebook() override { return book_; }
  platform::MessageService& Messages() override { return messages_; }
  platform::FileStore& Files() override { return files_; }
  // Refuses, with the program's message, a gradebook whose file could not be
  // read back, as the program's save does.
  bool SaveDatabase() override;
  bool LoadDatabase() override;
  void RebuildTree() override {}

  int saves = 0;
  int loads = 0;

 private:
  Gradebook& book_;
  platform::MessageService& messages_;
  platform::FileStore& files_;
  std::vector<std::uint8_t> saved_;
};

}  // namespace vellanor::exchange
