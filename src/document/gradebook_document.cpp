#include "document/gradebook_document.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include "model/averages.h"
#include "model/database_codec.h"
#include "model/database_messages.h"
#include "model/gradebook.h"
#include "platform/database_lock.h"
#include "platform/file_store.h"
#include "platform/message_service.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The whole file as it is on disk now, or nothing when it cannot be read
// (missing, not a file, a read error): such a file has nothing to lose.
std::optional<GradebookDocument::Bytes> ReadWholeFile(platform::FileStore& files,
                                                      const std::string& path) {
  platform::OpenedInput input = files.OpenForReading(path);
  GradebookDocument::Bytes bytes;
  if (input.status != platform::OpenStatus::Opened ||
      platform::ReadWhole(*input.file, bytes) != platform::WholeRead::Read) {
    return std::nullopt;
  }
  return bytes;
}

// " depuis le 08/12/2026 à 14h05" in local time; empty when unknown.
std::string SinceText(std::int64_t seconds) {
  if (seconds <= 0) {
    return {};
  }
  const std::time_t when = static_cast<std::time_t>(seconds);
  std::tm local{};
  char text[64] = {};
  if (localtime_r(&when, &local) == nullptr ||
      std::strftime(text, sizeof text, " depuis le %d/%m/%Y à %Hh%M", &local) == 0) {
    return {};
  }
  return text;
}

}  // namespace

std::string ExternalChangeQuestion(const std::string& fileName) {
  return fileName +
         " a été modifié par un autre programme depuis son ouverture.\nRemplacer ce fichier par "
         "vos données ?";
}

std::string ReloadQuestion(const std::string& fileName) {
  return fileName +
         " a été modifié par un autre programme depuis son ouverture.\nRelire ce fichier ?\n"
         "Sinon, le prochain enregistrement vous demandera s'il faut le remplacer.";
}

GradebookDocument::GradebookDocument(std::string path, platform::MessageService& messages,
                                     platform::FileStore& files)
    : path_(std::move(path)),
      messages_(messages),
      files_(files),
      database_(book_, messages, files),
      saved_(std::make_shared<const Bytes>(EncodeDatabase(Gradebook{}))) {}

GradebookDocument::~GradebookDocument() = default;

bool GradebookDocument::TakeLock(platform::SystemCalls& calls) {
  using State = platform::DatabaseLock::State;
  lock_ = std::make_unique<platform::DatabaseLock>(path_, calls);
  State state = lock_->Acquire();
  if (state == State::OtherComputer) {
    const std::string question =
        "Base de données déjà ouverte par un autre Vellanor,\nsur l'ordinateur « " +
        lock_->HeldBy().computer + " »" + SinceText(lock_->HeldBy().since) +
        ".\nSi ce Vellanor n'est plus ouvert, vous pouvez l'ouvrir ici.\n"
        "Ouvrir quand même ?";
    if (!messages_.AskYesNo(question, kCaptionWarning)) {
      return false;
    }
    state = lock_->TakeOver();
  }
  switch (state) {
    case State::HeldByAnother:
    case State::OtherComputer:
      messages_.Inform(kDatabaseInUseMessage, kCaptionWarning, MessageIcon::Exclamation);
      return false;
    case State::Unavailable:
      messages_.Inform("Le verrou de la base de données n'a pas pu être créé\n(" +
                           DiskErrorCause(lock_->Error()) + ") :\n" + lock_->Path() +
                           "\nLe programme va s'arrêter sans modifier la base de données.",
                       kCaptionError, MessageIcon::Stop);
      return false;
    case State::ReadOnlyFolder:
      messages_.Inform("Le dossier " + lock_->Folder() +
                           " est en lecture seule : aucune modification ne pourra être "
                           "enregistrée.",
                       kCaptionWarning, MessageIcon::Exclamation);
      return true;
    case State::Held:
      break;
  }
  return true;
}

bool GradebookDocument::HoldsLock() const {
  return lock_ != nullptr && lock_->Held();
}

void GradebookDocument::SetFatalHandler(std::function<void()> handler) {
  database_.SetFatalHandler(std::move(handler));
}

bool GradebookDocument::Load() {
  const bool loaded = database_.LoadDatabase(path_);
  Bytes bytes = database_.TakeLastBytes();
  if (!bytes.empty()) {
    saved_ = std::make_shared<const Bytes>(std::move(bytes));
  }
  RememberDisk();
  undo_.clear();
  redo_.clear();
  return loaded;
}

bool GradebookDocument::DecodeInto(const Bytes& bytes, Gradebook& book) {
  MemorySource source(bytes);
  return DecodeDatabase(source, book) == DbReadError::None;
}

void GradebookDocument::Revert() {
  Gradebook book;
  MemorySource source(*saved_);
  const DbReadError error = DecodeDatabase(source, book);
  book_ = std::move(book);
  if (error != DbReadError::None) {
    // The file itself is damaged: say so, as reading it again would.
    messages_.Inform(ReadErrorMessage(error), kCaptionError, MessageIcon::Stop);
  }
  Notify({ChangeKind::Reverted, -1, {}});
}

std::optional<GradebookDocument::Bytes> GradebookDocument::ChangedOnDisk() {
  if (savedStamp_ && files_.Stamp(path_) == savedStamp_) {
    return std::nullopt;
  }
  std::optional<Bytes> disk = ReadWholeFile(files_, path_);
  if (!disk || *disk == *saved_) {
    RememberDisk();  // touched, or copied back as it was
    return std::nullopt;
  }
  return disk;
}

bool GradebookDocument::AdoptDiskFile(Bytes disk, const std::string& what) {
  Gradebook book;
  MemorySource source(disk);
  const DbReadError error = DecodeDatabase(source, book);
  const std::string fileName = FileNameOf(path_);
  const std::string lost =
      what.empty() ? std::string()
                   : "\nLa modification « " + what + " » n'a pas été enregistrée.";
  if (error != DbReadError::None) {
    // A file this program cannot read is neither taken in (its next save
    // would write what little was read over it) nor replaced without asking
    // again: memory goes back to what this program last saved.
    Revert();
    messages_.Inform(ReadErrorMessage(error), kCaptionError, MessageIcon::Stop);
    messages_.Inform(fileName + " n'a pas été relu ni remplacé." + lost, kCaptionInformation,
                     MessageIcon::Information);
    return false;
  }
  book_ = std::move(book);
  saved_ = std::make_shared<const Bytes>(std::move(disk));
  RememberDisk();
  undo_.clear();
  redo_.clear();
  Notify({ChangeKind::Reloaded, -1, {}});  // the screen shows the file while the teacher reads
  if (!lost.empty()) {
    messages_.Inform(fileName + " a été relu depuis le disque." + lost, kCaptionInformation,
                     MessageIcon::Information);
  }
  return true;
}

GradebookDocument::DiskCheck GradebookDocument::CheckDiskBeforeSave(const std::string& what) {
  std::optional<Bytes> disk = ChangedOnDisk();
  if (!disk) {
    return DiskCheck::Unchanged;
  }
  if (messages_.AskYesNo(ExternalChangeQuestion(FileNameOf(path_)), kCaptionWarning) &&
      (!safetyCopy_ || safetyCopy_())) {
    return DiskCheck::Replace;
  }
  // Keep the other program's file: it becomes the gradebook, and what was
  // just done is lost from memory too, so that the screen shows the disk.
  AdoptDiskFile(std::move(*disk), what);
  return DiskCheck::Reloaded;
}

void GradebookDocument::NoticeDiskChange() {
  if (checkingDisk_ || database_.EndedByFatalError()) {
    return;
  }
  // A file the teacher chose to keep aside is not offered (nor read) again,
  // until it changes once more.
  const std::optional<platform::FileStamp> stamp = files_.Stamp(path_);
  if (stamp && stamp == declinedStamp_) {
    return;
  }
  checkingDisk_ = true;
  if (std::optional<Bytes> disk = ChangedOnDisk()) {
    if (messages_.AskYesNo(ReloadQuestion(FileNameOf(path_)), kCaptionWarning)) {
      AdoptDiskFile(std::move(*disk), {});
    } else {
      declinedStamp_ = stamp;
    }
  }
  checkingDisk_ = false;
}

bool GradebookDocument::SaveOrTakeBack() {
  if (database_.SaveDatabase(path_)) {
    saved_ = std::make_shared<const Bytes>(database_.TakeLastBytes());
    RememberDisk();
    return true;
  }
  // The file still holds the last saved state (or, after the fatal error,
  // whatever was there): memory goes back to it.
  Revert();
  return false;
}

bool GradebookDocument::Commit(const Change& change) {
  if (database_.EndedByFatalError()) {
    return false;
  }
  if (RecomputesClass(change.kind)) {
    if (ClassRecord* record = ClassAt(book_, change.classPosition)) {
      RecomputeClass(*record);
    }
  }
  if (CheckDiskBeforeSave(change.what) == DiskCheck::Reloaded) {
    return false;
  }
  std::shared_ptr<const Bytes> before = saved_;
  if (!SaveOrTakeBack()) {
    return false;
  }
  // A window that ends without changing anything still saves: that leaves
  // nothing to undo.
  if (*before != *saved_) {
    undo_.push_back({change.what, std::move(before)});
    redo_.clear();
    TrimHistory();
  }
  Notify(change);
  return true;
}

std::string GradebookDocument::UndoText() const {
  return undo_.empty() ? std::string() : undo_.back().what;
}

std::string GradebookDocument::RedoText() const {
  return redo_.empty() ? std::string() : redo_.back().what;
}

bool GradebookDocument::Undo() {
  return Replay(undo_, redo_, "annulation : ");
}

bool GradebookDocument::Redo() {
  return Replay(redo_, undo_, "rétablissement : ");
}

bool GradebookDocument::Replay(std::deque<Step>& from, std::deque<Step>& to,
                               const std::string& verb) {
  if (from.empty() || database_.EndedByFatalError()) {
    return false;
  }
  const Step step = from.back();
  if (CheckDiskBeforeSave(verb + step.what) == DiskCheck::Reloaded) {
    return false;
  }
  std::shared_ptr<const Bytes> current = saved_;
  Gradebook book;
  DecodeInto(*step.state, book);
  book_ = std::move(book);
  if (!SaveOrTakeBack()) {
    return false;
  }
  from.pop_back();
  to.push_back({step.what, std::move(current)});
  TrimHistory();
  Notify({ChangeKind::Undone, -1, step.what});
  return true;
}

void GradebookDocument::SetHistoryLimits(std::size_t steps, std::size_t bytes) {
  historySteps_ = steps;
  historyBytes_ = bytes;
  TrimHistory();
}

void GradebookDocument::TrimHistory() {
  std::size_t bytes = 0;
  for (const Step& step : undo_) {
    bytes += step.state->size();
  }
  for (const Step& step : redo_) {
    bytes += step.state->size();
  }
  while (undo_.size() > 1 && (undo_.size() > historySteps_ || bytes > historyBytes_)) {
    bytes -= undo_.front().state->size();
    undo_.pop_front();
  }
}

int GradebookDocument::AddObserver(Observer observer) {
  observers_.emplace_back(nextObserver_, std::move(observer));
  return nextObserver_++;
}

void GradebookDocument::RemoveObserver(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void GradebookDocument::Notify(const Change& change) {
  // A copy: an observer may add or remove observers (a window closing).
  const auto observers = observers_;
  for (const auto& [id, observer] : observers) {
    observer(change);
  }
}

}  // namespace vellanor
