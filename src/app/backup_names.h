#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

namespace vellanor {

// Names of the safety copies of the database, kept in a folder of their own:
// "2026-12-08_14h05_suppression-classe-4e-B.db". The date and time come
// first so that a listing shows them in order; which ones are kept goes by
// the files' modification times, which a clock set back cannot reorder.

// The name of a copy made at `when`, before `operation` on the record named
// `recordName` (Windows-1252, as stored). Everything but letters and digits
// becomes '-', so no name can reach outside the folder or trouble a file
// system; a long record name is cut. `attempt` > 1 gives "...-2.db", "...-3.db"
// for copies made in the same minute.
std::string BackupFileName(const platform::LocalDateTime& when, std::string_view operation,
                           std::string_view recordName, int attempt = 1);

// Whether a file of the folder is one of the copies ("YYYY-MM-DD_HHhMM_....db");
// anything else the teacher put there is left alone.
bool IsBackupFileName(std::string_view name);

// A file of the copies' folder, as the folder lists it.
struct BackupFile {
  std::string name;           // UTF-8
  std::int64_t modified = 0;  // milliseconds since the epoch
};

// Whether `a` was made before `b`: by the files' times, never by the times in
// their names (a clock set back would make every new name sort first); copies
// of the same instant keep the order of their names, where "...-A.db" came
// before "...-A-2.db" and "-9" before "-10". The pruning and the restore
// window's list both go by it.
bool MadeBefore(const BackupFile& a, const BackupFile& b);

// The copies to remove so that the `keep` latest stay, latest by their
// modification time (a copy dated in the future counts as the newest); the
// copy named `justMade` is never removed and counts as one of those kept.
std::vector<std::string> BackupsToRemove(std::vector<BackupFile> files, std::size_t keep,
                                         std::string_view justMade = {});

}  // namespace vellanor
