#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

// What the grade-entry window's grid shows in each of its layouts, as plain
// text: column titles with their widths and the cell texts, row by row.
// Marks print "abs" or with two decimals, averages likewise; names and titles
// are UTF-8.

namespace vellanor {

struct GridColumn {
  std::string title;
  int width = 0;  // pixels at 96 dpi
};

struct GridContent {
  std::vector<GridColumn> columns;
  // cells[row][column]; every row has one text per column, "" for an empty cell.
  std::vector<std::vector<std::string>> cells;
};

// Six category columns; as many rows as the largest count; column k lists the
// entries of category k of `grades` from the top.
GridContent CategoryGrid(const PerCategory<std::int16_t>& counts,
                         const std::vector<GradeRecord>& grades);

// "Nom" and the six categories: one row per student with its stored averages,
// left empty in the categories where the class has no grade column.
GridContent AllStudentsGrid(const ClassRecord& record);

// "Nom des élèves" and "Note 1".."Note n" for the class's n grade columns of
// one category: one row per student with its marks of that category.
GridContent CompareGrid(const ClassRecord& record, int trimester, int kind);

// "name, année year" and "Notes": one row per student, the marks to type.
GridContent AddingGrid(const ClassRecord& record);

}  // namespace vellanor
