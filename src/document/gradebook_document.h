#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/change.h"
#include "document/database_operations.h"
#include "document/edited_gradebook.h"
#include "model/records.h"
#include "platform/file_store.h"

namespace vellanor::platform {
class DatabaseLock;
class MessageService;
class FileStore;
class SystemCalls;
}  // namespace vellanor::platform

namespace vellanor {

// The one owner of the gradebook and of its file. Windows change the
// gradebook in memory, then Commit: the document recomputes the class where
// needed, saves the whole file atomically, keeps an undo step and tells its
// observers. Memory always ends equal to what the file holds: a change that
// could not be saved is taken back. The bytes of the file as last read or
// written are kept, so that going back to them (Revert) never reads the disk.
class GradebookDocument : public EditedGradebook {
 public:
  using Bytes = std::vector<std::uint8_t>;
  using Observer = std::function<void(const Change&)>;
  // Makes a safety copy of the database file as it stands on disk before
  // it is replaced; false when the teacher chose not to go on without one.
  using SafetyCopy = std::function<bool()>;

  // The history keeps at most this many changes and this many bytes of saved
  // states (the latest change is always kept). Memory only.
  static constexpr std::size_t kHistorySteps = 100;
  static constexpr std::size_t kHistoryBytes = std::size_t{256} << 20;

  GradebookDocument(std::string path, platform::MessageService& messages,
                    platform::FileStore& files);
  ~GradebookDocument() override;
  GradebookDocument(const GradebookDocument&) = delete;
  GradebookDocument& operator=(const GradebookDocument&) = delete;

  Gradebook& Book() override { return book_; }
  const Gradebook& Book() const { return book_; }
  platform::MessageService& Messages() override { return messages_; }
  platform::FileStore& Files() override { return files_; }
  const std::string& Path() const { return path_; }

  // Takes the file's lock, held until the document ends, so that a second
  // program cannot save its own gradebook over this one's. Another
  // computer's program cannot be checked from here: the teacher is asked.
  // False when the program must not go on (the message was shown). In a
  // read-only folder no lock and no save can be made: the teacher is told,
  // and the document goes on without the lock.
  bool TakeLock(platform::SystemCalls& calls);
  // Whether this document holds its file's lock: only then may it remove
  // what another program's save might still be writing.
  bool HoldsLock() const;

  // Reads the file whole (start-up), with the messages of a load; a missing
  // file is replaced by an empty database. Forgets the history.
  bool Load();

  // Saves the change made in memory. False when it was not saved (the
  // message was shown); memory is then back at the last saved state.
  bool Commit(const Change& change) override;

  // Memory back to the file's last saved content, without reading the disk.
  void Revert();

  // For when the teacher comes back to the program: a file another program
  // changed since this one last wrote it is offered for reading (default
  // No, which leaves the question to the next save). A file declined once
  // is not offered again until it changes once more.
  void NoticeDiskChange();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The change the next undo or redo takes back or makes again (UTF-8).
  std::string UndoText() const;
  std::string RedoText() const;
  // Each one a save like a commit: false, with memory unchanged, when the
  // save failed or there is nothing to undo or redo.
  bool Undo();
  bool Redo();
  std::size_t HistorySize() const { return undo_.size(); }
  void SetHistoryLimits(std::size_t steps, std::size_t bytes);

  // Observers are told after every commit, undo, redo, revert and reload.
  int AddObserver(Observer observer);
  void RemoveObserver(int id);

  void SetSafetyCopy(SafetyCopy copy) { safetyCopy_ = std::move(copy); }
  void SetFatalHandler(std::function<void()> handler);
  bool EndedByFatalError() const { return database_.EndedByFatalError(); }

  // The saved states shared by the history and the document.
  const Bytes& SavedBytes() const { return *saved_; }

 private:
  struct Step {
    std::string what;
    std::shared_ptr<const Bytes> state;  // the file before (undo) or after (redo)
  };
  enum class DiskCheck { Unchanged, Replace, Reloaded };

  bool SaveOrTakeBack();
  // Notes how the file on disk looks now that it holds saved_.
  void RememberDisk() { savedStamp_ = files_.Stamp(path_); }
  DiskCheck CheckDiskBeforeSave(const std::string& what);
  // The file's content when another program changed it since this one last
  // wrote it; nothing when it is as this program left it, or cannot be read.
  std::optional<Bytes> ChangedOnDisk();
  // Makes the other program's file the gradebook, forgetting the history;
  // saying that `what` (when not empty) was not saved. A file that cannot be
  // read is not taken: memory goes back to the last saved state. False then.
  bool AdoptDiskFile(Bytes disk, const std::string& what);
  bool DecodeInto(const Bytes& bytes, Gradebook& book);
  // Undo (from undo_ to redo_) or redo (the other way): the state the step
  // keeps becomes the gradebook and the file, the current one goes to `to`.
  bool Replay(std::deque<Step>& from, std::deque<Step>& to, const std::string& verb);
  void Notify(const Change& change);
  void TrimHistory();

  std::string path_;
  platform::MessageService& messages_;
  platform::FileStore& files_;
  Gradebook book_;
  DatabaseOperations database_;
  std::shared_ptr<const Bytes> saved_;
  // The file's stamp when it last held saved_: a save that finds it so needs
  // not read the file to know that no other program changed it.
  std::optional<platform::FileStamp> savedStamp_;
  std::optional<platform::FileStamp> declinedStamp_;  // a file not to offer again
  bool checkingDisk_ = false;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  std::size_t historySteps_ = kHistorySteps;
  std::size_t historyBytes_ = kHistoryBytes;
  std::vector<std::pair<int, Observer>> observers_;
  int nextObserver_ = 1;
  SafetyCopy safetyCopy_;
  std::unique_ptr<platform::DatabaseLock> lock_;
};

// The question asked before a save would replace a file another program
// changed, with the file's name (UTF-8).
std::string ExternalChangeQuestion(const std::string& fileName);
// The question asked when the teacher comes back to the program and finds
// such a file.
std::string ReloadQuestion(const std::string& fileName);

}  // namespace vellanor
