#include "document/change.h"

#include "model/cp1252.h"

namespace vellanor {

bool RecomputesClass(ChangeKind kind) {
  return kind == ChangeKind::GradesChanged || kind == ChangeKind::StudentDeleted ||
         kind == ChangeKind::Import;
}

std::string DescribeClassChange(ChangeKind kind, const ClassRecord& record) {
  const std::string name = Cp1252ToUtf8(record.name.View());
  switch (kind) {
    case ChangeKind::ClassCreated:
      return "création de la classe " + name;
    case ChangeKind::ClassModified:
      return "modification de la classe " + name;
    case ChangeKind::ClassDeleted:
      return "suppression de la classe " + name;
    case ChangeKind::ClassDuplicated:
      return "duplication de la classe " + name;
    case ChangeKind::Import:
      return "import des notes de la classe " + name;
    default:
      return "notes de la classe " + name;
  }
}

std::string DescribeStudentChange(ChangeKind kind, const StudentRecord& student) {
  const std::string name =
      Cp1252ToUtf8(student.name.View()) + " " + Cp1252ToUtf8(student.firstName.View());
  switch (kind) {
    case ChangeKind::StudentCreated:
      return "création de l'élève " + name;
    case ChangeKind::StudentDeleted:
      return "suppression de l'élève " + name;
    case ChangeKind::StudentDuplicated:
      return "duplication de l'élève " + name;
    default:
      return "modification de l'élève " + name;
  }
}

}  // namespace vellanor
