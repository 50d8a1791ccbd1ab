#include "app/record_labels.h"

#include "model/cp1252.h"

namespace vellanor {

std::string ClassLabel(const ClassRecord& record) {
  return Cp1252ToUtf8(record.name.View()) + " (" + Cp1252ToUtf8(record.year.View()) + ")";
}

std::string ClassLabelWithComma(const ClassRecord& record) {
  return Cp1252ToUtf8(record.name.View()) + ", (" + Cp1252ToUtf8(record.year.View()) + ")";
}

std::string StudentLabel(const StudentRecord& student) {
  return Cp1252ToUtf8(student.name.View()) + ", " + Cp1252ToUtf8(student.firstName.View());
}

}  // namespace vellanor
