#include "file_patterns.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace vellanor::bench {
namespace {

constexpr std::size_t kPiece = 64 * 1024;
constexpr std::size_t kPage = 4096;

void Check(bool done, const char* what) {
  if (!done) {
    std::perror(what);
    std::abort();
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

}  // namespace

std::size_t StreamFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  Check(fd >= 0, "open");
  std::vector<char> piece(kPiece);
  std::size_t lineFeeds = 0;
  for (ssize_t got; (got = read(fd, piece.data(), piece.size())) > 0;) {
    const char* end = piece.data() + got;
    for (const char* p = piece.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
         ++p) {
      ++lineFeeds;
    }
  }
  close(fd);
  return lineFeeds;
}

std::size_t TouchNewMemory(std::size_t size) {
  // Not new char[size](): a zeroing allocation may take pages the kernel has
  // already zeroed without writing them.
  std::unique_ptr<char[]> memory(new char[size]);
  for (std::size_t at = 0; at < size; at += kPage) {
    memory[at] = static_cast<char>(at >> 12);
  }
  std::size_t sum = 0;
  for (std::size_t at = 0; at < size; at += kPage) {
    sum += static_cast<unsigned char>(memory[at]);
  }
  return sum;
}

void WriteLikeASave(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  struct stat old {};
  const bool replaces = stat(path.c_str(), &old) == 0;
  const std::string temporary = path + ".baseline.tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  Check(fd >= 0, "open");
  for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
    const std::size_t size = std::min(kPiece, bytes.size() - at);
    Check(write(fd, bytes.data() + at, size) == static_cast<ssize_t>(size), "write");
  }
  Check(fdatasync(fd) == 0, "fdatasync");
  Check(!replaces || fchmod(fd, old.st_mode & 07777) == 0, "fchmod");
  Check(close(fd) == 0, "close");
  Check(std::rename(temporary.c_str(), path.c_str()) == 0, "rename");
  const int folder = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  Check(folder >= 0, "open folder");
  Check(fsync(folder) == 0, "fsync folder");
  close(folder);
}

double Median(std::vector<double>& values) {
  if (values.empty()) {
    return 0;
  }
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  if (values.size() % 2 == 1) {
    return *middle;
  }
  return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

}  // namespace vellanor::bench
