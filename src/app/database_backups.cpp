#include "app/database_backups.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include "app/backup_names.h"
#include "app/main_window_operations.h"
#include "model/database_messages.h"
#include "model/gradebook.h"
#include "platform/clock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"

namespace vellanor {
namespace {

enum class CopyResult { Done, NoDatabase, Failed };

// `from` copied whole into the new file `to`, flushed and renamed into place
// like a save, so that a copy that exists is complete.
CopyResult CopyFile(platform::FileStore& files, const std::string& from, const std::string& to) {
  platform::OpenedInput input = files.OpenForReading(from);
  if (input.status == platform::OpenStatus::Missing) {
    return CopyResult::NoDatabase;
  }
  if (input.status != platform::OpenStatus::Opened) {
    return CopyResult::Failed;
  }
  // The copy is as private as the database: a 0600 database must not give
  // copies every account can read.
  std::error_code error;
  const auto permissions = std::filesystem::status(from, error).permissions();
  if (error) {
    return CopyResult::Failed;
  }
  auto output = files.OpenForAtomicWritingWithMode(to, static_cast<unsigned>(permissions) & 07777);
  if (!output) {
    return CopyResult::Failed;
  }
  std::vector<char> buffer(64 * 1024);
  while (const std::size_t count = input.file->Read(buffer.data(), buffer.size())) {
    if (output->Write(buffer.data(), count) != count) {
      return CopyResult::Failed;
    }
  }
  if (input.file->Failed()) {
    return CopyResult::Failed;  // a half copy is no copy
  }
  // A copy whose folder's flush alone failed is in place all the same.
  return output->Commit() || output->InPlace() ? CopyResult::Done : CopyResult::Failed;
}

// Keeps the latest copies and the one just made; a copy that cannot be
// removed stays, unsaid.
void PruneBackups(const QString& folder, const QString& justMade) {
  QDir dir(folder);
  for (const std::string& name : BackupsToRemove(BackupFolderFiles(folder.toStdString()),
                                                 kBackupsKept,
                                                 QFileInfo(justMade).fileName().toStdString())) {
    dir.remove(QString::fromStdString(name));
  }
}

CopyResult MakeBackup(platform::Services& services, std::string_view operation,
                      std::string_view recordName) {
  const std::string folderPath = BackupFolderOf(kDatabaseFileName);
  const QString folder = QString::fromStdString(folderPath);
  std::error_code error;
  if (std::filesystem::create_directory(folderPath, error)) {
    // A new folder of copies is as private as the data folder that holds it.
    const std::filesystem::path dataFolder = std::filesystem::path(folderPath).parent_path().empty()
                                                 ? std::filesystem::path(".")
                                                 : std::filesystem::path(folderPath).parent_path();
    const auto permissions = std::filesystem::status(dataFolder, error).permissions();
    if (!error) {
      std::filesystem::permissions(folderPath, permissions, error);
    }
  } else if (!std::filesystem::is_directory(folderPath, error)) {
    return CopyResult::Failed;
  }
  const platform::LocalDateTime now = services.clock.Now();
  QString target;
  for (int attempt = 1; target.isEmpty() || QFileInfo::exists(target); ++attempt) {
    target = QDir(folder).filePath(
        QString::fromStdString(BackupFileName(now, operation, recordName, attempt)));
  }
  const CopyResult result = CopyFile(services.files, kDatabaseFileName, target.toStdString());
  if (result == CopyResult::Done) {
    PruneBackups(folder, target);
  }
  return result;
}

}  // namespace

std::vector<BackupFile> BackupFolderFiles(const std::string& folder) {
  std::vector<BackupFile> files;
  for (const QFileInfo& entry : QDir(QString::fromStdString(folder)).entryInfoList(QDir::Files)) {
    files.push_back({entry.fileName().toStdString(), entry.lastModified().toMSecsSinceEpoch()});
  }
  return files;
}

std::string BackupFolderOf(const std::string& databasePath) {
  return QFileInfo(QString::fromStdString(databasePath))
      .dir()
      .filePath(QString::fromLatin1(kBackupFolderName))
      .toStdString();
}

bool BackUpBeforeChange(MainWindowOperations& main, std::string_view operation,
                        std::string_view recordName) {
  platform::Services& services = main.GetServices();
  if (MakeBackup(services, operation, recordName) != CopyResult::Failed) {
    return true;
  }
  return services.messages.AskYesNo(kBackupFailedQuestion, kCaptionWarning);
}

bool BackUpBeforeDeletion(MainWindowOperations& main, Deletion what, int classPosition,
                          int studentPosition) {
  const ClassRecord* record = ClassAt(main.GetGradebook(), classPosition);
  if (record == nullptr) {
    return true;
  }
  switch (what) {
    case Deletion::Class:
      return BackUpBeforeChange(main, kBackupClassDeletion, record->name.View());
    case Deletion::GradeColumns:
      return BackUpBeforeChange(main, kBackupGradeDeletion, record->name.View());
    case Deletion::Student:
      break;
  }
  const StudentRecord* student = StudentAt(*record, studentPosition);
  if (student == nullptr) {
    return true;
  }
  return BackUpBeforeChange(main, kBackupStudentDeletion,
                            student->name.Str() + ' ' + student->firstName.Str());
}

}  // namespace vellanor
