#include "app/database_operations.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "model/cp1252.h"
#include "model/database_codec.h"
#include "model/database_messages.h"
#include "model/invariants.h"
#include "platform/file_store.h"
#include "platform/heap_room.h"
#include "platform/message_service.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

class InputFileSource : public ByteSource {
 public:
  explicit InputFileSource(platform::InputFile& file) : file_(file) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
    return file_.Read(buffer, size);
  }

 private:
  platform::InputFile& file_;
};

class OutputFileSink : public ByteSink {
 public:
  explicit OutputFileSink(platform::AtomicOutputFile& file) : file_(file) {}
  std::size_t Write(const std::uint8_t* data, std::size_t size) override {
    return file_.Write(data, size);
  }

 private:
  platform::AtomicOutputFile& file_;
};

}  // namespace

DatabaseOperations::DatabaseOperations(Gradebook& book, platform::MessageService& messages,
                                       platform::FileStore& files)
    : book_(book), messages_(messages), files_(files) {}

bool DatabaseOperations::LoadDatabase(const std::string& fileName) {
  if (endedByFatalError_) {
    return false;  // the application is ending: the disk is left alone
  }
  platform::OpenedInput input = files_.OpenForReading(fileName);
  if (input.status == platform::OpenStatus::Missing) {
    CreateEmptyDatabase(fileName);
    messages_.Inform(kMissingDatabaseMessage, kCaptionInformation, MessageIcon::Exclamation);
    return true;
  }
  if (input.status != platform::OpenStatus::Opened) {
    // The file is there but cannot be read (or is a folder, a FIFO...):
    // never replace it by an empty one.
    messages_.Inform(ReadErrorMessage(DbReadError::Header), kCaptionError, MessageIcon::Stop);
    return false;
  }
  InputFileSource source(*input.file);
  // The records take about the file's size: room for them at once, rather
  // than page by page as they are made.
  const std::size_t size = input.file->SizeHint();
  const platform::HeapRoom room(size + size / 8);
  const DbReadError error = DecodeDatabase(source, book_);
  if (error != DbReadError::None) {
    messages_.Inform(ReadErrorMessage(error), kCaptionError, MessageIcon::Stop);
    return false;
  }
  return true;
}

void DatabaseOperations::CreateEmptyDatabase(const std::string& fileName) {
  // Whether this works is not checked here: the next save reports it.
  if (auto file = files_.OpenForAtomicWriting(fileName)) {
    OutputFileSink sink(*file);
    if (EncodeDatabase(Gradebook{}, sink).complete) {
      file->Commit();
    }
  }
}

bool DatabaseOperations::SaveDatabase(const std::string& fileName) {
  if (endedByFatalError_) {
    return false;  // the application is ending: nothing more is saved
  }
  const int broken = FirstUnreadableClass(book_);
  if (broken >= 0) {
    messages_.Inform(InconsistentClassMessage(Cp1252ToUtf8(book_.classes[broken].name.View())),
                     kCaptionError, MessageIcon::Stop);
    return false;
  }
  auto file = files_.OpenForAtomicWriting(fileName);
  if (!file) {
    endedByFatalError_ = true;
    messages_.Inform(kCannotCreateDatabaseMessage, kCaptionFatalError, MessageIcon::Stop);
    if (fatalHandler_) {
      fatalHandler_();
    }
    return false;
  }
  OutputFileSink sink(*file);
  const EncodeResult result = EncodeDatabase(book_, sink);
  const auto failed = [&] {
    std::string text = WriteErrorMessage(RecordAtStoredOffset(book_, result.storedBytes));
    if (file->Error() != 0) {
      text += '\n' + SaveFailureConsequence(file->Error());
    }
    messages_.Inform(text, kCaptionError, MessageIcon::Stop);
    return false;
  };
  if (!result.complete) {
    return failed();  // the new file is discarded; the old one stays whole
  }
  if (!file->Commit()) {
    if (file->InPlace()) {
      // Only the folder's flush failed: the new file is in place, and
      // saying "Erreur" would make the teacher redo the change.
      messages_.Inform(
          "La base de données est enregistrée, mais le système n'a pas confirmé son écriture "
          "sur le disque (" +
              DiskErrorCause(file->Error()) + ").",
          kCaptionWarning, MessageIcon::Exclamation);
      return true;
    }
    // Everything was handed over but the disk did not confirm it (flush,
    // mode, close or rename failed): report the record written last.
    return failed();
  }
  return true;
}

std::string DiskErrorCause(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return "le disque est plein";
    case EACCES:
    case EPERM:
    case EROFS:
      return "accès refusé";
    default:
      return std::strerror(error);
  }
}

std::string SaveFailureConsequence(int error) {
  constexpr char kLost[] = " : la dernière modification n'a pas été enregistrée.";
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return std::string("Le disque est plein") + kLost;
    case EACCES:
    case EPERM:
    case EROFS:
      return std::string("Accès refusé") + kLost;
    default:
      return "Erreur du disque (" + std::string(std::strerror(error)) + ")" + kLost;
  }
}

}  // namespace vellanor
