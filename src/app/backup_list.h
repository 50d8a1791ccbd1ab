#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/backup_names.h"

namespace vellanor::platform {
class FileStore;
}

namespace vellanor {

// One safety copy as the restore window shows it.
struct BackupEntry {
  std::string fileName;
  std::string when;       // "08/12/2026 14:05", from the name
  std::string operation;  // "Suppression d'une classe"
  std::string record;     // what the name keeps of the record ("4e B")
  bool readable = false;  // false: damaged, cannot be restored
  std::size_t classes = 0;
  std::size_t students = 0;
  std::size_t marks = 0;
};

// The copies among `entries` (other files are left out), newest first as the
// pruning counts them (MadeBefore), each read whole with the program's own
// reader from `folder` through `files` to say what it holds.
std::vector<BackupEntry> ListBackups(platform::FileStore& files, const std::string& folder,
                                     std::vector<BackupFile> entries);

}  // namespace vellanor
