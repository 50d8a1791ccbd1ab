#include "app/duplication_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/gradebook.h"
#include "model/records.h"
#include "support/fake_main_window.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using test::FakeMainWindow;

using test::Class;
using test::Mark;
using test::Student;

// A class of three students with two written T1 columns, as saved on disk.
ClassRecord FourthB() {
  ClassRecord record = Class("4e B", "2004 - 2005");
  record.info = "Salle 12";
  record.gradeCount = {2, 0, 0, 0, 0, 0};
  record.average = {13.0f, 0, 0, 0, 0, 0};
  record.columns = {Mark(12, 1, 0, 1, "DS"), Mark(14, 1, 0, 2, "DS")};
  const char* names[][2] = {{"Martin", "Julie"}, {"Bernard", "Paul"}, {"Lef\xE8vre", "Z\xE9lie"}};
  float value = 10.0f;
  for (const auto& name : names) {
    StudentRecord student =
        Student(name[0], name[1], 1, {Mark(value, 1, 0, 1, "DS"), Mark(value + 2, 1, 0, 2, "DS")});
    student.average = {value + 4.0f / 3.0f, 0, 0, 0, 0, 0};
    value += 2.0f;
    EXPECT_EQ(AppendStudent(record, student), AppendResult::Done);
  }
  return record;
}

// A main window whose gradebook holds two classes, also saved on disk.
void PrepareTwoClasses(FakeMainWindow& main) {
  test::Prepare(main, {FourthB(), Class("6e A")});
}

TEST(DuplicateClassTest, AsksThenAppendsTheCopyAndCommitsIt) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  main.services.messages.AnswerYes();
  DuplicateClass(main, TreeSelection::ClassItem(0));

  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  const auto& question = main.services.messages.shown[0];
  EXPECT_EQ(question.text, "Etes vous sûr de vouloir dupliquer la classe <4e B> de <2004 - 2005>?");
  EXPECT_EQ(question.caption, "Attention!");
  EXPECT_EQ(question.icon, MessageIcon::Question);
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);

  ASSERT_EQ(main.book.classes.size(), 3u);
  ClassRecord& copy = main.book.classes[2];
  EXPECT_EQ(copy.name.Str(), "4e B copie");
  ClassRecord expected = FourthB();
  expected.name = "4e B copie";
  EXPECT_EQ(copy, expected);
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.loads, 0);  // memory is what was saved: nothing is read back
  EXPECT_EQ(main.rebuilds, 1);
  ASSERT_EQ(main.changes.size(), 1u);
  EXPECT_EQ(main.changes[0].what, "duplication de la classe 4e B copie");
  EXPECT_EQ(test::OnDisk(), main.book);

  // Source and copy are independent.
  copy.students[0].grades[0].value = 3.0f;
  copy.columns.clear();
  EXPECT_FLOAT_EQ(main.book.classes[0].students[0].grades[0].value, 10.0f);
  EXPECT_EQ(main.book.classes[0].columns.size(), 2u);
}

TEST(DuplicateClassTest, DecliningOrAnotherSelectionChangesNothing) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  const Gradebook before = main.book;
  std::filesystem::remove("Vellanor.db");

  main.services.messages.AnswerNo();
  DuplicateClass(main, TreeSelection::ClassItem(0));
  EXPECT_EQ(main.services.messages.shown.size(), 1u);

  for (const TreeSelection& selection :
       {TreeSelection::Nothing(), TreeSelection::RootItem(), TreeSelection::StudentItem(0, 1),
        TreeSelection::ClassItem(2), TreeSelection::ClassItem(-1)}) {
    DuplicateClass(main, selection);
  }
  EXPECT_EQ(main.services.messages.shown.size(), 1u);  // not a word for those
  EXPECT_EQ(main.book, before);
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db"));
  EXPECT_EQ(main.saves + main.loads + main.rebuilds, 0);
}

TEST(DuplicateClassTest, ThirtyCharacterNameKeepsTwoCharactersOfCopie) {
  FakeMainWindow main;
  ClassRecord record;
  record.name =
      "Terminale S sp\xE9"
      "cialit\xE9 maths A";  // 30 bytes
  record.info = "Option";
  ASSERT_EQ(record.name.Str().size(), 30u);
  ASSERT_EQ(AppendClass(main.book, record), AppendResult::Done);
  main.services.messages.AnswerYes();
  DuplicateClass(main, TreeSelection::ClassItem(0));

  const Gradebook disk = test::OnDisk();
  ASSERT_EQ(disk.classes.size(), 2u);
  EXPECT_EQ(disk.classes[1].name.Str(),
            "Terminale S sp\xE9"
            "cialit\xE9 maths A c");
  EXPECT_EQ(disk.classes[1].info.Str(), "Option");
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Etes vous sûr de vouloir dupliquer la classe <Terminale S spécialité maths A> de "
            "<>?");
}

TEST(DuplicateStudentTest, AsksThenAppendsTheCopyToItsClass) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  const PerCategory<float> classAverage = main.book.classes[0].average;
  main.services.messages.AnswerYes();
  DuplicateStudent(main, TreeSelection::StudentItem(0, 2));

  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  const auto& question = main.services.messages.shown[0];
  EXPECT_EQ(question.text,
            "Etes vous sûr de vouloir dupliquer l'élève <Lefèvre, Zélie>\nde la classe <4e B>?");
  EXPECT_EQ(question.caption, "Attention!");
  EXPECT_EQ(question.icon, MessageIcon::Question);
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);

  const ClassRecord& record = main.book.classes[0];
  EXPECT_EQ(record.studentCount, 4);
  ASSERT_EQ(record.students.size(), 4u);
  for (const StudentRecord& student : record.students) {
    EXPECT_EQ(student.grades.size(), 2u);
  }
  const StudentRecord& copy = record.students[3];
  EXPECT_EQ(copy.name.Str(), "Lef\xE8vre copie");
  EXPECT_EQ(copy.firstName.Str(), "Z\xE9lie");
  EXPECT_EQ(copy.grades, record.students[2].grades);
  EXPECT_TRUE(SameBits(copy.average, record.students[2].average));
  EXPECT_TRUE(SameBits(record.average, classAverage));  // no recomputation
  EXPECT_EQ(main.saves, 1);
  EXPECT_EQ(main.loads, 0);
  EXPECT_EQ(main.rebuilds, 1);
  EXPECT_EQ(test::OnDisk(), main.book);

  main.book.classes[0].students[3].grades[1].value = 0.0f;
  EXPECT_FLOAT_EQ(main.book.classes[0].students[2].grades[1].value, 16.0f);
}

TEST(DuplicateStudentTest, ClassSelectedIsRefusedAndDecliningWritesNothing) {
  FakeMainWindow main;
  PrepareTwoClasses(main);
  const Gradebook before = main.book;
  std::filesystem::remove("Vellanor.db");

  DuplicateStudent(main, TreeSelection::ClassItem(0));
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  const auto& refusal = main.services.messages.shown[0];
  EXPECT_EQ(refusal.text, "Sélectionner un élève, s'il vous plaît");
  EXPECT_EQ(refusal.caption, "Erreur");
  EXPECT_EQ(refusal.icon, MessageIcon::Exclamation);
  EXPECT_EQ(refusal.buttons, MessageButtons::Ok);

  main.services.messages.AnswerNo();
  DuplicateStudent(main, TreeSelection::StudentItem(0, 0));
  EXPECT_EQ(main.services.messages.shown.size(), 2u);
  for (const TreeSelection& selection :
       {TreeSelection::Nothing(), TreeSelection::RootItem(), TreeSelection::StudentItem(0, 3),
        TreeSelection::StudentItem(2, 0), TreeSelection::StudentItem(1, 0)}) {
    DuplicateStudent(main, selection);
  }
  EXPECT_EQ(main.services.messages.shown.size(), 2u);
  EXPECT_EQ(main.book, before);
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db"));
  EXPECT_EQ(main.saves + main.loads + main.rebuilds, 0);
}

TEST(DuplicationLimitTest, RefusesACopyPastTheLargestCount) {
  FakeMainWindow main;
  ClassRecord full;
  full.name = "Amphi";
  full.students.resize(32767);
  full.studentCount = 32767;
  main.book.classes.resize(32766);
  main.book.classes.push_back(full);

  DuplicateStudent(main, TreeSelection::StudentItem(32766, 5));
  DuplicateClass(main, TreeSelection::ClassItem(0));
  ASSERT_EQ(main.services.messages.shown.size(), 2u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Impossible de dupliquer l'élève <, >:\nla classe <Amphi> compte déjà 32767 élèves.");
  EXPECT_EQ(main.services.messages.shown[1].text,
            "Impossible de dupliquer la classe <>:\nle nombre de classes est limité à 32767.");
  for (const auto& shown : main.services.messages.shown) {
    EXPECT_EQ(shown.caption, "Attention");
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
  }
  EXPECT_EQ(main.book.classes.size(), 32767u);
  EXPECT_EQ(main.book.classes.back().students.size(), 32767u);
  EXPECT_EQ(main.saves + main.loads + main.rebuilds, 0);
}

}  // namespace
}  // namespace vellanor
