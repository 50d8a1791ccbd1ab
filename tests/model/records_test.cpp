#include "model/records.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "model/cp1252.h"
#include "model/gradebook.h"
#include "model/invariants.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;

TEST(TextFieldTest, CutsToWidthAndReadsAFullFieldWithoutNul) {
  TextField<32> firstName;
  firstName.Assign(std::string(40, 'a'));
  EXPECT_EQ(firstName.View(), std::string(32, 'a'));

  // A full field followed in memory by other bytes is still read as 32 bytes.
  struct {
    TextField<32> first;
    TextField<32> next;
  } pair;
  pair.first.Assign(std::string(32, 'x'));
  pair.next.Assign("Dupont");
  EXPECT_EQ(pair.first.Str(), std::string(32, 'x'));

  firstName.Assign("Zoé");
  EXPECT_EQ(firstName.Str(), "Zoé");
  EXPECT_EQ(firstName.Bytes()[5], '\0');  // the tail is zeroed after a shorter text
  EXPECT_EQ(firstName.Bytes()[31], '\0');
}

TEST(AbsenceTest, IsTestedOnTheExactBits) {
  EXPECT_TRUE(IsAbsent(-1.0f));
  EXPECT_TRUE(IsAbsent(kAbsenceValue));
  EXPECT_FALSE(IsAbsent(-1.0000001f));
  EXPECT_FALSE(IsAbsent(1.0f));
  EXPECT_FALSE(IsAbsent(-0.0f));
}

TEST(CategoryTest, IndexesTheSixPairsAndRejectsOthers) {
  EXPECT_EQ(CategoryIndex(1, 0), 0);
  EXPECT_EQ(CategoryIndex(1, 1), 1);
  EXPECT_EQ(CategoryIndex(2, 1), 3);
  EXPECT_EQ(CategoryIndex(3, 0), 4);
  EXPECT_EQ(CategoryIndex(3, 1), 5);
  EXPECT_EQ(CategoryIndex(0, 0), -1);
  EXPECT_EQ(CategoryIndex(4, 0), -1);
  EXPECT_EQ(CategoryIndex(1, 2), -1);
  EXPECT_EQ(CategoryIndex(-1, 1), -1);
}

TEST(Cp1252Test, ConvertsAccentsBothWaysAndReplacesWhatItLacks) {
  EXPECT_EQ(Cp1252ToUtf8("\xC9l\xE8ve"), "Élève");
  EXPECT_EQ(Utf8ToCp1252("Élève"), "\xC9l\xE8ve");
  EXPECT_EQ(Utf8ToCp1252("€ œ Ÿ"), "\x80 \x9C \x9F");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x9C"), "€œ");
  EXPECT_EQ(Utf8ToCp1252("日本"), "??");
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b"),
            "a?b");                                    // malformed lead byte
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");              // cut sequence
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");            // overlong
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");  // outside the BMP

  // Every byte survives a round trip, the undefined ones included.
  std::string all;
  for (int b = 1; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
  }
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252Test, NamesTheCharactersItLacksOnceEach) {
  EXPECT_TRUE(CharactersOutsideCp1252("Élève œuvre € ? Ÿ").empty());
  EXPECT_EQ(CharactersOutsideCp1252("中文 ị 中 😀"),
            (std::vector<std::string>{"中", "文", "ị", "😀"}));
  EXPECT_EQ(CharactersOutsideCp1252("a\xFF"), (std::vector<std::string>{"\uFFFD"}));
}

TEST(GradebookTest, LooksUpByPositionAndFindsNothingPastTheEnd) {
  Gradebook book;
  for (int i = 0; i < 5; ++i) {
    ClassRecord record;
    record.name.Assign("C" + std::to_string(i));
    ASSERT_EQ(AppendClass(book, record), AppendResult::Done);
  }
  ASSERT_NE(ClassAt(book, 4), nullptr);
  EXPECT_EQ(ClassAt(book, 4)->name.Str(), "C4");
  EXPECT_EQ(ClassAt(book, 5), nullptr);
  EXPECT_EQ(ClassAt(book, -1), nullptr);
  EXPECT_EQ(StudentAt(*ClassAt(book, 0), 0), nullptr);

  EXPECT_TRUE(RemoveClass(book, 1));
  EXPECT_FALSE(RemoveClass(book, 4));
  ASSERT_EQ(book.classes.size(), 4u);
  EXPECT_EQ(ClassAt(book, 1)->name.Str(), "C2");
  ClearGradebook(book);
  EXPECT_TRUE(book.classes.empty());
}

TEST(GradebookTest, AppendsCopiesStudentsAndGradeColumnsKeepingCounts) {
  ClassRecord record;
  StudentRecord student;
  student.name.Assign("Martin");
  ASSERT_EQ(AppendStudent(record, student), AppendResult::Done);
  ASSERT_EQ(AppendStudent(record, student), AppendResult::Done);
  EXPECT_EQ(record.studentCount, 2);

  // Three written T1 columns and one oral T2 column: counts 3,0,0,1,0,0 and n = 4.
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(AppendGradeColumn(record, {Mark(10, 1, 0), Mark(12, 1, 0)}), AppendResult::Done);
  }
  ASSERT_EQ(AppendGradeColumn(record, {Mark(8, 2, 1), Mark(9, 2, 1)}), AppendResult::Done);
  EXPECT_EQ(record.gradeCount, (PerCategory<std::int16_t>{3, 0, 0, 1, 0, 0}));
  EXPECT_EQ(GradeColumnCount(record), 4);
  for (const StudentRecord& s : record.students) {
    EXPECT_EQ(s.grades.size(), 4u);
  }

  // Marks of mixed categories, of no category, or not one per student are refused.
  EXPECT_EQ(AppendGradeColumn(record, {Mark(8, 2, 1), Mark(9, 1, 1)}), AppendResult::Mismatch);
  EXPECT_EQ(AppendGradeColumn(record, {Mark(8, 4, 0), Mark(9, 4, 0)}), AppendResult::Mismatch);
  EXPECT_EQ(AppendGradeColumn(record, {Mark(8, 1, 0)}), AppendResult::Mismatch);
  EXPECT_EQ(GradeColumnCount(record), 4);

  // The student removed takes its marks; the count follows.
  record.students[0].name.Assign("Bernard");
  EXPECT_TRUE(RemoveStudent(record, 0));
  EXPECT_EQ(record.studentCount, 1);
  EXPECT_EQ(record.students[0].name.Str(), "Martin");
  EXPECT_FALSE(RemoveStudent(record, 1));
}

TEST(GradebookTest, RefusesToPassTheSixteenBitLimits) {
  ClassRecord record;
  record.studentCount = kMaxCount;  // as if full: the stored count must never wrap
  EXPECT_EQ(AppendStudent(record, StudentRecord{}), AppendResult::LimitReached);
  EXPECT_EQ(record.studentCount, kMaxCount);
  EXPECT_TRUE(record.students.empty());

  ClassRecord columns;
  ASSERT_EQ(AppendStudent(columns, StudentRecord{}), AppendResult::Done);
  columns.gradeCount = {kMaxCount, 0, 0, 0, 0, 0};
  EXPECT_EQ(AppendGradeColumn(columns, {Mark(1, 2, 0)}), AppendResult::LimitReached);
  EXPECT_TRUE(columns.students[0].grades.empty());

  Gradebook book;
  book.classes.resize(kMaxCount);
  EXPECT_EQ(AppendClass(book, ClassRecord{}), AppendResult::LimitReached);
  EXPECT_EQ(book.classes.size(), static_cast<std::size_t>(kMaxCount));
}

TEST(GradebookTest, RemovesTheRankedGradeColumnOfACategoryEverywhere) {
  ClassRecord record;
  ASSERT_EQ(AppendStudent(record, StudentRecord{}), AppendResult::Done);
  // Interleaved: oral T2 (a), written T1, oral T2 (b), oral T2 (c).
  for (auto [value, trimester, kind] : {std::tuple{1.0f, 2, 1}, std::tuple{2.0f, 1, 0},
                                        std::tuple{3.0f, 2, 1}, std::tuple{4.0f, 2, 1}}) {
    ASSERT_EQ(AppendGradeColumn(record, {Mark(value, trimester, kind)}), AppendResult::Done);
    record.columns.push_back(Mark(value, trimester, kind));
  }
  EXPECT_TRUE(RemoveGradeColumn(record, 3, 2));  // the third oral T2
  EXPECT_EQ(record.gradeCount[3], 2);
  ASSERT_EQ(record.students[0].grades.size(), 3u);
  EXPECT_EQ(record.students[0].grades[2].value, 3.0f);
  EXPECT_EQ(record.columns.size(), 3u);
  EXPECT_FALSE(RemoveGradeColumn(record, 3, 2));
  EXPECT_FALSE(RemoveGradeColumn(record, 6, 0));
  EXPECT_FALSE(FindInvariantFault(record).has_value());
}

TEST(InvariantsTest, TellsUnreadableClassesFromMerelyInconsistentOnes) {
  ClassRecord record;
  ASSERT_EQ(AppendStudent(record, StudentRecord{}), AppendResult::Done);
  ASSERT_EQ(AppendGradeColumn(record, {Mark(12, 1, 0, 2)}), AppendResult::Done);
  record.columns.push_back(Mark(12, 1, 0, 2));
  EXPECT_FALSE(FindInvariantFault(record).has_value());

  ClassRecord wrongCount = record;
  wrongCount.studentCount = 2;
  EXPECT_TRUE(FindUnreadableFault(wrongCount).has_value());

  ClassRecord missingMark = record;
  missingMark.students[0].grades.clear();
  EXPECT_TRUE(FindUnreadableFault(missingMark).has_value());

  ClassRecord staleColumns = record;
  staleColumns.columns.clear();
  EXPECT_TRUE(FindUnreadableFault(staleColumns).has_value());

  // Readable, but the mark's coefficient is not that of its column.
  ClassRecord otherCoefficient = record;
  otherCoefficient.students[0].grades[0].coefficient = 0;
  EXPECT_FALSE(FindUnreadableFault(otherCoefficient).has_value());
  EXPECT_TRUE(FindInvariantFault(otherCoefficient).has_value());

  Gradebook book;
  book.classes = {record, otherCoefficient, wrongCount};
  EXPECT_EQ(FirstUnreadableClass(book), 2);
}

}  // namespace
}  // namespace vellanor
