// RecomputeClass on any class, consistent or not, never reads or writes out
// of bounds and always leaves one grade column per position counted.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "model/averages.h"
#include "model/gradebook.h"
#include "model/records.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = std::min(sizeof(T), size_ - pos_);
    std::memcpy(&value, data_ + pos_, n);
    pos_ += n;
    return value;
  }
  bool Empty() const { return pos_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

vellanor::GradeRecord TakeGrade(Bytes& bytes) {
  vellanor::GradeRecord grade;
  grade.value = bytes.Take<float>();
  grade.kind = bytes.Take<std::uint8_t>() % 3;
  grade.coefficient = bytes.Take<float>();
  grade.trimester = static_cast<vellanor::Trimester>(bytes.Take<std::uint8_t>() % 5);
  return grade;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  vellanor::ClassRecord record;
  for (auto& count : record.gradeCount) {
    count = static_cast<std::int16_t>(bytes.Take<std::int8_t>());
  }
  const int columns = bytes.Take<std::uint8_t>() % 16;
  for (int i = 0; i < columns; ++i) {
    record.columns.push_back(TakeGrade(bytes));
  }
  while (!bytes.Empty() && record.students.size() < 64) {
    vellanor::StudentRecord student;
    const int marks = bytes.Take<std::uint8_t>() % 16;
    for (int i = 0; i < marks; ++i) {
      student.grades.push_back(TakeGrade(bytes));
    }
    record.students.push_back(student);
  }
  record.studentCount = static_cast<std::int16_t>(record.students.size());

  vellanor::RecomputeClass(record);
  const int n = std::max<int>(0, vellanor::GradeColumnCount(record));
  if (record.columns.size() != static_cast<std::size_t>(n)) {
    std::abort();
  }
  return 0;
}
