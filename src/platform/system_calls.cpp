#include "platform/system_calls.h"

#include <fcntl.h>
#include <unistd.h>

namespace vellanor::platform {

long SystemCalls::Perform(Call, const std::function<long()>& real) {
  return real();
}

SystemCalls& SystemCalls::Real() {
  static SystemCalls calls;
  return calls;
}

int SystemCalls::Stat(const std::string& path, struct stat& out) {
  return static_cast<int>(Perform(Call::Stat, [&] { return ::stat(path.c_str(), &out); }));
}

int SystemCalls::Open(const std::string& path, int flags, mode_t mode) {
  return static_cast<int>(Perform(Call::Open, [&] { return ::open(path.c_str(), flags, mode); }));
}

long SystemCalls::Write(int fd, const void* data, std::size_t size) {
  return Perform(Call::Write, [&] { return ::write(fd, data, size); });
}

int SystemCalls::DataSync(int fd) {
  return static_cast<int>(Perform(Call::DataSync, [&] { return ::fdatasync(fd); }));
}

int SystemCalls::ChangeMode(int fd, mode_t mode) {
  return static_cast<int>(Perform(Call::ChangeMode, [&] { return ::fchmod(fd, mode); }));
}

int SystemCalls::Close(int fd) {
  return static_cast<int>(Perform(Call::Close, [&] { return ::close(fd); }));
}

int SystemCalls::Rename(const std::string& from, const std::string& to) {
  return static_cast<int>(
      Perform(Call::Rename, [&] { return ::rename(from.c_str(), to.c_str()); }));
}

int SystemCalls::OpenFolder(const std::string& path) {
  return static_cast<int>(Perform(
      Call::OpenFolder, [&] { return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
}

int SystemCalls::SyncFolder(int fd) {
  return static_cast<int>(Perform(Call::SyncFolder, [&] { return ::fsync(fd); }));
}

int SystemCalls::Unlink(const std::string& path) {
  return static_cast<int>(Perform(Call::Unlink, [&] { return ::unlink(path.c_str()); }));
}

long SystemCalls::Read(int fd, void* buffer, std::size_t size) {
  return Perform(Call::Read, [&] { return ::read(fd, buffer, size); });
}

int SystemCalls::FileStat(int fd, struct stat& out) {
  return static_cast<int>(Perform(Call::FileStat, [&] { return ::fstat(fd, &out); }));
}

int SystemCalls::Link(const std::string& from, const std::string& to) {
  return static_cast<int>(Perform(Call::Link, [&] { return ::link(from.c_str(), to.c_str()); }));
}

}  // namespace vellanor::platform
