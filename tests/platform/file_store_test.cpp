#include "platform/file_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/system_calls.h"
#include "support/faulty_system_calls.h"
#include "support/temp_dir.h"

namespace vellanor::platform {
namespace {

namespace fs = std::filesystem;

const std::vector<unsigned char> kOld{'o', 'l', 'd'};
const std::vector<unsigned char> kNew{'n', 'e', 'w', '\n'};

bool Save(FileStore& files, const std::string& path, const std::vector<unsigned char>& bytes) {
  auto file = files.OpenForAtomicWriting(path);
  return file != nullptr && file->Write(bytes.data(), bytes.size()) == bytes.size() &&
         file->Commit();
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0);
  return info.st_mode & 07777;
}

TEST(FileStoreTest, SaveKeepsTheModeAndTheLinkOfTheOldFile) {
  QtFileStore files;
  // A first file gets the mode of any new file.
  const mode_t mask = umask(0);
  umask(mask);
  ASSERT_TRUE(Save(files, "Vellanor.db", kOld));
  EXPECT_EQ(ModeOf("Vellanor.db"), 0666 & ~mask);

  // A read-only database stays read-only for its owner; a shared one shared.
  for (const mode_t mode : {mode_t{0440}, mode_t{0664}, mode_t{0600}}) {
    ASSERT_EQ(chmod("Vellanor.db", mode), 0);
    ASSERT_TRUE(Save(files, "Vellanor.db", kNew));
    EXPECT_EQ(ModeOf("Vellanor.db"), mode);
    EXPECT_EQ(test::ReadBytes("Vellanor.db"), kNew);
  }

  // Through a link, the file it points to is replaced and the link stays.
  fs::create_directory("elsewhere");
  test::WriteBytes("elsewhere/real.db", kOld);
  fs::create_symlink("elsewhere/real.db", "Linked.db");
  ASSERT_TRUE(Save(files, "Linked.db", kNew));
  EXPECT_TRUE(fs::is_symlink("Linked.db"));
  EXPECT_EQ(test::ReadBytes("elsewhere/real.db"), kNew);
  EXPECT_EQ(fs::directory_iterator("elsewhere")->path().filename(), "real.db");
}

TEST(FileStoreTest, AFolderThatCannotBeFlushedIsNoFailure) {
  // Network shares answer EINVAL to a folder's flush; a folder may be
  // writable but not readable. An I/O error is a failure.
  test::FaultySystemCalls calls;
  QtFileStore files(calls);
  ASSERT_TRUE(Save(files, "Vellanor.db", kOld));
  calls.Reset();
  ASSERT_TRUE(Save(files, "Vellanor.db", kOld));  // a save over an old file, counted
  const auto at = [&calls](SystemCalls::Call call) {
    return static_cast<int>(std::find(calls.log.begin(), calls.log.end(), call) -
                            calls.log.begin()) +
           1;
  };
  const int openFolder = at(SystemCalls::Call::OpenFolder);
  const int syncFolder = at(SystemCalls::Call::SyncFolder);
  calls.Inject(test::FaultySystemCalls::Fault::Fail, syncFolder, EINVAL);
  EXPECT_TRUE(Save(files, "Vellanor.db", kNew));
  calls.Inject(test::FaultySystemCalls::Fault::Fail, openFolder, EACCES);
  EXPECT_TRUE(Save(files, "Vellanor.db", kOld));
  calls.Inject(test::FaultySystemCalls::Fault::Fail, syncFolder, EIO);
  EXPECT_FALSE(Save(files, "Vellanor.db", kNew));
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), kNew);  // renamed, but not known to be on disk
}

TEST(FileStoreTest, OnlyTheNewFilesOfSavesAreLeftovers) {
  for (const char* name :
       {"Vellanor.db.Ab3xZ9.tmp", "2026-12-08_14h05_importation.db.000000.tmp"}) {
    EXPECT_TRUE(IsLeftoverOfSave(name)) << name;
  }
  for (const char* name : {"Vellanor.db", "Vellanor.db.lock", "Vellanor.db.backup",
                           "Vellanor.db.Ab3xZ.tmp", "Vellanor.db.Ab-xZ9.tmp",
                           "notes.txt.Ab3xZ9.tmp", "Vellanor.db.Ab3xZ9.tmp~", ".db.aaaaaa.tmp"}) {
    EXPECT_FALSE(IsLeftoverOfSave(name)) << name;
  }

  // A save names its new file that way: an unfinished one is recognised.
  QtFileStore files;
  auto unfinished = files.OpenForAtomicWriting("Vellanor.db");
  ASSERT_NE(unfinished, nullptr);
  std::vector<std::string> names = test::FileNames();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(IsLeftoverOfSave(names[0])) << names[0];

  test::WriteBytes("Vellanor.db.backup", kOld);
  test::WriteBytes("Vellanor.db.lock", kOld);
  EXPECT_EQ(RemoveLeftoverSaves("."), 1);
  unfinished.reset();  // its own removal finds nothing more to do
  EXPECT_EQ(test::FileNames(),
            (std::vector<std::string>{"Vellanor.db.backup", "Vellanor.db.lock"}));
}

TEST(FileStoreTest, OnlyRegularFilesAreReadAndAReadErrorIsNotTheEnd) {
  test::TempDir dir;
  QtFileStore files;
  // A folder, a FIFO with no writer and a device are refused at once.
  fs::create_directory("folder");
  ASSERT_EQ(mkfifo("fifo", 0600), 0);
  EXPECT_EQ(files.OpenForReading("folder").status, OpenStatus::NotRegular);
  EXPECT_EQ(files.OpenForReading("fifo").status, OpenStatus::NotRegular);
  EXPECT_EQ(files.OpenForReading("/dev/zero").status, OpenStatus::NotRegular);
  EXPECT_EQ(files.OpenForReading("missing").status, OpenStatus::Missing);
  EXPECT_EQ(files.OpenForReading("folder/missing").status, OpenStatus::Missing);

  ASSERT_TRUE(Save(files, "file", kNew));
  test::FaultySystemCalls calls;
  QtFileStore faulty(calls);
  calls.Inject(test::FaultySystemCalls::Fault::Fail, 4);  // open, fstat, read, then the failing read
  OpenedInput input = faulty.OpenForReading("file");
  ASSERT_EQ(input.status, OpenStatus::Opened);
  EXPECT_EQ(input.file->SizeHint(), 4u);
  char buffer[2];
  EXPECT_EQ(input.file->Read(buffer, 2), 2u);
  EXPECT_FALSE(input.file->Failed());
  EXPECT_EQ(input.file->Read(buffer, 2), 0u);
  EXPECT_TRUE(input.file->Failed());
}

}  // namespace
}  // namespace vellanor::platform
