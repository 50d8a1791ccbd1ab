#include "document/gradebook_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/averages.h"
#include "model/database_codec.h"
#include "model/database_messages.h"
#include "model/gradebook.h"
#include "platform/file_store.h"
#include "platform/system_calls.h"
#include "support/failing_file_store.h"
#include "support/fake_message_service.h"
#include "support/faulty_system_calls.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

using test::Class;
using test::Mark;
using test::Student;

std::string ThisHost() {
  char name[256] = {};
  ::gethostname(name, sizeof name - 1);
  return name;
}

std::vector<unsigned char> OnDisk() {
  return test::ReadBytes("Vellanor.db");
}

std::vector<unsigned char> BytesOf(const Gradebook& book) {
  const std::vector<std::uint8_t> bytes = EncodeDatabase(book);
  return {bytes.begin(), bytes.end()};
}

// A grade book on disk with one class of two marked students.
Gradebook WriteStartingBook() {
  Gradebook book;
  ClassRecord record =
      Class("4e B", "2026", {Student("Bernard", "Hugo", 1), Student("Roy", "Zoé")});
  EXPECT_EQ(AppendGradeColumn(record, {Mark(12.0f, 1, 0), Mark(16.0f, 1, 0)}), AppendResult::Done);
  RecomputeClass(record);
  EXPECT_EQ(AppendClass(book, record), AppendResult::Done);
  test::WriteBytes("Vellanor.db", BytesOf(book));
  return book;
}

struct DocumentTest : ::testing::Test {
  test::FakeMessageService messages;
  platform::QtFileStore files;
  GradebookDocument document{"Vellanor.db", messages, files};
};

TEST_F(DocumentTest, CommitRecomputesWhereNeededSavesAndTellsObservers) {
  WriteStartingBook();
  ASSERT_TRUE(document.Load());
  std::vector<Change> told;
  document.AddObserver([&](const Change& change) { told.push_back(change); });

  ClassRecord& record = document.Book().classes[0];
  ASSERT_EQ(AppendGradeColumn(record, {Mark(8.0f, 1, 0), Mark(-1.0f, 1, 0)}), AppendResult::Done);
  ASSERT_TRUE(document.Commit({ChangeKind::GradesChanged, 0, "notes de la classe 4e B"}));
  EXPECT_FLOAT_EQ(document.Book().classes[0].students[0].average[0], 10.0f);
  EXPECT_EQ(document.Book().classes[0].columns.size(), 2u);
  EXPECT_EQ(OnDisk(), BytesOf(document.Book()));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].kind, ChangeKind::GradesChanged);
  EXPECT_EQ(document.UndoText(), "notes de la classe 4e B");

  // Adding a student leaves the averages as they are.
  ASSERT_EQ(AppendStudent(document.Book().classes[0],
                          Student("Arnaud", "Léa", 0, {Mark(-1.0f, 1, 0), Mark(-1.0f, 1, 0)})),
            AppendResult::Done);
  document.Book().classes[0].average[0] = 99.0f;
  ASSERT_TRUE(document.Commit({ChangeKind::StudentCreated, 0, "création de l'élève Arnaud Léa"}));
  EXPECT_FLOAT_EQ(document.Book().classes[0].average[0], 99.0f);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocumentTest, FailedCommitLeavesMemoryAtTheLastSavedState) {
  test::FailingFileStore failing;
  GradebookDocument onFullDisk("Vellanor.db", messages, failing);
  const Gradebook saved = WriteStartingBook();
  ASSERT_TRUE(onFullDisk.Load());
  std::vector<ChangeKind> told;
  onFullDisk.AddObserver([&](const Change& change) { told.push_back(change.kind); });

  failing.acceptedBytes = 100;
  ASSERT_TRUE(RemoveStudent(onFullDisk.Book().classes[0], 0));
  EXPECT_FALSE(onFullDisk.Commit({ChangeKind::StudentDeleted, 0, "suppression"}));
  EXPECT_EQ(onFullDisk.Book(), saved);
  EXPECT_EQ(OnDisk(), BytesOf(saved));
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Erreur à l'écriture de la base de données (classe)"});
  EXPECT_EQ(told, std::vector<ChangeKind>{ChangeKind::Reverted});
  EXPECT_FALSE(onFullDisk.CanUndo());
}

// Counts the files the program opens, without failing any.
class CountingCalls : public test::FaultySystemCalls {
 public:
  int Opens() const { return static_cast<int>(std::count(log.begin(), log.end(), Call::Open)); }
};

TEST(DocumentRevertTest, GoesBackToTheSavedBytesWithoutOpeningTheFile) {
  test::FakeMessageService messages;
  CountingCalls calls;
  platform::QtFileStore files(calls);
  GradebookDocument document("Vellanor.db", messages, files);
  const Gradebook saved = WriteStartingBook();
  ASSERT_TRUE(document.Load());
  ASSERT_GT(calls.Opens(), 0);

  calls.Reset();
  document.Book().classes[0].students[0].grades[0].value = 3.0f;
  ASSERT_TRUE(RemoveClass(document.Book(), 0));
  document.Revert();
  EXPECT_EQ(document.Book(), saved);
  EXPECT_EQ(calls.Opens(), 0);
  EXPECT_TRUE(calls.log.empty());
}

// A save reads the file back only when the file looks changed since the
// program last wrote it: on a school year that read would double the save.
TEST(DocumentSaveTest, TheFileIsReadBeforeASaveOnlyWhenItLooksChanged) {
  test::FakeMessageService messages;
  CountingCalls calls;
  platform::QtFileStore files(calls);
  GradebookDocument document("Vellanor.db", messages, files);
  WriteStartingBook();
  ASSERT_TRUE(document.Load());

  calls.Reset();
  document.Book().classes[0].info = "a";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification"}));
  EXPECT_EQ(calls.Opens(), 1);  // the new file of the save, nothing read

  // Rewritten with the same bytes (a sync tool, say): read, found equal, no question.
  test::WriteBytes("Vellanor.db", OnDisk());
  calls.Reset();
  document.Book().classes[0].info = "b";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification"}));
  EXPECT_EQ(calls.Opens(), 2);
  EXPECT_TRUE(messages.shown.empty());

  // Coming back to the program reads a changed file once: declined, it is
  // not read again (it may be large) until it changes.
  test::WriteBytes("Vellanor.db", BytesOf(Gradebook{}));
  calls.Reset();
  document.NoticeDiskChange();
  document.NoticeDiskChange();
  EXPECT_EQ(calls.Opens(), 1);
  EXPECT_EQ(messages.shown.size(), 1u);
}

// Every kind of change, undone one by one back to the start and redone: each
// time the file on disk is the state reached, byte for byte.
TEST_F(DocumentTest, UndoAndRedoPutTheFileBackToEachState) {
  WriteStartingBook();
  ASSERT_TRUE(document.Load());
  std::vector<std::vector<unsigned char>> states{OnDisk()};
  Gradebook& book = document.Book();
  const auto commit = [&](ChangeKind kind, int position, const std::string& what) {
    ASSERT_TRUE(document.Commit({kind, position, what}));
    states.push_back(OnDisk());
  };

  ASSERT_EQ(AppendClass(book, Class("5e A", "2026")), AppendResult::Done);
  commit(ChangeKind::ClassCreated, 1, "création de la classe 5e A");
  ASSERT_EQ(AppendStudent(book.classes[1], Student("Petit", "Noé")), AppendResult::Done);
  commit(ChangeKind::StudentCreated, 1, "création de l'élève Petit Noé");
  ASSERT_EQ(AppendGradeColumn(book.classes[1], {Mark(14.5f, 2, 1)}), AppendResult::Done);
  commit(ChangeKind::GradesChanged, 1, "notes de la classe 5e A");
  book.classes[0].students[1].info = "délégué";
  commit(ChangeKind::StudentModified, 0, "modification de l'élève Roy Zoé");
  for (StudentRecord& student : book.classes[0].students) {
    student.grades[0].value = 20.0f;  // what an import does
  }
  commit(ChangeKind::Import, 0, "import des notes de la classe 4e B");
  ASSERT_TRUE(RemoveStudent(book.classes[0], 0));
  commit(ChangeKind::StudentDeleted, 0, "suppression de l'élève Bernard Hugo");
  ASSERT_EQ(AppendClass(book, book.classes[1]), AppendResult::Done);
  commit(ChangeKind::ClassDuplicated, 2, "duplication de la classe 5e A");
  ASSERT_TRUE(RemoveClass(book, 0));
  commit(ChangeKind::ClassDeleted, -1, "suppression de la classe 4e B");

  EXPECT_EQ(document.UndoText(), "suppression de la classe 4e B");
  for (std::size_t k = states.size() - 1; k > 0; --k) {
    ASSERT_TRUE(document.Undo()) << k;
    EXPECT_EQ(OnDisk(), states[k - 1]) << k;
    EXPECT_EQ(BytesOf(document.Book()), states[k - 1]) << k;
  }
  EXPECT_FALSE(document.CanUndo());
  EXPECT_FALSE(document.Undo());
  EXPECT_EQ(document.RedoText(), "création de la classe 5e A");
  for (std::size_t k = 1; k < states.size(); ++k) {
    ASSERT_TRUE(document.Redo()) << k;
    EXPECT_EQ(OnDisk(), states[k]) << k;
  }
  EXPECT_FALSE(document.CanRedo());

  // A save that changes nothing leaves nothing to undo.
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "rien"}));
  EXPECT_EQ(document.UndoText(), "suppression de la classe 4e B");

  // A new change after an undo ends what could be redone.
  ASSERT_TRUE(document.Undo());
  book.classes[0].info = "x";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification de la classe 5e A"}));
  EXPECT_FALSE(document.CanRedo());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DocumentTest, HistoryKeepsTheLatestChangesWithinItsLimits) {
  WriteStartingBook();
  ASSERT_TRUE(document.Load());
  for (int k = 0; k < 105; ++k) {
    document.Book().classes[0].info = std::to_string(k);
    ASSERT_TRUE(
        document.Commit({ChangeKind::ClassModified, 0, "modification " + std::to_string(k)}));
  }
  EXPECT_EQ(document.HistorySize(), 100u);
  EXPECT_EQ(document.UndoText(), "modification 104");

  // A byte limit below one state still keeps the latest change.
  document.SetHistoryLimits(100, OnDisk().size() * 3);
  EXPECT_EQ(document.HistorySize(), 3u);
  document.SetHistoryLimits(100, 1);
  EXPECT_EQ(document.HistorySize(), 1u);
  EXPECT_TRUE(document.Undo());
  EXPECT_EQ(document.Book().classes[0].info.View(), "103");
}

TEST_F(DocumentTest, AFileChangedByAnotherProgramIsNotReplacedWithoutAsking) {
  WriteStartingBook();
  ASSERT_TRUE(document.Load());
  int copies = 0;
  document.SetSafetyCopy([&] {
    ++copies;
    return true;
  });
  Gradebook other;
  ASSERT_EQ(AppendClass(other, Class("6e C", "2027")), AppendResult::Done);
  test::WriteBytes("Vellanor.db", BytesOf(other));

  // No: the other file is kept and becomes the grade book.
  ASSERT_TRUE(RemoveStudent(document.Book().classes[0], 1));
  EXPECT_FALSE(document.Commit({ChangeKind::StudentDeleted, 0, "suppression de l'élève Roy Zoé"}));
  EXPECT_EQ(OnDisk(), BytesOf(other));
  EXPECT_EQ(document.Book(), other);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text,
            "Vellanor.db a été modifié par un autre programme depuis son ouverture.\n"
            "Remplacer ce fichier par vos données ?");
  EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(messages.shown[1].text,
            "Vellanor.db a été relu depuis le disque.\n"
            "La modification « suppression de l'élève Roy Zoé » n'a pas été enregistrée.");
  EXPECT_EQ(copies, 0);

  // Once read, the file is this program's own again: no question.
  document.Book().classes[0].info = "a";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification"}));
  EXPECT_EQ(messages.shown.size(), 2u);

  // Yes: a safety copy first, then the save.
  test::WriteBytes("Vellanor.db", BytesOf(Gradebook{}));
  messages.AnswerYes();
  document.Book().classes[0].info = "b";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification"}));
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(OnDisk(), BytesOf(document.Book()));
  EXPECT_EQ(messages.shown.size(), 3u);
}

// A disk that renames the new file in place but cannot flush the folder.
class FolderFlushFails : public platform::SystemCalls {
 protected:
  long Perform(Call call, const std::function<long()>& real) override {
    if (call == Call::SyncFolder) {
      errno = EIO;
      return -1;
    }
    return real();
  }
};

TEST(DocumentSaveTest, ASaveInPlaceWithoutTheFolderFlushIsTheFileItKnows) {
  test::FakeMessageService messages;
  FolderFlushFails calls;
  platform::QtFileStore files(calls);
  GradebookDocument document("Vellanor.db", messages, files);
  WriteStartingBook();
  ASSERT_TRUE(document.Load());
  document.Book().classes[0].info = "a";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification"}));
  EXPECT_EQ(OnDisk(), BytesOf(document.Book()));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Attention");
  // The next save finds the file it wrote: no question.
  document.Book().classes[0].info = "b";
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification"}));
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].caption, "Attention");
  EXPECT_TRUE(document.Undo());
  EXPECT_EQ(document.Book().classes[0].info.View(), "a");
}

TEST_F(DocumentTest, ComingBackOffersAChangedFileAndADamagedOneIsNeitherTakenNorReplaced) {
  const Gradebook start = WriteStartingBook();
  ASSERT_TRUE(document.Load());
  document.NoticeDiskChange();
  EXPECT_TRUE(messages.shown.empty());

  // No keeps memory, and the same file is not offered twice.
  Gradebook other;
  ASSERT_EQ(AppendClass(other, Class("6e C", "2027")), AppendResult::Done);
  test::WriteBytes("Vellanor.db", BytesOf(other));
  document.NoticeDiskChange();
  document.NoticeDiskChange();
  ASSERT_EQ(messages.Texts(), std::vector<std::string>{ReloadQuestion("Vellanor.db")});
  EXPECT_EQ(document.Book(), start);

  // Changed once more, it is offered again; Yes reads it.
  ASSERT_EQ(AppendClass(other, Class("6e D", "2027")), AppendResult::Done);
  test::WriteBytes("Vellanor.db", BytesOf(other));
  messages.AnswerYes();
  document.NoticeDiskChange();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(document.Book(), other);
  EXPECT_FALSE(document.CanUndo());

  // What stands in the file's place and is no file has nothing to offer,
  // and no reader waits on a FIFO.
  std::filesystem::rename("Vellanor.db", "kept.db");
  std::filesystem::create_directory("Vellanor.db");
  document.NoticeDiskChange();
  std::filesystem::remove("Vellanor.db");
  ASSERT_EQ(::mkfifo("Vellanor.db", 0600), 0);
  document.NoticeDiskChange();
  std::filesystem::remove("Vellanor.db");
  std::filesystem::rename("kept.db", "Vellanor.db");
  document.NoticeDiskChange();
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(document.Book(), other);

  // A file that cannot be read is not taken in at a save's question either:
  // memory goes back to the last saved state and the file stays, until Yes.
  const std::vector<unsigned char> damaged{'n', 'o', 't', ' ', 'a', ' ', 'd', 'b'};
  test::WriteBytes("Vellanor.db", damaged);
  document.Book().classes[0].info = "a";
  EXPECT_FALSE(document.Commit({ChangeKind::ClassModified, 0, "modification de la classe 6e C"}));
  EXPECT_EQ(OnDisk(), damaged);
  EXPECT_EQ(document.Book(), other);
  ASSERT_EQ(messages.shown.size(), 5u);
  EXPECT_EQ(messages.shown[3].caption, "Erreur");
  EXPECT_EQ(messages.shown[4].text,
            "Vellanor.db n'a pas été relu ni remplacé.\n"
            "La modification « modification de la classe 6e C » n'a pas été enregistrée.");
  document.Book().classes[0].info = "b";
  messages.AnswerYes();
  ASSERT_TRUE(document.Commit({ChangeKind::ClassModified, 0, "modification de la classe 6e C"}));
  EXPECT_EQ(OnDisk(), BytesOf(document.Book()));
}

// The lock is the document's: one document per file, however it is named
// (here through a relative link), until the document ends. A link to a file
// not made yet locks the file it would make.
TEST(DocumentLockTest, HeldUntilTheDocumentEndsWhateverNameLeadsToTheFile) {
  namespace fs = std::filesystem;
  for (const char* folder : {"a", "b", "c", "d"}) {
    fs::create_directory(folder);
  }
  WriteStartingBook();
  fs::rename("Vellanor.db", "a/Vellanor.db");
  fs::create_symlink("../a/Vellanor.db", "b/Vellanor.db");
  fs::create_symlink("../d/Vellanor.db", "c/Vellanor.db");
  test::FakeMessageService messages;
  platform::QtFileStore files;
  auto first = std::make_unique<GradebookDocument>("a/Vellanor.db", messages, files);
  ASSERT_TRUE(first->TakeLock(platform::SystemCalls::Real()));
  EXPECT_TRUE(first->HoldsLock());

  GradebookDocument second("b/Vellanor.db", messages, files);
  EXPECT_FALSE(second.TakeLock(platform::SystemCalls::Real()));
  EXPECT_FALSE(second.HoldsLock());
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kDatabaseInUseMessage});
  first.reset();
  EXPECT_FALSE(fs::exists("a/Vellanor.db.lock"));
  EXPECT_TRUE(second.TakeLock(platform::SystemCalls::Real()));
  EXPECT_TRUE(fs::exists("a/Vellanor.db.lock"));

  GradebookDocument dangling("c/Vellanor.db", messages, files);
  EXPECT_TRUE(dangling.TakeLock(platform::SystemCalls::Real()));
  EXPECT_TRUE(fs::exists("d/Vellanor.db.lock"));
  EXPECT_EQ(messages.shown.size(), 1u);
}

// A lock whose process number is in use is still stale when it was written
// before the computer last started, or when its process has ended and only
// waits for its parent; a lock of this boot's living process is not.
TEST(DocumentLockTest, ALockOfAnEarlierBootOrOfAnEndedProcessIsTakenOver) {
  WriteStartingBook();
  std::string boot;
  std::getline(std::ifstream("/proc/sys/kernel/random/boot_id"), boot);
  if (boot.empty()) {
    GTEST_SKIP() << "no boot id here";
  }
  const pid_t ended = ::fork();
  if (ended == 0) {
    ::_exit(0);
  }
  ASSERT_GT(ended, 0);
  siginfo_t info{};
  ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(ended), &info, WEXITED | WNOWAIT), 0);
  const auto lockOf = [&](long pid, const std::string& bootId) {
    const std::string text = std::to_string(pid) + "\nVellanor\n" + ThisHost() +
                             "\n1796000000\n" + bootId + "\n";
    test::WriteBytes("Vellanor.db.lock", {text.begin(), text.end()});
  };
  test::FakeMessageService messages;
  platform::QtFileStore files;
  struct Case {
    long pid;
    std::string boot;
    bool taken;
  };
  for (const Case& c : {Case{::getppid(), boot, false}, Case{::getppid(), "another-boot", true},
                        Case{ended, boot, true}}) {
    lockOf(c.pid, c.boot);
    GradebookDocument document("Vellanor.db", messages, files);
    EXPECT_EQ(document.TakeLock(platform::SystemCalls::Real()), c.taken) << c.pid << c.boot;
  }
  ::waitpid(ended, nullptr, 0);
}

// Another program's lock put in place while this one sets a stale lock
// aside is put back, not removed; a lock this account may not read is held.
TEST(DocumentLockTest, AStaleLockIsRemovedOnlyWhileItIsStillTheStaleOne) {
  WriteStartingBook();
  const std::string live = std::to_string(::getppid()) + "\nVellanor\n" + ThisHost() + "\n";
  struct RacingCalls : platform::SystemCalls {
    std::string live;
    long Perform(Call call, const std::function<long()>& real) override {
      if (call == Call::Rename) {
        test::WriteBytes("Vellanor.db.lock", {live.begin(), live.end()});
      }
      return real();
    }
  } racing;
  racing.live = live;
  test::WriteBytes("Vellanor.db.lock", {'x'});
  test::FakeMessageService messages;
  platform::QtFileStore files;
  {
    GradebookDocument document("Vellanor.db", messages, files);
    EXPECT_FALSE(document.TakeLock(racing));
  }
  EXPECT_EQ(test::ReadBytes("Vellanor.db.lock"),
            std::vector<unsigned char>(live.begin(), live.end()));
  EXPECT_EQ(test::FileNames("."), (std::vector<std::string>{"Vellanor.db", "Vellanor.db.lock"}));

  // Where the lock found is opened: after the draft's own opening.
  test::WriteBytes("Vellanor.db.lock", {'x'});
  test::FaultySystemCalls faulty;
  {
    GradebookDocument probe("Vellanor.db", messages, files);
    ASSERT_TRUE(probe.TakeLock(faulty));
  }
  std::vector<int> opens;
  for (std::size_t call = 0; call < faulty.log.size(); ++call) {
    if (faulty.log[call] == platform::SystemCalls::Call::Open) {
      opens.push_back(static_cast<int>(call) + 1);
    }
  }
  ASSERT_GE(opens.size(), 2u);
  test::WriteBytes("Vellanor.db.lock", {'x'});
  faulty.Inject(test::FaultySystemCalls::Fault::Fail, opens[1], EACCES);
  GradebookDocument document("Vellanor.db", messages, files);
  EXPECT_FALSE(document.TakeLock(faulty));
  EXPECT_EQ(test::ReadBytes("Vellanor.db.lock"), std::vector<unsigned char>{'x'});
  EXPECT_EQ(messages.shown.back().text, kDatabaseInUseMessage);
}

}  // namespace
}  // namespace vellanor
