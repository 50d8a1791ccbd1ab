#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/backup_names.h"

namespace vellanor {

class MainWindowOperations;

// Safety copies of the database, made before every change that cannot be
// undone. They go into the folder "Sauvegardes" beside the database, one file
// per change, named by date, time, operation and record
// ("2026-12-08_14h05_suppression-classe-4e-B.db"); the 50 latest are kept.
// "Gestion › Restaurer une copie…" restores one (dialogs/restore_dlg.h); by
// hand, the teacher closes the program and copies it in place of Vellanor.db.
inline constexpr char kBackupFolderName[] = "Sauvegardes";
inline constexpr std::size_t kBackupsKept = 50;

// Operation labels, as they appear in the copies' names.
inline constexpr char kBackupClassDeletion[] = "suppression-classe";
inline constexpr char kBackupStudentDeletion[] = "suppression-eleve";
inline constexpr char kBackupGradeDeletion[] = "suppression-notes";
inline constexpr char kBackupImport[] = "importation";

// The folder of the copies of the database at `databasePath`.
std::string BackupFolderOf(const std::string& databasePath);

// The files of that folder, with their modification times.
std::vector<BackupFile> BackupFolderFiles(const std::string& folder);

// Copies the database file, as it stands on disk, before `operation` changes
// the record named `recordName` (Windows-1252, as stored). Returns whether to
// go on with the change: yes when the copy was made (or there is no file to
// copy); when it could not be made, the teacher is asked and decides.
bool BackUpBeforeChange(MainWindowOperations& main, std::string_view operation,
                        std::string_view recordName);

enum class Deletion { Class, Student, GradeColumns };

// BackUpBeforeChange for the deletion of the class at `classPosition`, of the
// student at `studentPosition` in it, or of grade columns of that class.
// Nothing is copied when there is no such record to delete.
bool BackUpBeforeDeletion(MainWindowOperations& main, Deletion what, int classPosition,
                          int studentPosition = -1);

}  // namespace vellanor
