#include "app/backup_list.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "app/backup_names.h"
#include "document/input_source.h"
#include "model/database_codec.h"
#include "platform/file_store.h"

namespace vellanor {
namespace {

struct OperationLabel {
  std::string_view label;  // as in the names
  const char* text;        // as the window says it
};

constexpr std::array<OperationLabel, 6> kOperations{{
    {"suppression-classe", "Suppression d'une classe"},
    {"suppression-eleve", "Suppression d'un élève"},
    {"suppression-notes", "Suppression de notes"},
    {"importation", "Importation"},
    {"avant-restauration", "Avant une restauration"},
    {"fichier-remplace", "Fichier modifié par un autre programme"},
}};

// "2026-12-08_14h05_suppression-classe-4e-B.db": the date and time, the
// operation, then the record with '-' for what separated its words.
void DescribeName(BackupEntry& entry) {
  const std::string& name = entry.fileName;
  entry.when = name.substr(8, 2) + "/" + name.substr(5, 2) + "/" + name.substr(0, 4) + " " +
               name.substr(11, 2) + ":" + name.substr(14, 2);
  std::string rest = name.substr(17, name.size() - 17 - 3);
  entry.operation = rest;
  for (const OperationLabel& operation : kOperations) {
    if (rest.rfind(operation.label, 0) == 0) {
      entry.operation = operation.text;
      rest.erase(0, std::min(rest.size(), operation.label.size() + 1));
      break;
    }
  }
  std::replace(rest.begin(), rest.end(), '-', ' ');
  entry.record = rest;
}

void ReadContent(platform::FileStore& files, const std::string& path, BackupEntry& entry) {
  const DbReadError error = DecodeDatabaseFile(files, path, [&entry](ClassRecord&& record) {
    ++entry.classes;
    entry.students += record.students.size();
    for (const StudentRecord& student : record.students) {
      entry.marks += student.grades.size();
    }
  });
  entry.readable = error == DbReadError::None;
}

}  // namespace

std::vector<BackupEntry> ListBackups(platform::FileStore& files, const std::string& folder,
                                     std::vector<BackupFile> entries) {
  std::erase_if(entries, [](const BackupFile& entry) { return !IsBackupFileName(entry.name); });
  std::sort(entries.begin(), entries.end(),
            [](const BackupFile& a, const BackupFile& b) { return MadeBefore(b, a); });
  std::vector<BackupEntry> list;
  list.reserve(entries.size());
  for (const BackupFile& found : entries) {
    BackupEntry entry;
    entry.fileName = found.name;
    DescribeName(entry);
    ReadContent(files, folder + "/" + found.name, entry);
    list.push_back(std::move(entry));
  }
  return list;
}

}  // namespace vellanor
