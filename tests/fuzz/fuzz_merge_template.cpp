// Any template merged with any texts: no fault, a template without "$$"
// comes out as it went in (up to its first NUL), inserted texts never open,
// close or escape anything in the RTF, and names made into file names hold
// no path separator.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/records.h"
#include "reports/merge/document_names.h"
#include "reports/merge/template_merge.h"

namespace {

// True when every "\", "{" and "}" is part of an escape of one of them.
bool OnlyEscapedSpecials(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      if (++i >= text.size() || (text[i] != '\\' && text[i] != '{' && text[i] != '}')) {
        return false;
      }
    } else if (text[i] == '{' || text[i] == '}') {
      return false;
    }
  }
  return true;
}

vellanor::GradeRecord Grade(float value, int trimester, int kind, std::string_view info) {
  vellanor::GradeRecord grade;
  grade.value = value;
  grade.trimester = static_cast<vellanor::Trimester>(trimester);
  grade.kind = static_cast<std::uint8_t>(kind);
  grade.coefficient = 1.5f;
  grade.info = info;
  return grade;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte says how much of the rest is the records' text.
  if (size == 0) {
    return 0;
  }
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = std::min<std::size_t>(data[0], input.size());
  const std::string_view text = input.substr(0, split);
  const std::string_view templateText = input.substr(split);

  vellanor::StudentRecord student;
  student.name = text;
  student.firstName = text.substr(text.size() / 2);
  student.birthPlace = text;
  student.info = text;
  student.grades = {Grade(12.5f, 1, 0, text), Grade(-1.0f, 1, 0, text), Grade(8, 3, 1, "")};
  vellanor::ClassRecord record;
  record.name = text;
  record.info = text;
  record.year = text;
  record.columns = student.grades;
  record.gradeCount = {2, 0, 0, 0, 0, 1};
  record.students = {student, student};
  record.studentCount = 2;

  const std::string cut(templateText.substr(0, templateText.find('\0')));
  const std::string classDocument =
      vellanor::MergeTemplate(templateText, record, nullptr, true, {});
  const std::string studentDocument =
      vellanor::MergeTemplate(templateText, record, &record.students[0], false, {});
  if (cut.find("$$") == std::string::npos && (classDocument != cut || studentDocument != cut)) {
    std::abort();
  }
  if (OnlyEscapedSpecials(cut) &&
      (!OnlyEscapedSpecials(classDocument) || !OnlyEscapedSpecials(studentDocument))) {
    std::abort();
  }

  const std::string fileName = vellanor::DocumentFileName(text);
  if (fileName.size() != text.size() ||
      fileName.find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
    std::abort();
  }
  return 0;
}
