#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

namespace vellanor::platform {

// The system calls a save (and a read) makes, each one passing through Perform so that a
// test can make any of them fail, or stop the save there as a crash would.
// Every call returns what the system call returns: -1 with errno set on
// failure.
class SystemCalls {
 public:
  enum class Call {
    Stat,        // the old file's mode
    Open,        // the new file
    Write,       // a piece of the new content
    DataSync,    // the new content to the disk
    ChangeMode,  // the new file takes the old one's mode
    Close,       // a file or a folder
    Rename,      // the new file in the old one's place
    OpenFolder,  // the folder that holds both
    SyncFolder,  // the rename to the disk
    Unlink,      // a new file that will not be used
    Read,        // a piece of a file being read
    FileStat,    // what an opened file is (a regular file, a folder, a FIFO)
    Link,        // a second name for a file, given only if the name is free
  };

  virtual ~SystemCalls() = default;

  int Stat(const std::string& path, struct stat& out);
  int Open(const std::string& path, int flags, mode_t mode);
  long Write(int fd, const void* data, std::size_t size);
  int DataSync(int fd);
  int ChangeMode(int fd, mode_t mode);
  int Close(int fd);
  int Rename(const std::string& from, const std::string& to);
  int OpenFolder(const std::string& path);
  int SyncFolder(int fd);
  int Unlink(const std::string& path);
  long Read(int fd, void* buffer, std::size_t size);
  int FileStat(int fd, struct stat& out);
  int Link(const std::string& from, const std::string& to);

  // The one real system calls of the process.
  static SystemCalls& Real();

 protected:
  // Runs the system call; a test's override may refuse it instead (return -1
  // with errno set) without running it.
  virtual long Perform(Call call, const std::function<long()>& real);
};

}  // namespace vellanor::platform
