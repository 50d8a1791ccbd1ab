#include "support/failing_file_store.h"

#include <algorithm>

namespace vellanor::test {
namespace {

class FailingOutputFile : public platform::AtomicOutputFile {
 public:
  FailingOutputFile(std::unique_ptr<platform::AtomicOutputFile> real, FailingFileStore& store)
      : real_(std::move(real)), store_(store) {}

  std::size_t Write(const void* data, std::size_t size) override {
    const std::size_t room = store_.acceptedBytes - std::min(store_.acceptedBytes, written_);
    const std::size_t taken = real_->Write(data, std::min(size, room));
    written_ += taken;
    store_.bytesWritten = written_;
    return taken;
  }

  bool Commit() override {
    ++store_.commits;
    // A failed commit must leave the old file: the real one is then dropped
    // uncommitted, which discards the new content.
    return !store_.failCommit && real_->Commit();
  }

 private:
  std::unique_ptr<platform::AtomicOutputFile> real_;
  FailingFileStore& store_;
  std::size_t written_ = 0;
};

}  // namespace

platform::OpenedInput FailingFileStore::OpenForReading(const std::string& path) {
  return real_.OpenForReading(path);
}

std::unique_ptr<platform::AtomicOutputFile> FailingFileStore::OpenForAtomicWriting(
    const std::string& path) {
  ++openingsForWriting;
  bytesWritten = 0;
  if (refuseToCreate) {
    return nullptr;
  }
  auto real = real_.OpenForAtomicWriting(path);
  if (!real) {
    return nullptr;
  }
  return std::make_unique<FailingOutputFile>(std::move(real), *this);
}

}  // namespace vellanor::test
