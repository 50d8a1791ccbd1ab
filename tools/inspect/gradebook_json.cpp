#include "gradebook_json.h"

#include <cmath>

#include "model/cp1252.h"

namespace vellanor::inspect {
namespace {

Json Float(float value) {
  if (!std::isfinite(value)) {
    return nullptr;
  }
  return value;
}

template <std::size_t N>
Json Text(const TextField<N>& field) {
  return Cp1252ToUtf8(field.View());
}

Json Averages(const PerCategory<float>& average) {
  Json out = Json::array();
  for (float value : average) {
    out.push_back(Float(value));
  }
  return out;
}

Json Grades(const std::vector<GradeRecord>& grades) {
  Json out = Json::array();
  for (const GradeRecord& grade : grades) {
    out.push_back({
        {"value", IsAbsent(grade.value) ? Json(nullptr) : Float(grade.value)},
        {"kind", grade.kind},
        {"coefficient", Float(grade.coefficient)},
        {"trimester", grade.trimester},
        {"info", Text(grade.info)},
    });
  }
  return out;
}

Json Student(const StudentRecord& student) {
  return {
      {"name", Text(student.name)},
      {"firstName", Text(student.firstName)},
      {"sex", student.sex},
      {"birthDate", Text(student.birthDate)},
      {"birthPlace", Text(student.birthPlace)},
      {"info", Text(student.info)},
      {"average", Averages(student.average)},
      {"grades", Grades(student.grades)},
  };
}

Json Class(const ClassRecord& record) {
  Json counts = Json::array();
  for (std::int16_t count : record.gradeCount) {
    counts.push_back(count);
  }
  Json students = Json::array();
  for (const StudentRecord& student : record.students) {
    students.push_back(Student(student));
  }
  return {
      {"name", Text(record.name)},
      {"info", Text(record.info)},
      {"year", Text(record.year)},
      {"studentCount", record.studentCount},
      {"gradeCount", counts},
      {"average", Averages(record.average)},
      {"columns", Grades(record.columns)},
      {"students", students},
  };
}

}  // namespace

Json GradebookToJson(const Gradebook& book) {
  Json classes = Json::array();
  for (const ClassRecord& record : book.classes) {
    classes.push_back(Class(record));
  }
  // Only files of version 2.0 are read at all.
  return {{"version", 2.0f}, {"classes", classes}};
}

}  // namespace vellanor::inspect
