#include "app/info_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Class;
using test::Mark;
using test::Student;

// A class with two written assessments in trimester 1; its one student has
// 12 on the first and was absent on the second.
ClassRecord FourthB() {
  ClassRecord record = Class("4e B", "2004 - 2005");
  record.info = "Salle 12";
  record.gradeCount = {2, 0, 0, 0, 0, 0};
  record.average = {12.0f, NAN, NAN, NAN, NAN, NAN};
  record.columns = {Mark(12.0f, 1, 0, 1.0f, "DS1"), Mark(-1.0f, 1, 0, 1.0f, "DS2")};
  StudentRecord student = Student("Dupont", "L\xE9o", 0, record.columns);  // Windows-1252 é
  student.birthDate = "01/02/1991";
  student.birthPlace = "Rennes";
  student.info = "Redouble";
  student.average = {12.0f, NAN, NAN, NAN, NAN, NAN};
  record.students = {student};
  record.studentCount = 1;
  return record;
}

TEST(InfoRowsTest, ClassRowsWithTwoWrittenColumnsInTheFirstTrimester) {
  const std::vector<InfoRow> expected{
      {"Nom: ", "4e B"},
      {"Informations: ", "Salle 12"},
      {"Année: ", "2004 - 2005"},
      {"Nombre d'élèves: ", "1"},
      {"Nombre de notes trimestre 1:", "2 écrite(s), 0 orale(s)"},
      {"Note(s) écrite(s)", "12.00 (coef: 1.00, info: DS1) - abs (coef: 1.00, info: DS2)"},
      {"Moyenne Ecrite", "12.00"},
      {"Nombre de notes trimestre 2:", "0 écrite(s), 0 orale(s)"},
      {"Nombre de notes trimestre 3:", "0 écrite(s), 0 orale(s)"},
  };
  EXPECT_EQ(ClassInfoRows(FourthB()), expected);
}

TEST(InfoRowsTest, StudentRowsListMarksWithoutColonAfterCoef) {
  const ClassRecord record = FourthB();
  const std::vector<InfoRow> expected{
      {"Nom:", "Dupont"},
      {"Prénom:", "Léo"},
      {"Informations:", "Redouble"},
      {"Sex:", "Fille"},
      {"Date de naissance:", "01/02/1991"},
      {"Lieu de naissance:", "Rennes"},
      {"Nombre de notes trimestre 1:", "2 écrite(s), 0 orale(s)"},
      {"Note(s) écrite(s)", "12.00 (coef 1.00, info: DS1) - abs (coef 1.00, info: DS2)"},
      // How the average came about, as the row's tooltip and on the row below.
      {"Moyenne Ecrite", "12.00", "(12,00 × 1,00) / 1,00 = 12,00 ; 1 absence non comptée"},
      {"", "(12,00 × 1,00) / 1,00 = 12,00 ; 1 absence non comptée",
       "(12,00 × 1,00) / 1,00 = 12,00 ; 1 absence non comptée"},
      {"Nombre de notes trimestre 2:", "0 écrite(s), 0 orale(s)"},
      {"Nombre de notes trimestre 3:", "0 écrite(s), 0 orale(s)"},
  };
  EXPECT_EQ(StudentInfoRows(record, record.students[0]), expected);

  StudentRecord boy = record.students[0];
  boy.sex = 1;
  EXPECT_EQ(StudentInfoRows(record, boy)[3].value, "Garçon");
  boy.sex = 2;  // anything but 1
  EXPECT_EQ(StudentInfoRows(record, boy)[3].value, "Fille");
}

TEST(InfoRowsTest, OralRowsFollowWrittenRowsAndUndefinedAveragesPrintAbs) {
  ClassRecord record;
  record.name = "3e A";
  record.studentCount = 0;
  record.gradeCount = {0, 0, 1, 2, 0, 0};
  // Trimester 2: one written column, whose class mean is undefined, and two orals.
  record.columns = {Mark(14.5f, 2, 1, 2.0f, "Expos\xE9"), Mark(NAN, 2, 0, 0.5f, "DS"),
                    Mark(8.25f, 2, 1, 1.0f, "Lecture")};
  record.average = {NAN, NAN, NAN, 11.25f, NAN, NAN};
  const std::vector<InfoRow> rows = ClassInfoRows(record);
  const std::vector<InfoRow> trimester2(rows.begin() + 5, rows.begin() + 10);
  const std::vector<InfoRow> expected{
      {"Nombre de notes trimestre 2:", "1 écrite(s), 2 orale(s)"},
      {"Note(s) écrite(s)", "abs (coef: 0.50, info: DS)"},
      {"Note(s) orale(s)", "14.50 (coef 2.00, info: Exposé) - 8.25 (coef 1.00, info: Lecture)"},
      {"Moyenne Ecrite", "abs"},
      {"Moyenne Orale", "11.25"},
  };
  EXPECT_EQ(trimester2, expected);
  EXPECT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows.back().label, "Nombre de notes trimestre 3:");
}

TEST(InfoRowsTest, LongListsAreKeptWhole) {
  ClassRecord record;
  record.gradeCount = {12, 0, 0, 0, 0, 0};
  StudentRecord student;
  for (int i = 0; i < 12; ++i) {
    student.grades.push_back(Mark(10.0f + static_cast<float>(i), 1, 0, 1.0f, "Interrogation"));
  }
  const std::string list = StudentInfoRows(record, student)[7].value;
  EXPECT_GT(list.size(), 255u);
  EXPECT_EQ(list.substr(0, 45), "10.00 (coef 1.00, info: Interrogation) - 11.0");
  EXPECT_EQ(list.substr(list.size() - 41), " - 21.00 (coef 1.00, info: Interrogation)");
}

}  // namespace
}  // namespace vellanor
