#include "model/duplication.h"

#include <string>

namespace vellanor {

TextField<32> CopyName(const TextField<32>& name) {
  std::string copy(name.View());
  copy += " copie";
  return TextField<32>(copy);
}

ClassRecord CopyOfClass(const ClassRecord& source) {
  ClassRecord copy = source;  // records own their lists, so this copies them
  copy.name = CopyName(source.name);
  return copy;
}

StudentRecord CopyOfStudent(const StudentRecord& source) {
  StudentRecord copy = source;
  copy.name = CopyName(source.name);
  return copy;
}

}  // namespace vellanor
