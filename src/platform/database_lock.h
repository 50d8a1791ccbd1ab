#pragma once

#include <memory>
#include <string>

class QLockFile;

namespace vellanor::platform {

// Keeps a second copy of the program away from a database while this one
// runs: two copies would each save their own gradebook over the other's.
// The lock is the file "<database>.lock" beside the database, held until
// destruction; the lock of a program that crashed is taken over.
class DatabaseLock {
 public:
  enum class State {
    Held,           // this program holds the lock
    HeldByAnother,  // another running program holds it
    Unavailable,    // no lock could be made (a read-only folder, say)
  };

  explicit DatabaseLock(const std::string& databasePath);
  ~DatabaseLock();
  DatabaseLock(const DatabaseLock&) = delete;
  DatabaseLock& operator=(const DatabaseLock&) = delete;

  // Takes the lock if it is free, without waiting.
  State Acquire();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace vellanor::platform
