#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vellanor::platform {
class FileStore;
}

namespace vellanor {

// A file of the safety copies' folder, as the folder lists it.
struct FolderEntry {
  std::string name;           // UTF-8
  std::int64_t modified = 0;  // milliseconds since the epoch
};

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

// The copies among `entries` (other files are left out), newest first (by
// the time in the name, then by the file's time), each read whole with the
// program's own reader from `folder` through `files` to say what it holds.
std::vector<BackupEntry> ListBackups(platform::FileStore& files, const std::string& folder,
                                     std::vector<FolderEntry> entries);

}  // namespace vellanor
