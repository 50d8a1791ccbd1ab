#include "model/gradebook.h"

#include <cstddef>
#include <utility>

namespace vellanor {
namespace {

template <typename List>
auto* At(List& list, int position) {
  using Element = std::remove_reference_t<decltype(list[0])>;
  if (position < 0 || static_cast<std::size_t>(position) >= list.size()) {
    return static_cast<Element*>(nullptr);
  }
  return &list[static_cast<std::size_t>(position)];
}

bool ClassIsFull(const Gradebook& book) {
  return book.classes.size() >= kMaxCount;
}

bool StudentsAreFull(const ClassRecord& record) {
  return record.students.size() >= kMaxCount || record.studentCount >= kMaxCount;
}

}  // namespace

ClassRecord* ClassAt(Gradebook& book, int position) {
  return At(book.classes, position);
}
const ClassRecord* ClassAt(const Gradebook& book, int position) {
  return At(book.classes, position);
}
StudentRecord* StudentAt(ClassRecord& record, int position) {
  return At(record.students, position);
}
const StudentRecord* StudentAt(const ClassRecord& record, int position) {
  return At(record.students, position);
}

std::int16_t GradeColumnCount(const ClassRecord& record) {
  int sum = 0;
  for (std::int16_t count : record.gradeCount) {
    sum += count;
  }
  return static_cast<std::int16_t>(sum);  // wraps as the 16-bit sum of the file does
}

AppendResult AppendClass(Gradebook& book, const ClassRecord& record) {
  return AppendClass(book, ClassRecord(record));
}

AppendResult AppendClass(Gradebook& book, ClassRecord&& record) {
  if (ClassIsFull(book)) {
    return AppendResult::LimitReached;
  }
  book.classes.push_back(std::move(record));
  return AppendResult::Done;
}

AppendResult AppendStudent(ClassRecord& record, const StudentRecord& student) {
  return AppendStudent(record, StudentRecord(student));
}

AppendResult AppendStudent(ClassRecord& record, StudentRecord&& student) {
  if (StudentsAreFull(record)) {
    return AppendResult::LimitReached;
  }
  record.students.push_back(std::move(student));
  ++record.studentCount;
  return AppendResult::Done;
}

AppendResult AppendGradeColumn(ClassRecord& record, const std::vector<GradeRecord>& marks) {
  if (marks.size() != record.students.size() || marks.empty()) {
    return AppendResult::Mismatch;
  }
  const int category = marks.front().Category();
  if (category < 0) {
    return AppendResult::Mismatch;
  }
  for (const GradeRecord& mark : marks) {
    if (mark.Category() != category) {
      return AppendResult::Mismatch;
    }
  }
  if (record.gradeCount[category] >= kMaxCount || GradeColumnCount(record) >= kMaxCount ||
      GradeColumnCount(record) < 0) {
    return AppendResult::LimitReached;
  }
  for (std::size_t j = 0; j < marks.size(); ++j) {
    record.students[j].grades.push_back(marks[j]);
  }
  ++record.gradeCount[category];
  return AppendResult::Done;
}

bool RemoveClass(Gradebook& book, int position) {
  if (ClassAt(book, position) == nullptr) {
    return false;
  }
  book.classes.erase(book.classes.begin() + position);
  return true;
}

bool RemoveStudent(ClassRecord& record, int position) {
  if (StudentAt(record, position) == nullptr) {
    return false;
  }
  record.students.erase(record.students.begin() + position);
  record.studentCount = static_cast<std::int16_t>(record.students.size());
  return true;
}

int FindInCategory(const std::vector<GradeRecord>& grades, int category, int rank) {
  if (rank < 0) {
    return -1;
  }
  int seen = 0;
  for (std::size_t i = 0; i < grades.size(); ++i) {
    if (grades[i].Category() == category) {
      if (seen == rank) {
        return static_cast<int>(i);
      }
      ++seen;
    }
  }
  return -1;
}

bool RemoveGradeColumn(ClassRecord& record, int category, int rank) {
  if (category < 0 || category >= kCategoryCount) {
    return false;
  }
  const auto removeFrom = [category, rank](std::vector<GradeRecord>& grades) {
    const int index = FindInCategory(grades, category, rank);
    if (index >= 0) {
      grades.erase(grades.begin() + index);
    }
    return index >= 0;
  };
  const bool found = removeFrom(record.columns);
  if (found) {
    --record.gradeCount[category];
  }
  for (StudentRecord& student : record.students) {
    removeFrom(student.grades);
  }
  return found;
}

void ClearGradebook(Gradebook& book) {
  book.classes.clear();
  book.classes.shrink_to_fit();
}

}  // namespace vellanor
