#include "model/class_statistics.h"

#include <algorithm>
#include <cmath>

#include "model/cp1252.h"
#include "model/format.h"

namespace vellanor {
namespace {

// A category's grade columns are the entries of the class's list that
// belong to it; the students' marks at the same positions are theirs.
bool IsMarkOf(const StudentRecord& student, std::size_t position, int category) {
  return position < student.grades.size() && student.grades[position].Category() == category;
}

// Between double quotes, quotes inside doubled, when it holds ";" or a
// double quote; as it stands otherwise.
std::string TableField(const std::string& text) {
  if (text.find_first_of(";\"") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') {
      quoted += '"';
    }
  }
  return quoted + "\"";
}

std::string StatisticsFields(const MarkStatistics& s) {
  std::string line;
  for (const std::string& field : FigureTexts(s)) {
    line += (line.empty() ? "" : ";") + field;
  }
  return line;
}

}  // namespace

std::vector<std::string> FigureTexts(const MarkStatistics& s) {
  std::vector<std::string> texts{std::to_string(s.marks), std::to_string(s.absents)};
  for (const double value : {s.minimum, s.maximum, s.mean, s.median, s.deviation}) {
    texts.push_back(s.marks > 0 ? FormatDecimalComma(value) : std::string());
  }
  return texts;
}

int BandOf(double mark) {
  int band = 0;
  while (band + 1 < kBandCount && mark >= kBandBounds[static_cast<std::size_t>(band) + 1]) {
    ++band;
  }
  return band;
}

MarkStatistics StatisticsOf(std::vector<double> values, int absents) {
  // A NaN mark (only a damaged file holds one) prints "abs" everywhere, and
  // would break the sorting below.
  const auto nan =
      std::remove_if(values.begin(), values.end(), [](double value) { return std::isnan(value); });
  absents += static_cast<int>(values.end() - nan);
  values.erase(nan, values.end());
  MarkStatistics s;
  s.absents = absents;
  s.marks = static_cast<int>(values.size());
  if (values.empty()) {
    return s;
  }
  std::sort(values.begin(), values.end());
  s.minimum = values.front();
  s.maximum = values.back();
  double sum = 0.0;
  for (const double value : values) {
    sum += value;
    ++s.bands[static_cast<std::size_t>(BandOf(value))];
  }
  const auto n = values.size();
  s.mean = sum / static_cast<double>(n);
  s.median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
  double squares = 0.0;
  for (const double value : values) {
    squares += (value - s.mean) * (value - s.mean);
  }
  s.deviation = std::sqrt(squares / static_cast<double>(n));
  return s;
}

CategoryStatistics StatisticsOfCategory(const ClassRecord& record, int category) {
  CategoryStatistics result;
  int number = 0;
  for (std::size_t position = 0; position < record.columns.size(); ++position) {
    const GradeRecord& column = record.columns[position];
    if (column.Category() != category) {
      continue;
    }
    ++number;
    std::vector<double> values;
    int absents = 0;
    for (const StudentRecord& student : record.students) {
      if (!IsMarkOf(student, position, category)) {
        continue;
      }
      const float value = student.grades[position].value;
      if (IsAbsent(value)) {
        ++absents;
      } else {
        values.push_back(value);
      }
    }
    ColumnStatistics row;
    row.title =
        column.info.Empty() ? "Note " + std::to_string(number) : Cp1252ToUtf8(column.info.View());
    row.coefficient = column.coefficient;
    row.marks = StatisticsOf(std::move(values), absents);
    result.columns.push_back(std::move(row));
  }
  std::vector<double> averages;
  int without = 0;
  for (const StudentRecord& student : record.students) {
    if (const std::optional<float> average = RankedAverage(student, category)) {
      averages.push_back(*average);
    } else {
      ++without;
    }
  }
  result.averages = StatisticsOf(std::move(averages), without);
  return result;
}

std::optional<float> RankedAverage(const StudentRecord& student, int category) {
  const bool hasMark = std::any_of(student.grades.begin(), student.grades.end(),
                                   [category](const GradeRecord& mark) {
                                     return mark.Category() == category && !IsAbsent(mark.value);
                                   });
  const float average = student.average[static_cast<std::size_t>(category)];
  if (!hasMark || std::isnan(average)) {
    return std::nullopt;
  }
  return average;
}

std::optional<AverageRange> RangeOfAverages(const ClassRecord& record, int category) {
  std::optional<AverageRange> range;
  for (const StudentRecord& student : record.students) {
    if (const std::optional<float> average = RankedAverage(student, category)) {
      if (!range) {
        range = AverageRange{*average, *average};
      } else {
        range->lowest = std::min(range->lowest, *average);
        range->highest = std::max(range->highest, *average);
      }
    }
  }
  return range;
}

std::optional<Rank> RankOf(const ClassRecord& record, const StudentRecord& student, int category) {
  const std::optional<float> own = RankedAverage(student, category);
  if (!own) {
    return std::nullopt;
  }
  Rank rank{1, 0};
  for (const StudentRecord& other : record.students) {
    if (const std::optional<float> average = RankedAverage(other, category)) {
      ++rank.of;
      if (*average > *own) {
        ++rank.rank;
      }
    }
  }
  return rank;
}

std::vector<std::string> StatisticsTable(const ClassRecord& record) {
  std::vector<std::string> lines{
      "catégorie;intitulé;coefficient;notes;absents;min;max;moyenne;médiane;écart-type"};
  for (int category = 0; category < kCategoryCount; ++category) {
    if (record.gradeCount[static_cast<std::size_t>(category)] <= 0) {
      continue;
    }
    const CategoryStatistics stats = StatisticsOfCategory(record, category);
    const std::string name = CategoryName(category) + ";";
    for (const ColumnStatistics& column : stats.columns) {
      lines.push_back(name + TableField(column.title) + ";" +
                      FormatAverageWithComma(column.coefficient) + ";" +
                      StatisticsFields(column.marks));
    }
    lines.push_back(name + "moyennes des élèves;;" + StatisticsFields(stats.averages));
  }
  return lines;
}

}  // namespace vellanor
