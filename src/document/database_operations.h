#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/records.h"

namespace vellanor::platform {
class MessageService;
class FileStore;
}  // namespace vellanor::platform

namespace vellanor {

// What a failed save's errno means to the teacher: "le disque est plein",
// "accès refusé", or the system's own text.
std::string DiskErrorCause(int error);
// The line a failed save's message adds under its first one: the cause and
// that the last change is not saved.
std::string SaveFailureConsequence(int error);

// Loading and saving the whole gradebook, with the program's messages: the
// document's one way to its file.
class DatabaseOperations {
 public:
  DatabaseOperations(Gradebook& book, platform::MessageService& messages,
                     platform::FileStore& files);

  // Replaces the gradebook with the file's content. A missing file is replaced
  // by an empty database (the gradebook is then left as it was) and counts as
  // success. On a read error the message is shown, the gradebook keeps the
  // classes read whole, and the result is false. After the fatal message
  // nothing is read or created, and the result is false.
  bool LoadDatabase(const std::string& fileName);

  // Writes the whole gradebook atomically: the file on disk is always the
  // previous one or the new one, whole. Every failure is told with its cause
  // and gives false, but for the failure of the last step alone (the folder's
  // flush): the new file is then in place, so the save counts as done and a
  // warning says the disk did not confirm it. A gradebook whose file
  // could not be read back is never written. When the file cannot be created at all, the fatal
  // message is shown, the fatal handler runs (the application ends) and no
  // later save is attempted.
  bool SaveDatabase(const std::string& fileName);

  // The file's bytes as the last successful load read them or the last
  // successful save wrote them (as stored, line ends and all). After a load
  // that found no file, the bytes of the empty database. Handed over once.
  std::vector<std::uint8_t> TakeLastBytes() { return std::move(lastBytes_); }

  void SetFatalHandler(std::function<void()> handler) { fatalHandler_ = std::move(handler); }
  bool EndedByFatalError() const { return endedByFatalError_; }

 private:
  void CreateEmptyDatabase(const std::string& fileName);

  Gradebook& book_;
  platform::MessageService& messages_;
  platform::FileStore& files_;
  std::function<void()> fatalHandler_;
  bool endedByFatalError_ = false;
  std::vector<std::uint8_t> lastBytes_;
};

}  // namespace vellanor
