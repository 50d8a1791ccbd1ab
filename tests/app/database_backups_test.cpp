#include "app/database_backups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/backup_names.h"
#include "support/fake_main_window.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

namespace fs = std::filesystem;

TEST(DatabaseBackupsTest, NamesHoldTheTimeTheOperationAndNothingAFileNameCannotHold) {
  const platform::LocalDateTime when{std::chrono::year{2026} / 12 / 8, 14, 5, 59};
  EXPECT_EQ(BackupFileName(when, "suppression-classe", "4e B"),
            "2026-12-08_14h05_suppression-classe-4e-B.db");
  EXPECT_EQ(BackupFileName(when, "suppression-eleve", "Zo\xE9 \xC9mile", 3),
            "2026-12-08_14h05_suppression-eleve-Zoé-Émile-3.db");
  // Separators, dots and the characters Windows refuses never reach the name.
  EXPECT_EQ(BackupFileName(when, "importation", "../../etc/passwd"),
            "2026-12-08_14h05_importation-etc-passwd.db");
  EXPECT_EQ(BackupFileName(when, "importation", "a\\b:c*d?e\"f<g>h|i\x01j"),
            "2026-12-08_14h05_importation-a-b-c-d-e-f-g-h-i-j.db");
  EXPECT_EQ(BackupFileName(when, "suppression-classe", " / "),
            "2026-12-08_14h05_suppression-classe.db");
  EXPECT_EQ(BackupFileName(when, "x", std::string(100, 'A')),
            "2026-12-08_14h05_x-" + std::string(48, 'A') + ".db");

  EXPECT_TRUE(IsBackupFileName("2026-12-08_14h05_suppression-classe-4e-B.db"));
  for (const char* other : {"notes.txt", "2026-12-08_14h05_.txt", "2026-12-08 14h05_x.db",
                            "2026-12-8_14h05_x.db", "Vellanor.db"}) {
    EXPECT_FALSE(IsBackupFileName(other)) << other;
  }
}

TEST(DatabaseBackupsTest, CopyIsTheFileAsItStoodAndTheLatestFiftyAreKept) {
  test::FakeMainWindow main;
  test::Prepare(main, {test::Class("4e B")});
  const auto database = test::ReadBytes("Vellanor.db");
  main.services.clock.Set(std::chrono::year{2026} / 12 / 8);
  main.services.clock.SetTime(14, 5, 0);

  // 50 older copies, oldest first by the time in their names, and a file of
  // the teacher's own.
  fs::create_directory("Sauvegardes");
  std::vector<std::string> older;
  for (int day = 1; day <= 25; ++day) {
    for (const char* time : {"08h00", "17h30"}) {
      char name[64];
      std::snprintf(name, sizeof name, "2026-11-%02d_%s_importation-6e-A.db", day, time);
      older.push_back(name);
      test::WriteBytes(fs::path("Sauvegardes") / name, {0x01});
    }
  }
  test::WriteBytes("Sauvegardes/notes.txt", {0x02});

  ASSERT_TRUE(BackUpBeforeChange(main, "suppression-classe", "4e B"));
  ASSERT_TRUE(BackUpBeforeChange(main, "suppression-classe", "4e B"));
  EXPECT_TRUE(main.services.messages.shown.empty());
  const std::vector<std::string> kept = test::FileNames("Sauvegardes");
  EXPECT_EQ(kept.size(), 51u);
  EXPECT_EQ(kept.front(), older[2]);  // the two oldest went
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-08_14h05_suppression-classe-4e-B.db"), database);
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-08_14h05_suppression-classe-4e-B-2.db"), database);
  EXPECT_TRUE(fs::exists("Sauvegardes/notes.txt"));
}

TEST(DatabaseBackupsTest, NewCopySurvivesCopiesDatedInTheFutureAndKeepsTheDatabasesPrivacy) {
  test::FakeMainWindow main;
  test::Prepare(main, {test::Class("4e B")});
  fs::permissions("Vellanor.db", fs::perms::owner_read | fs::perms::owner_write);
  main.services.clock.Set(std::chrono::year{2026} / 12 / 8);
  main.services.clock.SetTime(14, 5, 0);

  // 55 copies made while the clock was a year ahead, each a minute later
  // than the one before.
  const fs::perms dataFolder = fs::status(".").permissions();
  fs::permissions(".", fs::perms::owner_all);
  ASSERT_TRUE(BackUpBeforeChange(main, "importation", "6e A"));  // makes the folder
  fs::permissions(".", dataFolder);
  EXPECT_EQ(fs::status("Sauvegardes").permissions(), fs::perms::owner_all);
  const auto future = fs::file_time_type::clock::now() + std::chrono::hours(24 * 365);
  std::vector<std::string> ahead;
  for (int i = 0; i < 55; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "2027-12-08_%02dh%02d_importation-6e-A.db", 10 + i / 60,
                  i % 60);
    ahead.push_back(name);
    test::WriteBytes(fs::path("Sauvegardes") / name, {0x01});
    fs::last_write_time(fs::path("Sauvegardes") / name, future + std::chrono::minutes(i));
  }

  ASSERT_TRUE(BackUpBeforeChange(main, "suppression-classe", "4e B"));
  const std::vector<std::string> kept = test::FileNames("Sauvegardes");
  ASSERT_EQ(kept.size(), 50u);
  // The new copy and the 49 latest of those ahead stay.
  EXPECT_EQ(kept.front(), "2026-12-08_14h05_suppression-classe-4e-B.db");
  EXPECT_EQ(kept[1], ahead[6]);
  EXPECT_EQ(kept.back(), ahead.back());
  EXPECT_EQ(fs::status("Sauvegardes/2026-12-08_14h05_suppression-classe-4e-B.db").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);

  // Copies of the same instant go in the order they were made.
  EXPECT_EQ(BackupsToRemove({{"2026-12-08_14h05_x-A-10.db", 7},
                             {"2026-12-08_14h05_x-A.db", 7},
                             {"2026-12-08_14h05_x-A-9.db", 7},
                             {"2026-12-08_14h05_x-A-2.db", 7}},
                            2),
            (std::vector<std::string>{"2026-12-08_14h05_x-A.db", "2026-12-08_14h05_x-A-2.db"}));
}

TEST(DatabaseBackupsTest, CopyThatCannotBeMadeGoesOnOnlyIfTheTeacherSaysYes) {
  test::FakeMainWindow main;
  test::Prepare(main, {test::Class("4e B")});
  test::WriteBytes("Sauvegardes", {0x00});  // a file where the folder should be

  main.services.messages.AnswerNo();
  main.services.messages.AnswerYes();
  EXPECT_FALSE(BackUpBeforeDeletion(main, Deletion::Class, 0));
  EXPECT_TRUE(BackUpBeforeDeletion(main, Deletion::Class, 0));
  ASSERT_EQ(main.services.messages.shown.size(), 2u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "La copie de sécurité de la base de données\nn'a pas pu être faite dans le dossier "
            "Sauvegardes.\nVoulez vous continuer sans copie?");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Attention");
  EXPECT_EQ(main.services.messages.shown[0].buttons, platform::MessageButtons::YesNo);

  // Nothing to delete, nothing to copy, nothing to ask.
  EXPECT_TRUE(BackUpBeforeDeletion(main, Deletion::Student, 0, 0));
  EXPECT_TRUE(BackUpBeforeDeletion(main, Deletion::Class, 3));
  EXPECT_EQ(main.services.messages.shown.size(), 2u);
}

}  // namespace
}  // namespace vellanor
