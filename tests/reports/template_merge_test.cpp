#include "reports/merge/template_merge.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;

// A chart maker that names what it was asked for and records each call.
struct ChartProbe {
  struct Call {
    const std::vector<GradeRecord>* grades;
    int trimester;
  };
  std::vector<Call> calls;

  ChartMaker Maker() {
    return [this](std::string& out, const ClassRecord&, const std::vector<GradeRecord>& grades,
                  int trimester) {
      calls.push_back({&grades, trimester});
      out += "<chart " + std::to_string(trimester) + " of " + std::to_string(grades.size()) + ">";
    };
  }
};

// "4e B" with a written T1 column the whole class missed, an oral T1 column
// and two students: Martin Julie (three written T1 marks, one absent) and
// Durand Paul.
ClassRecord FourthB() {
  StudentRecord martin = test::Student(
      "Martin", "Julie", 2,
      {Mark(12.5f, 1, 0, 1, "DS1"), Mark(-1, 1, 0, 1, "DS2"), Mark(8, 1, 0, 2), Mark(15, 1, 1)});
  martin.birthDate = "12/03/2012";
  martin.birthPlace = "Besan\xE7on";
  martin.info =
      "D\xE9l\xE9gu\xE9"
      "e";
  martin.average = {10.166667f, 15, 0, 0, 0, std::numeric_limits<float>::quiet_NaN()};
  StudentRecord durand = test::Student(
      "Durand", "Paul", 1, {Mark(-1, 1, 0), Mark(-1, 1, 0), Mark(-1, 1, 0), Mark(11, 1, 1)});
  ClassRecord record = test::Class("4e B", "2026 - 2027", {martin, durand});
  record.info = "Salle 12";
  record.gradeCount = {3, 1, 0, 0, 0, 0};
  record.columns = {Mark(12.5f, 1, 0, 1, "DS1"), Mark(-1, 1, 0, 1, "DS2"), Mark(8, 1, 0, 2),
                    Mark(13, 1, 1, 0.5f, "Expos\xE9")};
  record.average = {10.166667f, 13, 0, 0, 0, std::numeric_limits<float>::quiet_NaN()};
  return record;
}

std::string ClassMerge(std::string_view text, const ClassRecord& record,
                       const ChartMaker& charts = {}) {
  return MergeTemplate(text, record, nullptr, true, charts);
}

TEST(TemplateMergeTest, TextWithoutPlaceholdersIsKeptByteForByteUpToItsFirstNul) {
  const ClassRecord record = FourthB();
  const std::string bytes = "{\\rtf1\\ansi\\ansicpg1252 $ $$ $$classe \x80\x9D\xE9\xFF\r\n}";
  EXPECT_EQ(ClassMerge(bytes, record), bytes);
  EXPECT_EQ(MergeTemplate(bytes, record, &record.students[0], false, {}), bytes);
  const std::string withNul("$$CLASSE\0$$CLASSE", 17);
  EXPECT_EQ(ClassMerge(withNul, record), "4e B");
}

TEST(TemplateMergeTest, ClassModeFillsEveryClassPlaceholderAndKeepsTheOthers) {
  const ClassRecord record = FourthB();
  const std::string merged = ClassMerge(
      "$$CLASSE ($$ANNEE) $$INFORMATION, $$NBELEVES: $$LISTELEVES|$$CLASSE|"
      "$$NBNOTESECRITES1=$$NOTESECRITES1 => $$MOYENNEECRITE1|"
      "$$NBNOTESORALES1=$$NOTESORALES1 => $$MOYENNEORALE1|"
      "$$NBNOTESECRITES2=[$$NOTESECRITES2] => $$MOYENNEECRITE2|$$MOYENNEORALE3|"
      "$$STUNOM $$STUMOYENNEECRITE1|$$GRAPHT1 $$GRAPHALL",
      record);
  EXPECT_EQ(merged,
            "4e B (2026 - 2027) Salle 12, 2:  Martin Julie - Durand Paul -|4e B|"
            "3= 12.50 (Coef: 1.00, Info: DS1) - abs - 8.00 (Coef: 2.00) - => 10.17|"
            "1= 13.00 (Coef: 0.50, Info: Expos\xE9) - => 13.00|"
            // No columns in T2 or oral T3: no average, whatever is stored.
            "0=[] => ||"
            "$$STUNOM $$STUMOYENNEECRITE1|$$GRAPHT1 $$GRAPHALL");
}

TEST(TemplateMergeTest, StudentModeFillsTheClassAndTheStudentPlaceholders) {
  ClassRecord record = FourthB();
  const std::string text =
      "$$CLASSE: $$STUNOM $$STUPRENOM, $$STUSEX, $$STUDDN \xE0 $$STULDN ($$STUINFO)|"
      "$$STUNOTESECRITES1 => $$STUMOYENNEECRITE1|$$STUNOTESORALES1 => $$STUMOYENNEORALE1|"
      "[$$STUNOTESECRITES3] $$STUMOYENNEECRITE3 $$STUMOYENNEORALE3|$$GRAPHT2";
  EXPECT_EQ(MergeTemplate(text, record, &record.students[0], false, {}),
            "4e B: Martin Julie, Fille, 12/03/2012 \xE0 Besan\xE7on (D\xE9l\xE9gu\xE9"
            "e)|"
            " 12.50 (Coef: 1.00, Info: DS1) - abs - 8.00 (Coef: 2.00) - => 10.17|"
            " 15.00 (Coef: 1.00) - => 15.00|[]  |$$GRAPHT2");
  // A student absent at every written assessment: an average of "abs".
  record.students[1].average[0] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(MergeTemplate("$$STUSEX:$$STUNOTESECRITES1 => $$STUMOYENNEECRITE1", record,
                          &record.students[1], false, {}),
            "Gar\xE7on: abs - abs - abs - => abs");
}

// Durand has no written mark (his stored 0 is left out) and an oral one
// whose stored average is still 0.
TEST(TemplateMergeTest, ClassRangeInBothModesAndTheRankInStudentMode) {
  const ClassRecord record = FourthB();
  const std::string text =
      "$$MINECRITE1-$$MAXECRITE1 $$MINORALE1-$$MAXORALE1 [$$MINECRITE2$$MAXORALE3] "
      "$$STURANGECRIT1 $$STURANGORAL1 [$$STURANGECRIT2]";
  EXPECT_EQ(ClassMerge(text, record),
            "10.17-10.17 0.00-15.00 [] $$STURANGECRIT1 $$STURANGORAL1 [$$STURANGECRIT2]");
  EXPECT_EQ(MergeTemplate(text, record, &record.students[0], false, {}),
            "10.17-10.17 0.00-15.00 [] 1/1 1/2 []");
  EXPECT_EQ(MergeTemplate(text, record, &record.students[1], false, {}),
            "10.17-10.17 0.00-15.00 []  2/2 []");
}

// The merge replaces by text, in table order: a placeholder holding another
// would be cut short by it.
TEST(TemplateMergeTest, NoPlaceholderHoldsAnother) {
  const std::vector<std::string> texts = PlaceholderTexts();
  EXPECT_EQ(texts.size(), 63u);
  for (const std::string& outer : texts) {
    for (const std::string& inner : texts) {
      if (&outer != &inner) {
        EXPECT_EQ(outer.find(inner), std::string::npos) << outer << " holds " << inner;
      }
    }
  }
}

TEST(TemplateMergeTest, ChartsOnlyWithTheCheckBoxAndFromTheModesOwnGrades) {
  const ClassRecord record = FourthB();
  const std::string text = "$$GRAPHT1|$$GRAPHT2|$$GRAPHT3|$$GRAPHALL|$$GRAPHT1";
  ChartProbe classCharts;
  EXPECT_EQ(ClassMerge(text, record, classCharts.Maker()),
            "<chart 1 of 4>|<chart 2 of 4>|<chart 3 of 4>|<chart 0 of 4>|<chart 1 of 4>");
  ASSERT_EQ(classCharts.calls.size(), 4u);
  EXPECT_EQ(classCharts.calls[0].grades, &record.columns);

  ChartProbe studentCharts;
  const StudentRecord& durand = record.students[1];
  EXPECT_EQ(MergeTemplate(text, record, &durand, false, studentCharts.Maker()),
            "<chart 1 of 4>|<chart 2 of 4>|<chart 3 of 4>|<chart 0 of 4>|<chart 1 of 4>");
  ASSERT_EQ(studentCharts.calls.size(), 4u);
  for (const ChartProbe::Call& call : studentCharts.calls) {
    EXPECT_EQ(call.grades, &durand.grades);
  }

  // Without the check box, and for a template without charts, nothing is drawn.
  EXPECT_EQ(ClassMerge(text, record), text);
  EXPECT_EQ(MergeTemplate(text, record, &durand, false, {}), text);
  ChartProbe unused;
  EXPECT_EQ(ClassMerge("$$CLASSE", record, unused.Maker()), "4e B");
  // Charts enough to pass a gigabyte are refused before any is drawn.
  std::string many;
  for (int i = 0; i < 2300; ++i) {
    many += "$$GRAPHALL ";
  }
  EXPECT_THROW(ClassMerge(many, record, unused.Maker()), std::length_error);
  EXPECT_TRUE(unused.calls.empty());
}

TEST(TemplateMergeTest, InsertedValuesReachLaterPlaceholdersOnly) {
  ClassRecord record = FourthB();
  record.info = "$$CLASSE a $$NBELEVES \xE9l\xE8ves, $$STUPRENOM";
  record.students[0].info = "$$STUNOM, $$STUMOYENNEORALE1";
  EXPECT_EQ(ClassMerge("$$INFORMATION", record), "$$CLASSE a 2 \xE9l\xE8ves, $$STUPRENOM");
  EXPECT_EQ(MergeTemplate("$$INFORMATION / $$STUINFO", record, &record.students[0], false, {}),
            "$$CLASSE a 2 \xE9l\xE8ves, Julie / $$STUNOM, 15.00");
}

TEST(TemplateMergeTest, RtfSpecialCharactersOfInsertedTextsAreEscaped) {
  ClassRecord record = FourthB();
  record.name = "4e {B}";
  record.info = "voir C:\\notes";
  record.students[0].name = "Martin\\";
  record.students[0].grades[0].info = "{DS}";
  EXPECT_EQ(ClassMerge("{$$CLASSE} $$INFORMATION $$LISTELEVES", record),
            "{4e \\{B\\}} voir C:\\\\notes  Martin\\\\ Julie - Durand Paul -");
  EXPECT_EQ(
      MergeTemplate("$$STUNOTESECRITES1", record, &record.students[0], false, {}).substr(0, 32),
      " 12.50 (Coef: 1.00, Info: \\{DS\\}");
}

TEST(TemplateMergeTest, LongValuesAreInsertedWhole) {
  ClassRecord record = test::Class("Grande classe");
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(AppendStudent(record, test::Student("Nom-de-famille-long", "Pr\xE9nom")),
              AppendResult::Done);
  }
  const std::string merged = ClassMerge("[$$LISTELEVES]", record);
  EXPECT_EQ(merged.size(), 2 + 100 * std::string(" Nom-de-famille-long Pr\xE9nom -").size());
  EXPECT_EQ(merged.substr(merged.size() - 8), "r\xE9nom -]");
}

}  // namespace
}  // namespace vellanor
