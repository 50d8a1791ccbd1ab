#include "model/averages.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <vector>

#include "model/gradebook.h"

namespace vellanor {

void CategorySums::Add(const GradeRecord& grade) {
  const int c = grade.Category();
  if (c >= 0 && !IsAbsent(grade.value)) {
    total[c] += grade.value * grade.coefficient;
    weight[c] += grade.coefficient;
  }
}

float CategorySums::Average(int category) const {
  if (category < 0 || category >= kCategoryCount) {
    return std::numeric_limits<float>::quiet_NaN();
  }
  return weight[category] != 0.0f ? total[category] / weight[category]
                                  : std::numeric_limits<float>::quiet_NaN();
}

namespace {

PerCategory<float> AveragesOf(const CategorySums& sums,
                              const PerCategory<std::int16_t>& gradeCount) {
  PerCategory<float> average{};
  for (int c = 0; c < kCategoryCount; ++c) {
    if (gradeCount[c] > 0) {
      average[c] = sums.Average(c);
    }
  }
  return average;
}

// What the students' marks at one position add up to.
struct ColumnTally {
  float total = 0.0f;
  float weight = 0.0f;
  const GradeRecord* last = nullptr;  // the last student's mark at this position
};

// An entry for a category that has a column no student has a mark for.
GradeRecord PlaceholderColumn(int category) {
  GradeRecord column;
  column.value = kAbsenceValue;
  column.kind = static_cast<std::uint8_t>(CategoryKind(category));
  column.trimester = static_cast<Trimester>(CategoryTrimester(category));
  column.coefficient = 1.0f;
  return column;
}

// The previous list of grade columns fitted to the counts: the entries of
// each category kept in order as long as the category's count allows, the
// missing ones added at the end as placeholders, cut to n entries.
std::vector<GradeRecord> FitToCounts(const std::vector<GradeRecord>& previous,
                                     const PerCategory<std::int16_t>& gradeCount, std::size_t n) {
  PerCategory<int> missing{};
  for (int c = 0; c < kCategoryCount; ++c) {
    missing[c] = std::max<int>(0, gradeCount[c]);
  }
  std::vector<GradeRecord> fitted;
  fitted.reserve(n);
  for (const GradeRecord& column : previous) {
    const int c = column.Category();
    if (c >= 0 && missing[c] > 0) {
      --missing[c];
      fitted.push_back(column);
    }
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    for (; missing[c] > 0; --missing[c]) {
      fitted.push_back(PlaceholderColumn(c));
    }
  }
  // Negative counts (from a damaged file) make the positive ones sum past n.
  if (fitted.size() > n) {
    fitted.erase(fitted.begin() + static_cast<std::ptrdiff_t>(n), fitted.end());
  }
  return fitted;
}

GradeRecord ColumnFrom(const ColumnTally& tally) {
  const GradeRecord& last = *tally.last;
  GradeRecord column;
  column.kind = last.kind;
  column.trimester = last.trimester;
  column.coefficient = last.coefficient;
  column.info = last.info;
  // With no weight (everyone absent, or coefficients of 0) the last student's
  // mark stands, so an assessment the whole class missed stays absent.
  column.value = tally.weight != 0.0f ? tally.total / tally.weight : last.value;
  return column;
}

}  // namespace

// One pass over every student's marks gives both the student's averages and
// the tallies of each position. A position that no student has a mark for (a
// class without students keeps its columns that way) takes the entry at that
// position of the previous list of grade columns, fitted to the counts.
void RecomputeClass(ClassRecord& record) {
  const std::size_t n = static_cast<std::size_t>(std::max<int>(0, GradeColumnCount(record)));
  std::vector<ColumnTally> tallies(n);

  for (StudentRecord& student : record.students) {
    CategorySums sums;
    const std::size_t marks = student.grades.size();
    for (std::size_t i = 0; i < marks; ++i) {
      const GradeRecord& mark = student.grades[i];
      sums.Add(mark);
      if (i < n) {
        ColumnTally& tally = tallies[i];
        tally.last = &mark;
        if (!IsAbsent(mark.value)) {
          tally.total += mark.value * mark.coefficient;
          tally.weight += mark.coefficient;
        }
      }
    }
    student.average = AveragesOf(sums, record.gradeCount);
  }

  const bool needsPrevious = std::any_of(tallies.begin(), tallies.end(),
                                         [](const ColumnTally& t) { return t.last == nullptr; });
  const std::vector<GradeRecord> previous = needsPrevious
                                                ? FitToCounts(record.columns, record.gradeCount, n)
                                                : std::vector<GradeRecord>{};

  record.columns.clear();
  record.columns.reserve(n);
  CategorySums classSums;
  for (std::size_t i = 0; i < n; ++i) {
    if (tallies[i].last != nullptr) {
      record.columns.push_back(ColumnFrom(tallies[i]));
    } else if (i < previous.size()) {
      record.columns.push_back(previous[i]);
    } else {
      record.columns.emplace_back();  // a damaged file's counts whose 16-bit sum wrapped
    }
    classSums.Add(record.columns.back());
  }
  record.average = AveragesOf(classSums, record.gradeCount);
}

}  // namespace vellanor
