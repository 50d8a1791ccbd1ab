#include "app/database_operations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "model/gradebook.h"
#include "support/fake_main_window.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

using test::FakeMainWindow;
using test::ReadBytes;
using test::WriteBytes;

ClassRecord SmallClass(const char* name, int students) {
  ClassRecord record;
  record.name.Assign(name);
  record.year.Assign("2026 - 2027");
  for (int j = 0; j < students; ++j) {
    StudentRecord student;
    student.name.Assign("Eleve " + std::to_string(j));
    EXPECT_EQ(AppendStudent(record, student), AppendResult::Done);
  }
  return record;
}

TEST(DatabaseOperationsTest, MissingFileCreatesAnEmptyDatabaseThatLoadsSilently) {
  FakeMainWindow main;
  ASSERT_TRUE(main.LoadDatabase("Vellanor.db"));
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Base de donnée manquante,\nCréation d'une base vide...");
  EXPECT_EQ(main.services.messages.shown[0].caption, "Information");
  EXPECT_EQ(ReadBytes("Vellanor.db"),
            (std::vector<unsigned char>{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}));

  FakeMainWindow next;
  EXPECT_TRUE(next.LoadDatabase("Vellanor.db"));
  EXPECT_TRUE(next.services.messages.shown.empty());
  EXPECT_TRUE(next.book.classes.empty());
}

TEST(DatabaseOperationsTest, SavesAndLoadsBackTenStudents) {
  FakeMainWindow main;
  ASSERT_EQ(AppendClass(main.book, SmallClass("4e B", 10)), AppendResult::Done);
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));

  FakeMainWindow other;
  ASSERT_TRUE(other.LoadDatabase("Vellanor.db"));
  EXPECT_EQ(other.book, main.book);
  EXPECT_TRUE(other.services.messages.shown.empty());
}

TEST(DatabaseOperationsTest, ShortFileKeepsTheClassesReadWhole) {
  FakeMainWindow main;
  for (const char* name : {"6e A", "5e B", "4e C"}) {
    ASSERT_EQ(AppendClass(main.book, SmallClass(name, 2)), AppendResult::Done);
  }
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  std::vector<unsigned char> bytes = ReadBytes("Vellanor.db");
  bytes.resize(bytes.size() - 100);  // cut inside the third class
  WriteBytes("Vellanor.db", bytes);

  FakeMainWindow other;
  EXPECT_FALSE(other.LoadDatabase("Vellanor.db"));
  ASSERT_EQ(other.services.messages.Texts(),
            std::vector<std::string>{"Erreur à la lecture de la base de données (eleve)"});
  ASSERT_EQ(other.book.classes.size(), 2u);
  EXPECT_EQ(other.book.classes[1].name.Str(), "5e B");
}

TEST(DatabaseOperationsTest, InconsistentGradebookIsNeverWritten) {
  FakeMainWindow main;
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

}  // namespace
}  // namespace vellanor
