#include "platform/database_lock.h"

#include <QFileInfo>
#include <QLockFile>
#include <QString>

namespace vellanor::platform {

DatabaseLock::DatabaseLock(const std::string& databasePath)
    : lock_(std::make_unique<QLockFile>(
          QFileInfo(QString::fromStdString(databasePath)).absoluteFilePath() + ".lock")) {
  // A lock is stale only when the program that made it is gone: a teacher
  // keeps the program open for hours, so its age says nothing.
  lock_->setStaleLockTime(0);
}

DatabaseLock::~DatabaseLock() = default;

DatabaseLock::State DatabaseLock::Acquire() {
  if (lock_->tryLock(0)) {
    return State::Held;
  }
  return lock_->error() == QLockFile::LockFailedError ? State::HeldByAnother : State::Unavailable;
}

}  // namespace vellanor::platform
