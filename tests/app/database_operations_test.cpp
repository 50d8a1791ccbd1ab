#include "document/database_operations.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/gradebook.h"
#include "model/invariants.h"
#include "support/failing_file_store.h"
#include "support/fake_services.h"
#include "support/fake_message_service.h"
#include "support/record_builders.h"
#include "support/school_year.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

// The gradebook, fake services and the real database operations on the
// test's working directory.
struct Database {
  bool LoadDatabase(const std::string& fileName) { return database.LoadDatabase(fileName); }
  bool SaveDatabase(const std::string& fileName) { return database.SaveDatabase(fileName); }

  Gradebook book;
  test::FakeServices services;
  DatabaseOperations database{book, services.messages, services.files};
};

using platform::MessageIcon;
using test::FailingFileStore;
using test::FakeMessageService;
using test::ReadBytes;
using test::WriteBytes;
namespace fs = std::filesystem;

const std::vector<unsigned char> kEmptyDatabase{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00};

// A class of `students` students and `columns` written T1 grade columns,
// whose stored bytes hold no 0A (so stored offsets are record offsets).
ClassRecord SmallClass(const char* name, int students, int columns = 0) {
  const std::vector<GradeRecord> marks(static_cast<std::size_t>(columns), test::Mark(12.0f, 1, 0));
  std::vector<StudentRecord> list;
  for (int j = 0; j < students; ++j) {
    list.push_back(test::Student("Eleve " + std::to_string(j), "", 0, marks));
  }
  ClassRecord record = test::Class(name, "2026 - 2027", std::move(list));
  record.columns = marks;
  record.gradeCount[0] = static_cast<std::int16_t>(columns);
  return record;
}

void ExpectOneError(const FakeMessageService& messages, const std::string& text) {
  ASSERT_EQ(messages.shown.size(), 1u) << text;
  EXPECT_EQ(messages.shown[0].text, text);
  EXPECT_EQ(messages.shown[0].caption, "Erreur");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::Ok);
}

std::vector<std::string> FilesOfWorkingDirectory() {
  return test::FileNames(".");
}

TEST(DatabaseOperationsTest, MissingFileCreatesAnEmptyDatabaseThatLoadsSilently) {
  Database main;
  ASSERT_EQ(AppendClass(main.book, SmallClass("6e A", 1)), AppendResult::Done);
  const Gradebook before = main.book;
  ASSERT_TRUE(main.LoadDatabase("Vellanor.db"));
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Base de donnée manquante,\nCréation d'une base vide...");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Information");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(main.book, before);  // left as it was
  EXPECT_EQ(ReadBytes("Vellanor.db"), kEmptyDatabase);

  Database next;
  EXPECT_TRUE(next.LoadDatabase("Vellanor.db"));
  EXPECT_TRUE(next.services.messages.shown.empty());
  EXPECT_TRUE(next.book.classes.empty());
}

TEST(DatabaseOperationsTest, MissingFileThatCannotBeCreatedIsReportedByTheNextSave) {
  Database main;
  EXPECT_TRUE(main.LoadDatabase("no-such-folder/Vellanor.db"));
  EXPECT_EQ(main.services.messages.Texts(),
            std::vector<std::string>{"Base de donnée manquante,\nCréation d'une base vide..."});
  int fatal = 0;
  main.database.SetFatalHandler([&fatal] { ++fatal; });
  EXPECT_FALSE(main.SaveDatabase("no-such-folder/Vellanor.db"));
  EXPECT_EQ(fatal, 1);
  EXPECT_EQ(main.services.messages.shown.back().caption, "Erreur fatale");
}

TEST(DatabaseOperationsTest, SavesAndLoadsBackTenStudents) {
  Database main;
  ASSERT_EQ(AppendClass(main.book, SmallClass("4e B", 10, 3)), AppendResult::Done);
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  EXPECT_TRUE(main.services.messages.shown.empty());
  EXPECT_EQ(FilesOfWorkingDirectory(), std::vector<std::string>{"Vellanor.db"});

  Database other;
  ASSERT_TRUE(other.LoadDatabase("Vellanor.db"));
  EXPECT_EQ(other.book, main.book);
  EXPECT_TRUE(other.services.messages.shown.empty());
}

TEST(DatabaseOperationsTest, SchoolYearRoundTripsThroughTheFile) {
  Database main;
  main.book = MakeSchoolYear({.classes = 12, .studentsPerClass = 30, .marksPerStudent = 40});
  for (const ClassRecord& record : main.book.classes) {
    ASSERT_EQ(FindInvariantFault(record), std::nullopt);
  }
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  Database other;
  ASSERT_TRUE(other.LoadDatabase("Vellanor.db"));
  EXPECT_EQ(other.book, main.book);
  EXPECT_TRUE(other.services.messages.shown.empty());
}

TEST(DatabaseOperationsTest, RefusedFilesShowTheirMessage) {
  struct Case {
    std::vector<unsigned char> bytes;
    std::string message;
  };
  std::vector<unsigned char> oneClass = kEmptyDatabase;
  oneClass[4] = 0x01;
  std::vector<unsigned char> cutInClass = oneClass;
  cutInClass.resize(8 + 200, 0x20);
  std::vector<unsigned char> cutInColumn = oneClass;
  cutInColumn.resize(8 + 212, 0x00);
  cutInColumn[8 + 166] = 0x01;  // one grade column, not there
  std::vector<unsigned char> cutInStudent = oneClass;
  cutInStudent.resize(8 + 212 + 259, 0x00);
  cutInStudent[8 + 164] = 0x01;  // one student, cut short

  const Case cases[] = {
      {{}, "Erreur à la lecture de la base de données (header)"},
      {{0x00, 0x00, 0x00, 0x40, 0x01}, "Erreur à la lecture de la base de données (header)"},
      {{0x00, 0x00, 0x20, 0x40, 0x00, 0x00, 0x00, 0x00}, "Version de la base de données invalide"},
      {{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, "Version de la base de données invalide"},
      {cutInClass, "Erreur à la lecture de la base de données (classe)"},
      {cutInColumn, "Erreur à la lecture de la base de données (note)"},
      {cutInStudent, "Erreur à la lecture de la base de données (eleve)"},
  };
  for (const Case& c : cases) {
    WriteBytes("Vellanor.db", c.bytes);
    Database main;
    ASSERT_EQ(AppendClass(main.book, SmallClass("6e A", 1)), AppendResult::Done);
    EXPECT_FALSE(main.LoadDatabase("Vellanor.db")) << c.message;
    ExpectOneError(main.services.messages, c.message);
    EXPECT_TRUE(main.book.classes.empty()) << c.message;
    EXPECT_EQ(ReadBytes("Vellanor.db"), c.bytes);  // a refused file is left alone
  }

  // A negative class count is an empty database, not an error.
  WriteBytes("Vellanor.db", {0x00, 0x00, 0x00, 0x40, 0xFF, 0xFF, 0x00, 0x00});
  Database main;
  EXPECT_TRUE(main.LoadDatabase("Vellanor.db"));
  EXPECT_TRUE(main.services.messages.shown.empty());
}

TEST(DatabaseOperationsTest, ShortFileKeepsTheClassesReadWhole) {
  Database main;
  for (const char* name : {"6e A", "5e B", "4e C"}) {
    ASSERT_EQ(AppendClass(main.book, SmallClass(name, 2, 2)), AppendResult::Done);
  }
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  // 300 bytes before the end lies in the last student of the third class, 20
  // in its last mark.
  for (std::size_t cut : {std::size_t{300}, std::size_t{20}}) {
    std::vector<unsigned char> bytes = ReadBytes("Vellanor.db");
    bytes.resize(bytes.size() - cut);
    WriteBytes("Cut.db", bytes);
    Database other;
    EXPECT_FALSE(other.LoadDatabase("Cut.db"));
    ExpectOneError(other.services.messages,
                   cut == 300 ? "Erreur à la lecture de la base de données (eleve)"
                              : "Erreur à la lecture de la base de données (note)");
    ASSERT_EQ(other.book.classes.size(), 2u);
    EXPECT_EQ(other.book.classes[0], main.book.classes[0]);
    EXPECT_EQ(other.book.classes[1], main.book.classes[1]);
  }
}

TEST(DatabaseOperationsTest, FolderInTheDatabasesPlaceIsNeverReplaced) {
  // A folder in the database's place cannot be opened, even by root.
  fs::create_directory("Vellanor.db");
  Database main;
  ASSERT_EQ(AppendClass(main.book, SmallClass("6e A", 1)), AppendResult::Done);
  EXPECT_FALSE(main.LoadDatabase("Vellanor.db"));
  ExpectOneError(main.services.messages, "Erreur à la lecture de la base de données (header)");
  EXPECT_TRUE(fs::is_directory("Vellanor.db"));
  EXPECT_EQ(main.book.classes.size(), 1u);  // nothing was read: memory is left alone
}

TEST(DatabaseOperationsTest, FileWithoutReadPermissionIsNeverReplaced) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root reads files whatever their permissions";
  }
  WriteBytes("Locked.db", kEmptyDatabase);
  fs::permissions("Locked.db", fs::perms::none);
  Database locked;
  EXPECT_FALSE(locked.LoadDatabase("Locked.db"));
  ExpectOneError(locked.services.messages, "Erreur à la lecture de la base de données (header)");
  fs::permissions("Locked.db", fs::perms::owner_read);
  EXPECT_EQ(ReadBytes("Locked.db"), kEmptyDatabase);
}

TEST(DatabaseOperationsTest, InconsistentGradebookIsNeverWritten) {
  Database main;
  ASSERT_EQ(AppendClass(main.book, SmallClass("6e A", 1)), AppendResult::Done);
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  const auto before = ReadBytes("Vellanor.db");

  main.book.classes[0].studentCount = 3;
  EXPECT_FALSE(main.SaveDatabase("Vellanor.db"));
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].caption, "Erreur");
  EXPECT_NE(main.services.messages.shown[0].text.find("<6e A>"), std::string::npos);
  EXPECT_EQ(ReadBytes("Vellanor.db"), before);
}

// A gradebook of two classes with grade columns, and the file of an older one.
class FailedSaveTest : public testing::Test {
 protected:
  void SetUp() override {
    Gradebook older;
    ASSERT_EQ(AppendClass(older, SmallClass("Ancienne", 3, 1)), AppendResult::Done);
    FakeMessageService quiet;
    platform::QtFileStore realFiles;
    DatabaseOperations writer(older, quiet, realFiles);
    ASSERT_TRUE(writer.SaveDatabase("Vellanor.db"));
    oldFile = ReadBytes("Vellanor.db");

    ASSERT_EQ(AppendClass(book, SmallClass("6e A", 2, 2)), AppendResult::Done);
    ASSERT_EQ(AppendClass(book, SmallClass("5e B", 2, 2)), AppendResult::Done);
    kept = book;
  }

  // Saves with the store as set, and checks that nothing was lost.
  void ExpectFailedSave(const std::string& message) {
    EXPECT_FALSE(database.SaveDatabase("Vellanor.db")) << message;
    ExpectOneError(messages, message);
    EXPECT_EQ(ReadBytes("Vellanor.db"), oldFile) << message;
    EXPECT_EQ(book, kept);
    EXPECT_EQ(FilesOfWorkingDirectory(), std::vector<std::string>{"Vellanor.db"});
    messages.shown.clear();
  }

  Gradebook book;
  Gradebook kept;
  std::vector<unsigned char> oldFile;
  FakeMessageService messages;
  FailingFileStore files;
  DatabaseOperations database{book, messages, files};
};

TEST_F(FailedSaveTest, FullDiskNamesTheRecordBeingWrittenAndKeepsTheOldFile) {
  // Stored layout of a class: 212 + 2 columns of 48 + 2 students of 260 + 2*48.
  struct Case {
    std::size_t accepted;
    const char* message;
  };
  const Case cases[] = {
      {0, "Erreur à l'écriture de la base de données (header)"},
      {7, "Erreur à l'écriture de la base de données (header)"},
      {8, "Erreur à l'écriture de la base de données (classe)"},
      {8 + 211, "Erreur à l'écriture de la base de données (classe)"},
      {8 + 212, "Erreur à l'écriture de la base de données (note)"},
      {8 + 212 + 96, "Erreur à l'écriture de la base de données (eleve)"},
      {8 + 212 + 96 + 260, "Erreur à l'écriture de la base de données (note)"},
      {8 + 1020 + 5, "Erreur à l'écriture de la base de données (classe)"},
      {8 + 1020 + 212 + 96 + 356 + 259, "Erreur à l'écriture de la base de données (eleve)"},
      {8 + 2040 - 1, "Erreur à l'écriture de la base de données (note)"},
  };
  for (const Case& c : cases) {
    files.acceptedBytes = c.accepted;
    ExpectFailedSave(c.message);
    EXPECT_EQ(files.bytesWritten, c.accepted);
    EXPECT_EQ(files.commits, 0);
  }

  // The next save that works writes the whole file.
  files.acceptedBytes = 8 + 2040;
  EXPECT_TRUE(database.SaveDatabase("Vellanor.db"));
  Database reader;
  ASSERT_TRUE(reader.LoadDatabase("Vellanor.db"));
  EXPECT_EQ(reader.book, book);
}

TEST_F(FailedSaveTest, FailedCommitKeepsTheOldFile) {
  files.failCommit = true;
  ExpectFailedSave("Erreur à l'écriture de la base de données (note)");
  EXPECT_EQ(files.commits, 1);

  book.classes.clear();
  kept.classes.clear();
  ExpectFailedSave("Erreur à l'écriture de la base de données (header)");
}

TEST_F(FailedSaveTest, FileThatCannotBeCreatedEndsTheProgramOnce) {
  int fatal = 0;
  database.SetFatalHandler([&fatal] { ++fatal; });
  files.refuseToCreate = true;
  EXPECT_FALSE(database.SaveDatabase("Vellanor.db"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Imposible de créer une base de donnée,\nLe programme va s'arrêter...");
  EXPECT_EQ(messages.shown[0].caption, "Erreur fatale");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(fatal, 1);
  EXPECT_TRUE(database.EndedByFatalError());

  // While the application closes, no later save touches the disk.
  files.refuseToCreate = false;
  EXPECT_FALSE(database.SaveDatabase("Vellanor.db"));
  EXPECT_EQ(files.openingsForWriting, 1);
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(fatal, 1);
  EXPECT_EQ(ReadBytes("Vellanor.db"), oldFile);
  EXPECT_EQ(book, kept);
}

TEST_F(FailedSaveTest, NothingTouchesTheDiskAfterTheFatalMessage) {
  std::filesystem::remove("Vellanor.db");
  files.refuseToCreate = true;
  EXPECT_FALSE(database.SaveDatabase("Vellanor.db"));
  files.refuseToCreate = false;
  // The load that follows a duplication finds no file: it neither creates one
  // nor says anything more.
  EXPECT_FALSE(database.LoadDatabase("Vellanor.db"));
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"Imposible de créer une base de donnée,\nLe programme va "
                                      "s'arrêter..."}));
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db"));
  EXPECT_EQ(files.openingsForWriting, 1);
  EXPECT_EQ(book, kept);
}

TEST_F(FailedSaveTest, RealFullDiskFailsTheWriteThatMeetsIt) {
  // The file size limit makes the system refuse writes past it, as a full
  // disk does, through the real files: the write that meets it fails, not a
  // later flush, so the message names the record being written.
  book.classes.clear();
  for (int i = 0; i < 10; ++i) {
    ASSERT_EQ(AppendClass(book, SmallClass("Classe", 30, 20)), AppendResult::Done);
  }
  kept = book;
  // Each class: 212 + 20*48 + 30*(260 + 20*48) = 37772 stored bytes; byte
  // 100000 lies in the twentieth student (260 bytes from 99904) of the third.
  struct rlimit previous {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = previous;
  limited.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

  platform::QtFileStore realFiles;
  DatabaseOperations real(book, messages, realFiles);
  const bool saved = real.SaveDatabase("Vellanor.db");

  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(saved);
  // The system's own cause follows the record.
  ExpectOneError(messages,
                 "Erreur à l'écriture de la base de données (eleve)\nErreur du disque (File too "
                 "large) : la dernière modification n'a pas été enregistrée.");
  EXPECT_EQ(ReadBytes("Vellanor.db"), oldFile);
  EXPECT_EQ(FilesOfWorkingDirectory(), std::vector<std::string>{"Vellanor.db"});
}

TEST(DatabaseOperationsTest, ReadOnlyFolderIsAFatalSaveThatLeavesTheFile) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only folders";
  }
  fs::create_directory("classe");
  Database main;
  ASSERT_TRUE(main.SaveDatabase("classe/Vellanor.db"));
  const auto before = ReadBytes("classe/Vellanor.db");
  fs::permissions("classe", fs::perms::owner_read | fs::perms::owner_exec);

  ASSERT_EQ(AppendClass(main.book, SmallClass("6e A", 2)), AppendResult::Done);
  int fatal = 0;
  main.database.SetFatalHandler([&fatal] { ++fatal; });
  EXPECT_FALSE(main.SaveDatabase("classe/Vellanor.db"));
  EXPECT_EQ(main.services.messages.Texts(),
            std::vector<std::string>{
                "Imposible de créer une base de donnée,\nLe programme va s'arrêter..."});
  EXPECT_EQ(fatal, 1);
  EXPECT_EQ(ReadBytes("classe/Vellanor.db"), before);
}

}  // namespace
}  // namespace vellanor
