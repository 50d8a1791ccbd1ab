#include "grading/grade_grids.h"

#include <algorithm>
#include <cstddef>

#include "app/record_labels.h"
#include "model/cp1252.h"
#include "model/format.h"

namespace vellanor {
namespace {

constexpr int kCategoryWidth = 61;
constexpr int kNameWidth = 120;
constexpr int kAddingNameWidth = 250;
constexpr int kAddingMarkWidth = 118;

std::vector<std::string> EmptyRow(std::size_t columns) {
  return std::vector<std::string>(columns);
}

}  // namespace

GridContent CategoryGrid(const PerCategory<std::int16_t>& counts,
                         const std::vector<GradeRecord>& grades) {
  GridContent grid;
  for (int k = 0; k < kCategoryCount; ++k) {
    grid.columns.push_back({CategoryName(k), kCategoryWidth});
  }
  int rows = 0;
  for (std::int16_t count : counts) {
    rows = std::max<int>(rows, count);
  }
  grid.cells.assign(static_cast<std::size_t>(rows), EmptyRow(kCategoryCount));
  // Each category's entries fill its column from the top, in list order.
  PerCategory<std::size_t> next{};
  for (const GradeRecord& grade : grades) {
    const int k = grade.Category();
    if (k < 0) {
      continue;
    }
    const std::size_t row = next[static_cast<std::size_t>(k)]++;
    if (row < grid.cells.size()) {
      grid.cells[row][static_cast<std::size_t>(k)] = FormatMark(grade.value);
    }
  }
  return grid;
}

GridContent AllStudentsGrid(const ClassRecord& record) {
  GridContent grid;
  grid.columns.push_back({"Nom", kNameWidth});
  for (int k = 0; k < kCategoryCount; ++k) {
    grid.columns.push_back({CategoryName(k), kCategoryWidth});
  }
  grid.cells.reserve(record.students.size());
  for (const StudentRecord& student : record.students) {
    std::vector<std::string> row = EmptyRow(grid.columns.size());
    row[0] = StudentLabel(student);
    for (std::size_t k = 0; k < kCategoryCount; ++k) {
      if (record.gradeCount[k] > 0) {
        row[k + 1] = FormatAverage(student.average[k]);
      }
    }
    grid.cells.push_back(std::move(row));
  }
  return grid;
}

GridContent CompareGrid(const ClassRecord& record, int trimester, int kind) {
  GridContent grid;
  const int category = CategoryIndex(trimester, kind);
  const int n = category < 0 ? 0 : std::max<int>(0, record.gradeCount[category]);
  grid.columns.push_back({"Nom des élèves", kNameWidth});
  for (int j = 1; j <= n; ++j) {
    grid.columns.push_back({"Note " + std::to_string(j), kCategoryWidth});
  }
  grid.cells.reserve(record.students.size());
  for (const StudentRecord& student : record.students) {
    std::vector<std::string> row = EmptyRow(grid.columns.size());
    row[0] = StudentLabel(student);
    std::size_t column = 1;
    for (const GradeRecord& grade : student.grades) {
      if (column >= row.size()) {
        break;
      }
      if (grade.Category() == category) {
        row[column++] = FormatMark(grade.value);
      }
    }
    grid.cells.push_back(std::move(row));
  }
  return grid;
}

GridContent AddingGrid(const ClassRecord& record) {
  GridContent grid;
  grid.columns.push_back(
      {Cp1252ToUtf8(record.name.View()) + ", année " + Cp1252ToUtf8(record.year.View()),
       kAddingNameWidth});
  grid.columns.push_back({"Notes", kAddingMarkWidth});
  grid.cells.reserve(record.students.size());
  for (const StudentRecord& student : record.students) {
    grid.cells.push_back({StudentLabel(student), ""});
  }
  return grid;
}

}  // namespace vellanor
