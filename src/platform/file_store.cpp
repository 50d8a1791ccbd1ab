#include "platform/file_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace vellanor::platform {
namespace {

class QtInputFile : public InputFile {
 public:
  explicit QtInputFile(std::unique_ptr<QFile> file) : file_(std::move(file)) {}
  std::size_t Read(void* buffer, std::size_t size) override {
    const qint64 count = file_->read(static_cast<char*>(buffer), static_cast<qint64>(size));
    return count > 0 ? static_cast<std::size_t>(count) : 0;
  }

 private:
  std::unique_ptr<QFile> file_;
};

class QtAtomicOutputFile : public AtomicOutputFile {
 public:
  explicit QtAtomicOutputFile(std::unique_ptr<QSaveFile> file) : file_(std::move(file)) {}
  ~QtAtomicOutputFile() override {
    if (!committed_) {
      file_->cancelWriting();
    }
  }
  std::size_t Write(const void* data, std::size_t size) override {
    const qint64 count = file_->write(static_cast<const char*>(data), static_cast<qint64>(size));
    return count > 0 ? static_cast<std::size_t>(count) : 0;
  }
  bool Commit() override {
    committed_ = true;
    return file_->commit();
  }

 private:
  std::unique_ptr<QSaveFile> file_;
  bool committed_ = false;
};

}  // namespace

OpenedInput QtFileStore::OpenForReading(const std::string& path) {
  const QString name = QString::fromStdString(path);
  auto file = std::make_unique<QFile>(name);
  // The codec reads in large chunks: Qt's own buffer would only add a copy.
  if (file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    return {OpenStatus::Opened, std::make_unique<QtInputFile>(std::move(file))};
  }
  return {QFileInfo::exists(name) ? OpenStatus::Unreadable : OpenStatus::Missing, nullptr};
}

std::unique_ptr<AtomicOutputFile> QtFileStore::OpenForAtomicWriting(const std::string& path) {
  auto file = std::make_unique<QSaveFile>(QString::fromStdString(path));
  // Unbuffered: the codec hands over large chunks, and a full disk then fails
  // the write that met it rather than a later flush.
  if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return nullptr;
  }
  return std::make_unique<QtAtomicOutputFile>(std::move(file));
}

}  // namespace vellanor::platform
