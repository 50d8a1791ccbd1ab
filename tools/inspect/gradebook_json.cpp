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

// Every member of a class but its students, which come last.
Json ClassWithoutStudents(const ClassRecord& record) {
  Json counts = Json::array();
  for (std::int16_t count : record.gradeCount) {
    counts.push_back(count);
  }
  return {
      {"name", Text(record.name)},
      {"info", Text(record.info)},
      {"year", Text(record.year)},
      {"studentCount", record.studentCount},
      {"gradeCount", counts},
      {"average", Averages(record.average)},
      {"columns", Grades(record.columns)},
  };
}

Json Class(const ClassRecord& record) {
  Json out = ClassWithoutStudents(record);
  Json& students = out["students"] = Json::array();
  for (const StudentRecord& student : record.students) {
    students.push_back(Student(student));
  }
  return out;
}

std::string Dump(const Json& json) {
  return json.dump(2, ' ', false, Json::error_handler_t::replace);
}

// Writes `text` (a dump with an indent of 2) as it stands at `depth` spaces
// of indentation: each of its line breaks is followed by that many spaces. A
// dump's strings hold no raw line break, so only its own lines move.
void WriteAtDepth(std::ostream& out, const std::string& text, std::size_t depth) {
  std::string indented;
  indented.reserve(text.size() + text.size() / 8);
  std::string newLine(depth + 1, ' ');
  newLine.front() = '\n';
  std::size_t from = 0;
  for (std::size_t lineBreak; (lineBreak = text.find('\n', from)) != std::string::npos;
       from = lineBreak + 1) {
    indented.append(text, from, lineBreak - from).append(newLine);
  }
  indented.append(text, from);
  out.write(indented.data(), static_cast<std::streamsize>(indented.size()));
}

// Indentation of each level of the whole text: the classes' array holds its
// classes at 4 spaces, their members at 6, the students at 8.
constexpr std::size_t kClassDepth = 4;
constexpr std::size_t kStudentDepth = 8;

}  // namespace

Json GradebookToJson(const Gradebook& book) {
  Json classes = Json::array();
  for (const ClassRecord& record : book.classes) {
    classes.push_back(Class(record));
  }
  // Only files of version 2.0 are read at all.
  return {{"version", 2.0f}, {"classes", classes}};
}

GradebookJsonWriter::GradebookJsonWriter(std::ostream& out) : out_(out) {
  out_ << "{\n  \"version\": " << Json(2.0f).dump() << ",\n  \"classes\": ";
}

void GradebookJsonWriter::WriteClass(const ClassRecord& record) {
  out_ << (anyClass_ ? ",\n" : "[\n") << std::string(kClassDepth, ' ');
  anyClass_ = true;
  // The class's dump without its closing "\n}", its students after.
  std::string members = Dump(ClassWithoutStudents(record));
  members.resize(members.size() - 2);
  WriteAtDepth(out_, members, kClassDepth);
  const std::string memberIndent(kClassDepth + 2, ' ');
  out_ << ",\n" << memberIndent << "\"students\": ";
  if (record.students.empty()) {
    out_ << "[]";
  } else {
    for (std::size_t j = 0; j < record.students.size(); ++j) {
      out_ << (j == 0 ? "[\n" : ",\n") << std::string(kStudentDepth, ' ');
      WriteAtDepth(out_, Dump(Student(record.students[j])), kStudentDepth);
    }
    out_ << "\n" << memberIndent << "]";
  }
  out_ << "\n" << std::string(kClassDepth, ' ') << "}";
}

void GradebookJsonWriter::Finish() {
  out_ << (anyClass_ ? "\n  ]\n}\n" : "[]\n}\n");
}

void WriteGradebookJson(const Gradebook& book, std::ostream& out) {
  GradebookJsonWriter writer(out);
  for (const ClassRecord& record : book.classes) {
    writer.WriteClass(record);
  }
  writer.Finish();
}

}  // namespace vellanor::inspect
