#include "app/info_rows.h"

#include <string_view>

#include "model/average_explanation.h"
#include "model/cp1252.h"
#include "model/format.h"

namespace vellanor {
namespace {

// The class's written lists put a colon after "coef"; every other list has none.
enum class CoefLabel { WithColon, Plain };

// The grades of one trimester and kind in list order, joined by " - ", each
// as "<mark> (coef <c>, info: <text>)". A long list is kept whole.
std::string GradeList(const std::vector<GradeRecord>& grades, int trimester, std::uint8_t kind,
                      CoefLabel coefLabel) {
  std::string text;
  bool first = true;
  for (const GradeRecord& grade : grades) {
    if (grade.trimester != trimester || grade.kind != kind) {
      continue;
    }
    if (!first) {
      text += " - ";
    }
    first = false;
    text += FormatMark(grade.value);
    text += coefLabel == CoefLabel::WithColon ? " (coef: " : " (coef ";
    // A coefficient prints as an average does: two decimals with a point.
    text += FormatAverage(grade.coefficient);
    text += ", info: ";
    text += Cp1252ToUtf8(grade.info.View());
    text += ")";
  }
  return text;
}

// Trimesters here are always 1 to 3.
std::size_t Category(int trimester, int kind) {
  return static_cast<std::size_t>((trimester - 1) * 2 + kind);
}

// An average row; a student's is followed by how it was computed.
void AddAverageRow(std::vector<InfoRow>& rows, const char* label,
                   const PerCategory<float>& averages, const StudentRecord* student,
                   std::size_t category) {
  rows.push_back({label, FormatAverage(averages[category])});
  if (student != nullptr) {
    std::string explanation = ExplainAverage(*student, static_cast<int>(category));
    rows.back().tooltip = explanation;
    rows.push_back({"", explanation, explanation});
  }
}

void AddTrimesterBlock(std::vector<InfoRow>& rows, const ClassRecord& record,
                       const std::vector<GradeRecord>& grades, const PerCategory<float>& averages,
                       const StudentRecord* student, int trimester, CoefLabel writtenCoefLabel) {
  const int written = record.gradeCount[Category(trimester, kWritten)];
  const int oral = record.gradeCount[Category(trimester, kOral)];
  rows.push_back({"Nombre de notes trimestre " + std::to_string(trimester) + ":",
                  std::to_string(written) + " écrite(s), " + std::to_string(oral) + " orale(s)"});
  if (written + oral == 0) {
    return;
  }
  if (written > 0) {
    rows.push_back({"Note(s) écrite(s)", GradeList(grades, trimester, kWritten, writtenCoefLabel)});
  }
  if (oral > 0) {
    rows.push_back({"Note(s) orale(s)", GradeList(grades, trimester, kOral, CoefLabel::Plain)});
  }
  if (written > 0) {
    AddAverageRow(rows, "Moyenne Ecrite", averages, student, Category(trimester, kWritten));
  }
  if (oral > 0) {
    AddAverageRow(rows, "Moyenne Orale", averages, student, Category(trimester, kOral));
  }
}

}  // namespace

std::vector<InfoRow> ClassInfoRows(const ClassRecord& record) {
  std::vector<InfoRow> rows{
      {"Nom: ", Cp1252ToUtf8(record.name.View())},
      {"Informations: ", Cp1252ToUtf8(record.info.View())},
      {"Année: ", Cp1252ToUtf8(record.year.View())},
      {"Nombre d'élèves: ", std::to_string(record.studentCount)},
  };
  for (int t = 1; t <= 3; ++t) {
    AddTrimesterBlock(rows, record, record.columns, record.average, nullptr, t,
                      CoefLabel::WithColon);
  }
  return rows;
}

std::vector<InfoRow> StudentInfoRows(const ClassRecord& record, const StudentRecord& student) {
  std::vector<InfoRow> rows{
      {"Nom:", Cp1252ToUtf8(student.name.View())},
      {"Prénom:", Cp1252ToUtf8(student.firstName.View())},
      {"Informations:", Cp1252ToUtf8(student.info.View())},
      {"Sex:", student.IsBoy() ? "Garçon" : "Fille"},
      {"Date de naissance:", Cp1252ToUtf8(student.birthDate.View())},
      {"Lieu de naissance:", Cp1252ToUtf8(student.birthPlace.View())},
  };
  for (int t = 1; t <= 3; ++t) {
    AddTrimesterBlock(rows, record, student.grades, student.average, &student, t, CoefLabel::Plain);
  }
  return rows;
}

}  // namespace vellanor
