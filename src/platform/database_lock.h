#pragma once

#include <cstdint>
#include <string>

namespace vellanor::platform {

class SystemCalls;

// Keeps a second copy of the program away from a database while this one
// runs: two copies would each save their own gradebook over the other's.
// The lock is the file "<database>.lock" beside the file the database's name
// resolves to (so that two folders linking to one file share one lock),
// held until destruction and removed then if it is still this program's.
// It holds five lines: the process number, the program's name, the
// computer's name, the time the lock was taken (seconds since the epoch) and
// the computer's boot id (a lock of an earlier boot is stale whatever
// process now bears its number). It is written whole before it gets its
// name, so that only a power cut can leave it empty; an empty or garbled
// lock, and the lock of a process of this computer that is gone (or only
// waits for its parent to collect it), is taken over. A lock this program
// may not read (another account's) is held by another.
class DatabaseLock {
 public:
  enum class State {
    Held,            // this program holds the lock
    HeldByAnother,   // another running program of this computer holds it
    OtherComputer,   // a program of another computer holds it: see Holder()
    ReadOnlyFolder,  // the folder cannot take a lock, nor a save
    Unavailable,     // no lock could be made: see Error()
  };

  struct Holder {
    std::string computer;
    std::int64_t since = 0;  // seconds since the epoch; 0 when unknown
  };

  explicit DatabaseLock(const std::string& databasePath);
  DatabaseLock(const std::string& databasePath, SystemCalls& calls);
  ~DatabaseLock();
  DatabaseLock(const DatabaseLock&) = delete;
  DatabaseLock& operator=(const DatabaseLock&) = delete;

  // Takes the lock if it is free, without waiting.
  State Acquire();
  // Takes the lock of another computer's program, when the teacher knows
  // that program is no longer running. Returns what Acquire would.
  State TakeOver();

  // After OtherComputer: who holds the lock.
  const Holder& HeldBy() const { return holder_; }
  // After Unavailable: the errno of the step that failed.
  int Error() const { return error_; }
  // Whether this program holds the lock.
  bool Held() const { return held_; }
  // The lock file's path, and the folder it goes in.
  const std::string& Path() const { return path_; }
  std::string Folder() const;

 private:
  State Create();
  State Inspect();
  State RemoveStale(const std::string& stale);

  SystemCalls& calls_;
  std::string path_;
  Holder holder_;
  std::string content_;  // what this program's lock holds
  int error_ = 0;
  bool held_ = false;
};

}  // namespace vellanor::platform
