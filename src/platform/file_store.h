#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vellanor::platform {

// A file opened for reading, read in pieces.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; returns how many were read, 0 at the end of the
  // file or on a read error. Failed() tells the two apart: a reader that
  // took a failing disk for the end of the file would use half a file.
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  virtual bool Failed() const { return false; }
  // The file's size in bytes when known, else 0: a hint to make room, never
  // a limit on what is read.
  virtual std::size_t SizeHint() const { return 0; }
};

// The new content of a file, written beside it and put in its place only by
// Commit. Destroying it without a successful Commit leaves the old file (or
// its absence) exactly as it was.
class AtomicOutputFile {
 public:
  virtual ~AtomicOutputFile() = default;
  // Returns how many bytes were written; fewer than `size` means the write
  // failed (a full disk, say) and nothing more should be written.
  virtual std::size_t Write(const void* data, std::size_t size) = 0;
  // Flushes the new content to the disk, gives it the old file's mode,
  // renames it over the old file and flushes the folder. False when any step
  // failed: the old file is then still in place, unless only the folder's
  // flush failed, after which the new file is in place but may not survive a
  // power cut.
  virtual bool Commit() = 0;
  // After a failed Write or Commit: the errno of the step that failed (0
  // when unknown), so that the teacher can be told why.
  virtual int Error() const { return 0; }
  // Whether the new content has replaced the old file: true after a Commit
  // whose only failure was the folder's flush.
  virtual bool InPlace() const { return false; }
};

enum class WholeRead { Read, Failed, TooLarge };

// Reads the rest of `file` into `bytes` (a std::string or a vector of
// bytes), at most `limit` bytes: Failed on a read error, TooLarge past the
// limit, with what was read so far left in `bytes`.
template <typename Bytes>
WholeRead ReadWhole(InputFile& file, Bytes& bytes, std::size_t limit = SIZE_MAX) {
  bytes.reserve(bytes.size() + (file.SizeHint() < limit ? file.SizeHint() : limit));
  char piece[64 * 1024];
  while (const std::size_t count = file.Read(piece, sizeof piece)) {
    if (bytes.size() + count > limit) {
      return WholeRead::TooLarge;
    }
    bytes.insert(bytes.end(), piece, piece + count);
  }
  return file.Failed() ? WholeRead::Failed : WholeRead::Read;
}

enum class OpenStatus {
  Opened,
  Missing,
  Unreadable,
  NotRegular,  // a folder, a FIFO, a device: never read as a document
};

struct OpenedInput {
  OpenStatus status = OpenStatus::Missing;
  std::unique_ptr<InputFile> file;  // set when Opened
};

// What tells one state of a file from another without reading it: a file
// rewritten, by this program or another, changes at least one of these.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// Whole-file access for the database; tests substitute a fake that fails on
// demand (a full disk, a failed rename).
class FileStore {
 public:
  virtual ~FileStore() = default;
  // The stamp of the file a path leads to (through a link); none when there
  // is no such file or the store cannot tell, and callers then compare
  // contents.
  virtual std::optional<FileStamp> Stamp(const std::string& path) {
    (void)path;
    return std::nullopt;
  }
  virtual OpenedInput OpenForReading(const std::string& path) = 0;
  // nullptr when the new file cannot be created (no permission, no folder).
  virtual std::unique_ptr<AtomicOutputFile> OpenForAtomicWriting(const std::string& path) = 0;
  // The same for a copy that must keep another file's privacy: a file that
  // does not exist yet gets exactly `mode` (not the one the umask leaves).
  virtual std::unique_ptr<AtomicOutputFile> OpenForAtomicWritingWithMode(const std::string& path,
                                                                         unsigned mode) {
    (void)mode;
    return OpenForAtomicWriting(path);
  }
};

class SystemCalls;

// Opens `path` for reading when it is a regular file, through `calls`: a
// folder, a FIFO (opened without waiting for a writer) or a device is
// NotRegular. Every reader of the program and its tools opens files so.
OpenedInput OpenRegularFile(SystemCalls& calls, const std::string& path);

// Writes `bytes` as the whole new content of `path`, atomically; false when
// the file cannot be created, a write falls short (a full disk) or the new
// file cannot be put in place.
bool WriteWholeFile(FileStore& files, const std::string& path, std::string_view bytes);

// Files of the local file system: read only when they are regular files
// (a FIFO is opened without waiting for a writer, then refused); saved by writing a new
// file "<name>.XXXXXX.tmp" beside the old one (XXXXXX letters and digits),
// then fdatasync, fchmod to the old file's mode, close, rename over it, and
// fsync of the folder, every step checked. A link is followed: the file it
// points to is replaced. Every call of a save goes through `calls`.
class QtFileStore : public FileStore {
 public:
  QtFileStore();
  explicit QtFileStore(SystemCalls& calls);

  OpenedInput OpenForReading(const std::string& path) override;
  std::unique_ptr<AtomicOutputFile> OpenForAtomicWriting(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
  std::unique_ptr<AtomicOutputFile> OpenForAtomicWritingWithMode(const std::string& path,
                                                                 unsigned mode) override;

 private:
  std::unique_ptr<AtomicOutputFile> Open(const std::string& path, std::optional<mode_t> newMode);

  SystemCalls& calls_;
};

// Whether `fileName` is the new file of a save of a ".db" file, as a crash
// between writing it and renaming it leaves it behind.
bool IsLeftoverOfSave(std::string_view fileName);

// Removes those files from `folder`; returns how many were removed. Only the
// program that holds the folder's lock may do so, since another program's
// save in progress looks the same.
int RemoveLeftoverSaves(const std::string& folder);

}  // namespace vellanor::platform
