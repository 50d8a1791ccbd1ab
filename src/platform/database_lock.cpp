#include "platform/database_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "platform/system_calls.h"

namespace vellanor::platform {
namespace {

constexpr std::size_t kLongestLock = 4096;

// The file a name resolves to, followed through links; the name itself when
// it resolves to nothing yet (a dangling link: the file it would make).
std::string ResolvedPath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path name(path);
  fs::path resolved = fs::canonical(name, error);
  if (!error) {
    return resolved.string();
  }
  const fs::path absolute = fs::absolute(name, error).lexically_normal();
  if (fs::is_symlink(absolute, error)) {
    const fs::path target = fs::read_symlink(absolute, error);
    if (!error) {
      return (target.is_absolute() ? target : absolute.parent_path() / target)
          .lexically_normal()
          .string();
    }
  }
  return absolute.string();
}

std::string ThisComputer() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) {
    return {};
  }
  return name;
}

// A folder that refuses every new file: no save can work there either.
bool MeansReadOnly(int error) {
  return error == EROFS || error == EACCES || error == EPERM;
}

// The whole of `fd`, at most kLongestLock bytes; false on a read error.
bool ReadAll(SystemCalls& calls, int fd, std::string& content) {
  char buffer[512];
  while (content.size() < kLongestLock) {
    const long count = calls.Read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      return false;
    }
    if (count == 0) {
      break;
    }
    content.append(buffer, static_cast<std::size_t>(count));
  }
  return true;
}

// The content of the lock file at `path`; false, with errno set, when it
// cannot be opened or read.
bool ReadLockFile(SystemCalls& calls, const std::string& path, std::string& content) {
  const int fd = calls.Open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
  if (fd < 0) {
    return false;
  }
  const bool read = ReadAll(calls, fd, content);
  const int error = errno;
  calls.Close(fd);
  errno = error;
  return read;
}

bool WriteAll(SystemCalls& calls, int fd, std::string_view content) {
  while (!content.empty()) {
    const long count = calls.Write(fd, content.data(), content.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      if (count == 0) {
        errno = ENOSPC;
      }
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

std::vector<std::string> Lines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) {
      end = content.size();
    }
    lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool ParseNumber(const std::string& text, std::int64_t& value) {
  if (text.empty() || text.size() > 18 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  value = std::stoll(text);
  return true;
}

// What tells this run of the computer from the runs before and after a
// restart; empty where the system does not say.
std::string ThisBoot() {
  std::ifstream file("/proc/sys/kernel/random/boot_id");
  std::string id;
  std::getline(file, id);
  return id;
}

// Whether the process `pid` of this computer is still running: a process
// that has ended but was not yet collected by its parent (a zombie) is not.
bool Running(std::int64_t pid) {
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) {
    return false;
  }
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  std::getline(file, stat);
  // "pid (name) state ...": the name may hold anything, the state follows
  // the last parenthesis.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos || close + 2 >= stat.size()) {
    return true;  // cannot tell: running, as kill says
  }
  const char state = stat[close + 2];
  return state != 'Z' && state != 'X';
}

}  // namespace

DatabaseLock::DatabaseLock(const std::string& databasePath)
    : DatabaseLock(databasePath, SystemCalls::Real()) {}

DatabaseLock::DatabaseLock(const std::string& databasePath, SystemCalls& calls)
    : calls_(calls), path_(ResolvedPath(databasePath) + ".lock") {}

DatabaseLock::~DatabaseLock() {
  if (!held_) {
    return;
  }
  // Another computer's program may have taken the lock over since: its lock
  // stays.
  std::string content;
  if (ReadLockFile(calls_, path_, content) && content == content_) {
    calls_.Unlink(path_);
  }
}

std::string DatabaseLock::Folder() const {
  const std::size_t slash = path_.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path_.substr(0, slash));
}

DatabaseLock::State DatabaseLock::Acquire() {
  return Create();
}

DatabaseLock::State DatabaseLock::TakeOver() {
  if (calls_.Unlink(path_) != 0 && errno != ENOENT) {
    error_ = errno;
    return MeansReadOnly(error_) ? State::ReadOnlyFolder : State::Unavailable;
  }
  return Create();
}

// The lock is written whole under a name of its own, flushed, and only then
// given its real name by link(), which fails when that name is taken: no
// other program can ever see it half written. File systems without links
// (a FAT USB key) get it created exclusively, then written.
DatabaseLock::State DatabaseLock::Create() {
  const auto failed = [this](int error) {
    error_ = error;
    return MeansReadOnly(error) ? State::ReadOnlyFolder : State::Unavailable;
  };
  const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                               std::chrono::system_clock::now().time_since_epoch())
                               .count();
  content_ = std::to_string(::getpid()) + "\nVellanor\n" + ThisComputer() + '\n' +
             std::to_string(now) + '\n' + ThisBoot() + '\n';
  const std::string& content = content_;
  // Named after this computer and process, so that two computers sharing
  // the folder never write the same draft.
  const std::string draft =
      path_ + '.' + ThisComputer() + '.' + std::to_string(::getpid()) + ".new";

  // Three rounds at most: a stale lock removed may be taken by another
  // program in between.
  for (int round = 0; round < 3; ++round) {
    int fd = calls_.Open(draft, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
      return failed(errno);
    }
    if (!WriteAll(calls_, fd, content) || calls_.DataSync(fd) != 0) {
      const int error = errno;
      calls_.Close(fd);
      calls_.Unlink(draft);
      return failed(error);
    }
    if (calls_.Close(fd) != 0) {
      const int error = errno;
      calls_.Unlink(draft);
      return failed(error);
    }
    const int linked = calls_.Link(draft, path_);
    const int linkError = errno;
    calls_.Unlink(draft);
    if (linked == 0) {
      held_ = true;
      return State::Held;
    }
    if (linkError != EEXIST) {
      if (linkError != EPERM && linkError != ENOTSUP && linkError != EOPNOTSUPP &&
          linkError != EMLINK) {
        return failed(linkError);
      }
      fd = calls_.Open(path_, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (fd >= 0) {
        const bool written = WriteAll(calls_, fd, content) && calls_.DataSync(fd) == 0;
        const int error = errno;
        calls_.Close(fd);
        if (!written) {
          calls_.Unlink(path_);
          return failed(error);
        }
        held_ = true;
        return State::Held;
      }
      if (errno != EEXIST) {
        return failed(errno);
      }
    }
    const State found = Inspect();
    if (found != State::Held) {
      return found;
    }
    // Stale: removed, try again.
  }
  return State::HeldByAnother;
}

// Held means here that the lock found is stale and has been removed.
DatabaseLock::State DatabaseLock::Inspect() {
  std::string content;
  if (!ReadLockFile(calls_, path_, content)) {
    if (errno == ENOENT) {
      return State::Held;  // gone in between: free again
    }
    // Most likely another account's lock, which this one may not read: its
    // program may well be running.
    return State::HeldByAnother;
  }
  const std::vector<std::string> lines = Lines(content);
  std::int64_t pid = 0;
  // An empty or garbled lock is what a power cut leaves of a crashed
  // program's: taken over like any stale one.
  if (!lines.empty() && ParseNumber(lines[0], pid) && pid > 0) {
    const std::string computer = lines.size() > 2 ? lines[2] : std::string();
    if (!computer.empty() && computer != ThisComputer()) {
      // Another computer's process cannot be checked from here.
      holder_.computer = computer;
      holder_.since = 0;
      if (lines.size() > 3) {
        ParseNumber(lines[3], holder_.since);
      }
      return State::OtherComputer;
    }
    // A lock written before this computer last started is stale whatever
    // process now has its number (numbers start again at each start).
    const std::string boot = ThisBoot();
    const bool earlierBoot = lines.size() > 4 && !boot.empty() && lines[4] != boot;
    if (!earlierBoot && Running(pid)) {
      return State::HeldByAnother;
    }
  }
  return RemoveStale(content);
}

// Two programs may find the same stale lock: the one that removes it and
// puts its own in place must not see that new lock removed by the other.
// So the lock is first set aside under a name of this program's own, and
// removed only if it is still the stale one; another's is put back.
DatabaseLock::State DatabaseLock::RemoveStale(const std::string& stale) {
  const std::string aside =
      path_ + '.' + ThisComputer() + '.' + std::to_string(::getpid()) + ".stale";
  if (calls_.Rename(path_, aside) != 0) {
    if (errno == ENOENT) {
      return State::Held;  // gone in between: free again
    }
    error_ = errno;
    return MeansReadOnly(error_) ? State::ReadOnlyFolder : State::Unavailable;
  }
  std::string content;
  if (ReadLockFile(calls_, aside, content) && content == stale) {
    calls_.Unlink(aside);
    return State::Held;
  }
  // Without links (FAT), the rename puts it back.
  if (calls_.Link(aside, path_) != 0 && errno != EEXIST) {
    calls_.Rename(aside, path_);
  }
  calls_.Unlink(aside);
  return State::HeldByAnother;
}

}  // namespace vellanor::platform
