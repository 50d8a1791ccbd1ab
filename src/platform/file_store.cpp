#include "platform/file_store.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <random>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "platform/system_calls.h"

namespace vellanor::platform {
namespace {

constexpr char kNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLength = 6;
constexpr char kTemporarySuffix[] = ".tmp";

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// "<target>.XXXXXX.tmp", a new random part for each attempt.
std::string TemporaryNameFor(const std::string& target) {
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kNameCharacters - 2);
  std::string name = target + '.';
  for (std::size_t i = 0; i < kRandomLength; ++i) {
    name += kNameCharacters[pick(random)];
  }
  return name + kTemporarySuffix;
}

// The file a save replaces: the one a link points to, so that the link stays.
std::string SaveTarget(const std::string& path) {
  const QFileInfo info(QString::fromStdString(path));
  if (!info.isSymLink()) {
    return path;
  }
  const QString canonical = info.canonicalFilePath();
  return (canonical.isEmpty() ? info.symLinkTarget() : canonical).toStdString();
}

class DurableOutputFile : public AtomicOutputFile {
 public:
  DurableOutputFile(SystemCalls& calls, std::string target, std::string temporary, int fd,
                    std::optional<mode_t> mode)
      : calls_(calls),
        target_(std::move(target)),
        temporary_(std::move(temporary)),
        fd_(fd),
        mode_(mode) {}
  ~DurableOutputFile() override { Discard(); }
  DurableOutputFile(const DurableOutputFile&) = delete;
  DurableOutputFile& operator=(const DurableOutputFile&) = delete;

  std::size_t Write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (!failed_ && done < size) {
      const long count = calls_.Write(fd_, bytes + done, size - done);
      if (count < 0 && errno == EINTR) {
        continue;
      }
      if (count <= 0) {
        // A regular file that takes no byte has no room left.
        Failed(count == 0 ? ENOSPC : errno);
        break;
      }
      done += static_cast<std::size_t>(count);
    }
    return done;
  }

  bool Commit() override {
    if (failed_ || fd_ < 0) {
      return false;
    }
    // The disk must hold the new content before its name replaces the old
    // file; an error here means it may not, so the old file stays.
    if (calls_.DataSync(fd_) != 0 || (mode_ && calls_.ChangeMode(fd_, *mode_) != 0)) {
      return Fail();
    }
    const int fd = std::exchange(fd_, -1);
    if (calls_.Close(fd) != 0 || calls_.Rename(temporary_, target_) != 0) {
      return Fail();
    }
    renamed_ = true;
    return SyncFolder();
  }

  int Error() const override { return error_; }
  bool InPlace() const override { return renamed_; }

 private:
  void Failed(int error) {
    failed_ = true;
    if (error_ == 0) {
      error_ = error;
    }
  }

  bool Fail() {
    Failed(errno);  // before the clean-up's calls change errno
    Discard();
    return false;
  }

  // Without this the rename may not survive a power cut, which could bring
  // back the old file. Some file systems (network shares among them) cannot
  // flush a folder and say so with EINVAL, and a folder may be writable but
  // not readable: neither is a failure of this save.
  bool SyncFolder() {
    const int folder = calls_.OpenFolder(FolderOf(target_));
    if (folder < 0) {
      if (errno == EACCES) {
        return true;
      }
      Failed(errno);
      return false;
    }
    bool synced = calls_.SyncFolder(folder) == 0 || errno == EINVAL;
    if (!synced) {
      Failed(errno);
    }
    if (calls_.Close(folder) != 0) {
      Failed(errno);
      synced = false;
    }
    return synced;
  }

  void Discard() {
    if (fd_ >= 0) {
      calls_.Close(std::exchange(fd_, -1));
    }
    if (!renamed_ && !discarded_) {
      discarded_ = true;
      calls_.Unlink(temporary_);  // if this fails, the next start removes it
    }
  }

  SystemCalls& calls_;
  std::string target_;
  std::string temporary_;
  int fd_;
  std::optional<mode_t> mode_;
  bool failed_ = false;
  int error_ = 0;
  bool renamed_ = false;
  bool discarded_ = false;
};

}  // namespace

std::optional<FileStamp> QtFileStore::Stamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return std::nullopt;
  }
  const auto nanoseconds = [](const timespec& time) {
    return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
  };
  return FileStamp{.device = static_cast<std::uint64_t>(info.st_dev),
                   .inode = static_cast<std::uint64_t>(info.st_ino),
                   .size = static_cast<std::uint64_t>(info.st_size),
                   .modifiedNs = nanoseconds(info.st_mtim),
                   .changedNs = nanoseconds(info.st_ctim)};
}

bool WriteWholeFile(FileStore& files, const std::string& path, std::string_view bytes) {
  const auto file = files.OpenForAtomicWriting(path);
  if (file == nullptr) {
    return false;
  }
  if (!bytes.empty() && file->Write(bytes.data(), bytes.size()) != bytes.size()) {
    return false;
  }
  return file->Commit();
}

QtFileStore::QtFileStore() : QtFileStore(SystemCalls::Real()) {}

QtFileStore::QtFileStore(SystemCalls& calls) : calls_(calls) {}

OpenedInput QtFileStore::OpenForReading(const std::string& path) {
  return OpenRegularFile(calls_, path);
}

std::unique_ptr<AtomicOutputFile> QtFileStore::OpenForAtomicWriting(const std::string& path) {
  return Open(path, std::nullopt);
}

std::unique_ptr<AtomicOutputFile> QtFileStore::OpenForAtomicWritingWithMode(const std::string& path,
                                                                            unsigned mode) {
  return Open(path, static_cast<mode_t>(mode & 07777));
}

std::unique_ptr<AtomicOutputFile> QtFileStore::Open(const std::string& path,
                                                    std::optional<mode_t> newMode) {
  const std::string target = SaveTarget(path);
  std::optional<mode_t> mode = newMode;
  struct stat old {};
  if (calls_.Stat(target, old) == 0) {
    mode = old.st_mode & 07777;
  } else if (errno != ENOENT) {
    return nullptr;
  }
  // Private until it takes the old file's (or the asked) mode; a first file
  // gets the usual mode of a new file.
  const mode_t creationMode = mode ? 0600 : 0666;
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string temporary = TemporaryNameFor(target);
    const int fd = calls_.Open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, creationMode);
    if (fd >= 0) {
      return std::make_unique<DurableOutputFile>(calls_, target, std::move(temporary), fd, mode);
    }
    if (errno != EEXIST) {
      break;
    }
  }
  return nullptr;
}

bool IsLeftoverOfSave(std::string_view fileName) {
  constexpr std::string_view kTarget = ".db.";
  constexpr std::string_view kSuffix = kTemporarySuffix;
  const std::size_t tail = kTarget.size() + kRandomLength + kSuffix.size();
  if (fileName.size() <= tail || !fileName.ends_with(kSuffix) ||
      fileName.substr(fileName.size() - tail, kTarget.size()) != kTarget) {
    return false;
  }
  const std::string_view random =
      fileName.substr(fileName.size() - kSuffix.size() - kRandomLength, kRandomLength);
  return random.find_first_not_of(kNameCharacters) == std::string_view::npos;
}

int RemoveLeftoverSaves(const std::string& folder) {
  QDir dir(QString::fromStdString(folder));
  int removed = 0;
  for (const QFileInfo& entry :
       dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
    if (IsLeftoverOfSave(entry.fileName().toStdString()) && dir.remove(entry.fileName())) {
      ++removed;
    }
  }
  return removed;
}

}  // namespace vellanor::platform
