#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_store.h"
#include "platform/system_calls.h"

namespace vellanor::platform {
namespace {

class PosixInputFile : public InputFile {
 public:
  PosixInputFile(SystemCalls& calls, int fd, std::size_t size)
      : calls_(calls), fd_(fd), size_(size) {}
  ~PosixInputFile() override { calls_.Close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(void* buffer, std::size_t size) override {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (!failed_ && !ended_ && done < size) {
      const long count = calls_.Read(fd_, bytes + done, size - done);
      if (count < 0 && errno == EINTR) {
        continue;
      }
      if (count < 0) {
        failed_ = true;
      } else if (count == 0) {
        ended_ = true;
      } else {
        done += static_cast<std::size_t>(count);
      }
    }
    return done;
  }
  bool Failed() const override { return failed_; }
  std::size_t SizeHint() const override { return size_; }

 private:
  SystemCalls& calls_;
  int fd_;
  std::size_t size_;
  bool failed_ = false;
  bool ended_ = false;
};

}  // namespace

OpenedInput OpenRegularFile(SystemCalls& calls, const std::string& path) {
  // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
  const int fd = calls.Open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0);
  if (fd < 0) {
    return {errno == ENOENT || errno == ENOTDIR ? OpenStatus::Missing : OpenStatus::Unreadable,
            nullptr};
  }
  struct stat info {};
  if (calls.FileStat(fd, info) != 0) {
    calls.Close(fd);
    return {OpenStatus::Unreadable, nullptr};
  }
  if (!S_ISREG(info.st_mode)) {
    calls.Close(fd);
    return {OpenStatus::NotRegular, nullptr};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return {OpenStatus::Opened,
          std::make_unique<PosixInputFile>(
              calls, fd, static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)))};
}

}  // namespace vellanor::platform
