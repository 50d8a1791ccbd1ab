#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/records.h"

namespace vellanor {

// Statistics of the marks of a class, read from the stored records: nothing
// is recomputed. Shared by the statistics window, the reports and the
// inspection tool.

// The bands of a histogram of marks: 0-4, 4-8, 8-10, 10-12, 12-14, 14-16,
// 16-20. A mark on a boundary belongs to the band above it; 20 (and above)
// to the last band, anything below 4 (a negative mark too) to the first.
inline constexpr int kBandCount = 7;
inline constexpr std::array<int, kBandCount + 1> kBandBounds{0, 4, 8, 10, 12, 14, 16, 20};
int BandOf(double mark);

// The figures of a set of marks, in double precision; a NaN counts as an
// absence. The five values are meaningful only when `marks` > 0.
struct MarkStatistics {
  int marks = 0;
  int absents = 0;
  double minimum = 0.0;
  double maximum = 0.0;
  double mean = 0.0;
  double median = 0.0;     // the middle mark, or the mean of the two middle ones
  double deviation = 0.0;  // standard deviation of the population
  std::array<int, kBandCount> bands{};
};
MarkStatistics StatisticsOf(std::vector<double> values, int absents);

// The seven figures as shown: the number of marks and of absents, then the
// minimum, maximum, mean, median and deviation with two decimals and a
// decimal comma ("12,50"), those five empty when there are no marks.
std::vector<std::string> FigureTexts(const MarkStatistics& s);

// One grade column of a category: its title (its information text, or
// "Note n" for the n-th column of the category when it has none; UTF-8), its
// coefficient and its students' marks.
struct ColumnStatistics {
  std::string title;
  float coefficient = 0.0f;
  MarkStatistics marks;
};

// Every grade column of one category, in list order, and the students'
// stored averages of it (its marks: the students with a mark in the
// category; its absents: those without).
struct CategoryStatistics {
  std::vector<ColumnStatistics> columns;
  MarkStatistics averages;
};
CategoryStatistics StatisticsOfCategory(const ClassRecord& record, int category);

// A student's stored average of a category when the student has at least
// one mark (not absent) in it and the average is a number; nothing
// otherwise. Only such averages count in the class's range and ranks.
std::optional<float> RankedAverage(const StudentRecord& student, int category);

// The lowest and highest ranked average of a category; nothing when no
// student of the class has one.
struct AverageRange {
  float lowest = 0.0f;
  float highest = 0.0f;
};
std::optional<AverageRange> RangeOfAverages(const ClassRecord& record, int category);

// A student's rank by that average: 1 + the number of students with a
// strictly higher one (so ties share a rank), out of the students ranked.
// Nothing for a student without a ranked average.
struct Rank {
  int rank = 0;
  int of = 0;
};
std::optional<Rank> RankOf(const ClassRecord& record, const StudentRecord& student, int category);

// The statistics of every category that has grade columns, in category
// order, as UTF-8 lines of ";"-separated fields with a header line, numbers
// with two decimals and a decimal comma, a field holding ";" or a double
// quote quoted as in a CSV file.
std::vector<std::string> StatisticsTable(const ClassRecord& record);

}  // namespace vellanor
