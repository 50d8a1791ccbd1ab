#include "model/records.h"

namespace vellanor {

bool SameBits(const PerCategory<float>& a, const PerCategory<float>& b) {
  for (int c = 0; c < kCategoryCount; ++c) {
    if (!SameBits(a[c], b[c])) {
      return false;
    }
  }
  return true;
}

bool GradeRecord::operator==(const GradeRecord& other) const {
  return SameBits(value, other.value) && kind == other.kind &&
         SameBits(coefficient, other.coefficient) && trimester == other.trimester &&
         info == other.info;
}

bool StudentRecord::operator==(const StudentRecord& other) const {
  return name == other.name && firstName == other.firstName && sex == other.sex &&
         birthDate == other.birthDate && birthPlace == other.birthPlace && info == other.info &&
         SameBits(average, other.average) && grades == other.grades;
}

bool ClassRecord::operator==(const ClassRecord& other) const {
  return name == other.name && info == other.info && year == other.year &&
         studentCount == other.studentCount && gradeCount == other.gradeCount &&
         SameBits(average, other.average) && students == other.students && columns == other.columns;
}

}  // namespace vellanor
