#include "document/memory_file_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vellanor {
namespace {

class MemoryInput : public platform::InputFile {
 public:
  explicit MemoryInput(MemoryFileStore::Bytes bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, bytes_.size() - offset_);
    if (count > 0) {
      std::memcpy(buffer, bytes_.data() + offset_, count);
    }
    offset_ += count;
    return count;
  }
  std::size_t SizeHint() const override { return bytes_.size(); }

 private:
  MemoryFileStore::Bytes bytes_;
  std::size_t offset_ = 0;
};

class MemoryOutput : public platform::AtomicOutputFile {
 public:
  MemoryOutput(MemoryFileStore& store, std::string path) : store_(store), path_(std::move(path)) {}
  std::size_t Write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), bytes, bytes + size);
    return size;
  }
  bool Commit() override {
    if (store_.failCommits) {
      return false;
    }
    store_.files[path_] = std::move(bytes_);
    ++store_.commits;
    return true;
  }
  int Error() const override { return store_.failCommits ? ENOSPC : 0; }

 private:
  MemoryFileStore& store_;
  std::string path_;
  MemoryFileStore::Bytes bytes_;
};

}  // namespace

platform::OpenedInput MemoryFileStore::OpenForReading(const std::string& path) {
  const auto found = files.find(path);
  if (found != files.end()) {
    return {platform::OpenStatus::Opened, std::make_unique<MemoryInput>(found->second)};
  }
  if (reads_ != nullptr) {
    return reads_->OpenForReading(path);
  }
  return {platform::OpenStatus::Missing, nullptr};
}

std::unique_ptr<platform::AtomicOutputFile> MemoryFileStore::OpenForAtomicWriting(
    const std::string& path) {
  return std::make_unique<MemoryOutput>(*this, path);
}

}  // namespace vellanor
