#include "app/backup_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/database_codec.h"
#include "platform/file_store.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

std::vector<unsigned char> BytesOf(const Gradebook& book) {
  const std::vector<std::uint8_t> bytes = EncodeDatabase(book);
  return {bytes.begin(), bytes.end()};
}

TEST(BackupListTest, ListsTheCopiesNewestFirstWithWhatTheyHold) {
  std::filesystem::create_directory("Sauvegardes");
  Gradebook book;
  ASSERT_EQ(
      AppendClass(book, test::Class("4e B", "",
                                    {test::Student("Roy", "Zoé"), test::Student("Petit", "Noé")})),
      AppendResult::Done);
  ASSERT_EQ(AppendClass(book, test::Class("3e A")), AppendResult::Done);
  const std::vector<unsigned char> good = BytesOf(book);
  std::vector<unsigned char> damaged = good;
  damaged.resize(good.size() - 10);
  test::WriteBytes("Sauvegardes/2026-12-08_14h05_suppression-classe-4e-B.db", good);
  test::WriteBytes("Sauvegardes/2026-12-09_08h30_importation-4e-B.db", damaged);
  test::WriteBytes("Sauvegardes/2026-11-30_17h00_avant-restauration.db", BytesOf(Gradebook{}));
  // Not copies: left out.
  test::WriteBytes("Sauvegardes/notes.txt", good);
  test::WriteBytes("Sauvegardes/2026-12-08_14h05_importation.db.a1b2c3.tmp", good);

  std::vector<BackupFile> entries;
  for (const auto& file : std::filesystem::directory_iterator("Sauvegardes")) {
    entries.push_back({file.path().filename().string(), 0});
  }
  platform::QtFileStore files;
  const std::vector<BackupEntry> list = ListBackups(files, "Sauvegardes", entries);
  ASSERT_EQ(list.size(), 3u);

  EXPECT_EQ(list[0].fileName, "2026-12-09_08h30_importation-4e-B.db");
  EXPECT_EQ(list[0].when, "09/12/2026 08:30");
  EXPECT_EQ(list[0].operation, "Importation");
  EXPECT_EQ(list[0].record, "4e B");
  EXPECT_FALSE(list[0].readable);

  EXPECT_EQ(list[1].when, "08/12/2026 14:05");
  EXPECT_EQ(list[1].operation, "Suppression d'une classe");
  EXPECT_TRUE(list[1].readable);
  EXPECT_EQ(list[1].classes, 2u);
  EXPECT_EQ(list[1].students, 2u);
  EXPECT_EQ(list[1].marks, 0u);

  EXPECT_EQ(list[2].operation, "Avant une restauration");
  EXPECT_EQ(list[2].record, "");
  EXPECT_TRUE(list[2].readable);
  EXPECT_EQ(list[2].classes, 0u);
}

}  // namespace
}  // namespace vellanor
