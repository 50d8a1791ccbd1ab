#include "grading/grade_changes.h"

#include <cstddef>

#include "grading/parse_mark.h"
#include "model/cp1252.h"

namespace vellanor {

AppendResult AddGradeColumn(ClassRecord& record, const NewGradeColumn& column,
                            const std::vector<std::string>& markTexts) {
  if (markTexts.size() != record.students.size()) {
    return AppendResult::Mismatch;
  }
  std::vector<GradeRecord> marks;
  marks.reserve(markTexts.size());
  for (const std::string& text : markTexts) {
    GradeRecord mark;
    mark.value = ParseMark(text);
    mark.kind = column.kind;
    mark.coefficient = column.coefficient;
    mark.trimester = column.trimester;
    mark.info.Assign(column.info);
    marks.push_back(mark);
  }
  return AppendGradeColumn(record, marks);
}

void StoreTypedMarks(StudentRecord& student,
                     const std::function<std::string(int row, int category)>& cellText) {
  PerCategory<int> rank{};
  for (GradeRecord& mark : student.grades) {
    const int k = mark.Category();
    if (k < 0) {
      continue;
    }
    const int row = rank[static_cast<std::size_t>(k)]++;
    mark.value = ParseMark(cellText(row, k));
  }
}

std::string DeletionQuestion(int category) {
  static const char* const kTrimesters[] = {"1er", "2nd", "3eme"};
  if (category < 0 || category >= kCategoryCount) {
    return {};
  }
  const char* kind = CategoryKind(category) == kOral ? "orale" : "écrite";
  return std::string("Etes vous sûr de vouloir effacer cette note ") + kind + " du " +
         kTrimesters[CategoryTrimester(category) - 1] + " trimestre?";
}

std::string GradeLimitText(const ClassRecord& record) {
  return "Impossible d'ajouter une note à la classe <" + Cp1252ToUtf8(record.name.View()) +
         ">:\nune classe compte au plus 32767 notes.";
}

}  // namespace vellanor
