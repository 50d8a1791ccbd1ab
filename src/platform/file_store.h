#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace vellanor::platform {

// A file opened for reading, read in pieces.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; returns how many were read, 0 at the end of the
  // file or on a read error.
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
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
  // Flushes the new content to the disk and renames it over the old file.
  virtual bool Commit() = 0;
};

enum class OpenStatus { Opened, Missing, Unreadable };

struct OpenedInput {
  OpenStatus status = OpenStatus::Missing;
  std::unique_ptr<InputFile> file;  // set when Opened
};

// Whole-file access for the database; tests substitute a fake that fails on
// demand (a full disk, a failed rename).
class FileStore {
 public:
  virtual ~FileStore() = default;
  virtual OpenedInput OpenForReading(const std::string& path) = 0;
  // nullptr when the new file cannot be created (no permission, no folder).
  virtual std::unique_ptr<AtomicOutputFile> OpenForAtomicWriting(const std::string& path) = 0;
};

// Files of the local file system, saved through QSaveFile.
class QtFileStore : public FileStore {
 public:
  OpenedInput OpenForReading(const std::string& path) override;
  std::unique_ptr<AtomicOutputFile> OpenForAtomicWriting(const std::string& path) override;
};

}  // namespace vellanor::platform
