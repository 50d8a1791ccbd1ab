#include "reports/merge/template_merge.h"

#include <array>
#include <cstring>
#include <stdexcept>

#include "model/class_statistics.h"
#include "model/format.h"

namespace vellanor {
namespace {

// What a placeholder stands for. Categories index the six (trimester, kind)
// pairs; a chart's `number` is its trimester (0 for the whole year).
enum class Value {
  ClassName,
  ClassYear,
  ClassInfo,
  StudentCount,
  StudentList,
  GradeCount,
  ClassGrades,
  ClassAverage,
  ClassLowestAverage,
  ClassHighestAverage,
  ClassChart,
  LastName,
  FirstName,
  Sex,
  BirthDate,
  BirthPlace,
  StudentInfo,
  StudentGrades,
  StudentAverage,
  StudentRank,
  StudentChart,
};

struct Placeholder {
  const char* text;
  Value value;
  int number = 0;
};

// Table order matters: a value inserted by one entry is searched by every
// later one. No placeholder contains one that comes before it.
constexpr std::array<Placeholder, 39> kClassPlaceholders{{
    {"$$CLASSE", Value::ClassName},
    {"$$ANNEE", Value::ClassYear},
    {"$$INFORMATION", Value::ClassInfo},
    {"$$NBELEVES", Value::StudentCount},
    {"$$LISTELEVES", Value::StudentList},
    {"$$NBNOTESECRITES1", Value::GradeCount, 0},
    {"$$NOTESECRITES1", Value::ClassGrades, 0},
    {"$$MOYENNEECRITE1", Value::ClassAverage, 0},
    {"$$NBNOTESORALES1", Value::GradeCount, 1},
    {"$$NOTESORALES1", Value::ClassGrades, 1},
    {"$$MOYENNEORALE1", Value::ClassAverage, 1},
    {"$$NBNOTESECRITES2", Value::GradeCount, 2},
    {"$$NOTESECRITES2", Value::ClassGrades, 2},
    {"$$MOYENNEECRITE2", Value::ClassAverage, 2},
    {"$$NBNOTESORALES2", Value::GradeCount, 3},
    {"$$NOTESORALES2", Value::ClassGrades, 3},
    {"$$MOYENNEORALE2", Value::ClassAverage, 3},
    {"$$NBNOTESECRITES3", Value::GradeCount, 4},
    {"$$NOTESECRITES3", Value::ClassGrades, 4},
    {"$$MOYENNEECRITE3", Value::ClassAverage, 4},
    {"$$NBNOTESORALES3", Value::GradeCount, 5},
    {"$$NOTESORALES3", Value::ClassGrades, 5},
    {"$$MOYENNEORALE3", Value::ClassAverage, 5},
    {"$$MINECRITE1", Value::ClassLowestAverage, 0},
    {"$$MAXECRITE1", Value::ClassHighestAverage, 0},
    {"$$MINORALE1", Value::ClassLowestAverage, 1},
    {"$$MAXORALE1", Value::ClassHighestAverage, 1},
    {"$$MINECRITE2", Value::ClassLowestAverage, 2},
    {"$$MAXECRITE2", Value::ClassHighestAverage, 2},
    {"$$MINORALE2", Value::ClassLowestAverage, 3},
    {"$$MAXORALE2", Value::ClassHighestAverage, 3},
    {"$$MINECRITE3", Value::ClassLowestAverage, 4},
    {"$$MAXECRITE3", Value::ClassHighestAverage, 4},
    {"$$MINORALE3", Value::ClassLowestAverage, 5},
    {"$$MAXORALE3", Value::ClassHighestAverage, 5},
    {"$$GRAPHT1", Value::ClassChart, 1},
    {"$$GRAPHT2", Value::ClassChart, 2},
    {"$$GRAPHT3", Value::ClassChart, 3},
    {"$$GRAPHALL", Value::ClassChart, 0},
}};

constexpr std::array<Placeholder, 28> kStudentPlaceholders{{
    {"$$STUNOM", Value::LastName},
    {"$$STUPRENOM", Value::FirstName},
    {"$$STUSEX", Value::Sex},
    {"$$STUDDN", Value::BirthDate},
    {"$$STULDN", Value::BirthPlace},
    {"$$STUINFO", Value::StudentInfo},
    {"$$STUNOTESECRITES1", Value::StudentGrades, 0},
    {"$$STUMOYENNEECRITE1", Value::StudentAverage, 0},
    {"$$STUNOTESORALES1", Value::StudentGrades, 1},
    {"$$STUMOYENNEORALE1", Value::StudentAverage, 1},
    {"$$STUNOTESECRITES2", Value::StudentGrades, 2},
    {"$$STUMOYENNEECRITE2", Value::StudentAverage, 2},
    {"$$STUNOTESORALES2", Value::StudentGrades, 3},
    {"$$STUMOYENNEORALE2", Value::StudentAverage, 3},
    {"$$STUNOTESECRITES3", Value::StudentGrades, 4},
    {"$$STUMOYENNEECRITE3", Value::StudentAverage, 4},
    {"$$STUNOTESORALES3", Value::StudentGrades, 5},
    {"$$STUMOYENNEORALE3", Value::StudentAverage, 5},
    {"$$STURANGECRIT1", Value::StudentRank, 0},
    {"$$STURANGORAL1", Value::StudentRank, 1},
    {"$$STURANGECRIT2", Value::StudentRank, 2},
    {"$$STURANGORAL2", Value::StudentRank, 3},
    {"$$STURANGECRIT3", Value::StudentRank, 4},
    {"$$STURANGORAL3", Value::StudentRank, 5},
    {"$$GRAPHT1", Value::StudentChart, 1},
    {"$$GRAPHT2", Value::StudentChart, 2},
    {"$$GRAPHT3", Value::StudentChart, 3},
    {"$$GRAPHALL", Value::StudentChart, 0},
}};

// One item per grade of the category, in list order: " 12.50 (Coef: 1.00,
// Info: DS1) -", " 8.00 (Coef: 2.00) -", or " abs -" for an absence.
void AppendGradeList(std::string& out, const std::vector<GradeRecord>& grades, int category) {
  for (const GradeRecord& grade : grades) {
    if (grade.Category() != category) {
      continue;
    }
    if (IsAbsent(grade.value)) {
      out += " abs -";
      continue;
    }
    out += ' ';
    out += FormatMark(grade.value);
    out += " (Coef: ";
    out += FormatAverage(grade.coefficient);
    if (!grade.info.Empty()) {
      out += ", Info: ";
      AppendRtfEscaped(out, grade.info.View());
    }
    out += ") -";
  }
}

// " name first name -" for every student, in list order.
void AppendStudentList(std::string& out, const ClassRecord& record) {
  for (const StudentRecord& student : record.students) {
    out += ' ';
    AppendRtfEscaped(out, student.name.View());
    out += ' ';
    AppendRtfEscaped(out, student.firstName.View());
    out += " -";
  }
}

// A category nobody was assessed in yet has no average: the 0 stored for it
// would read on a report card as a real average of zero, so it prints
// nothing. An average of absences only is stored as NaN and prints "abs".
bool HasColumns(const ClassRecord& record, std::size_t category) {
  return record.gradeCount[category] > 0;
}

// The value of a text placeholder (every kind but the charts).
void AppendValue(std::string& out, const Placeholder& entry, const ClassRecord& record,
                 const StudentRecord* student) {
  const auto category = static_cast<std::size_t>(entry.number);
  switch (entry.value) {
    case Value::ClassName:
      return AppendRtfEscaped(out, record.name.View());
    case Value::ClassYear:
      return AppendRtfEscaped(out, record.year.View());
    case Value::ClassInfo:
      return AppendRtfEscaped(out, record.info.View());
    case Value::StudentCount:
      out += std::to_string(record.studentCount);
      return;
    case Value::StudentList:
      return AppendStudentList(out, record);
    case Value::GradeCount:
      out += std::to_string(record.gradeCount[category]);
      return;
    case Value::ClassGrades:
      return AppendGradeList(out, record.columns, entry.number);
    case Value::ClassAverage:
      if (HasColumns(record, category)) {
        out += FormatAverage(record.average[category]);
      }
      return;
    case Value::ClassLowestAverage:
    case Value::ClassHighestAverage:
      if (const auto range = RangeOfAverages(record, entry.number)) {
        out += FormatAverage(entry.value == Value::ClassLowestAverage ? range->lowest
                                                                      : range->highest);
      }
      return;
    case Value::LastName:
      return AppendRtfEscaped(out, student->name.View());
    case Value::FirstName:
      return AppendRtfEscaped(out, student->firstName.View());
    case Value::Sex:
      out += student->IsBoy() ? "Gar\xE7on" : "Fille";
      return;
    case Value::BirthDate:
      return AppendRtfEscaped(out, student->birthDate.View());
    case Value::BirthPlace:
      return AppendRtfEscaped(out, student->birthPlace.View());
    case Value::StudentInfo:
      return AppendRtfEscaped(out, student->info.View());
    case Value::StudentGrades:
      return AppendGradeList(out, student->grades, entry.number);
    case Value::StudentAverage:
      if (HasColumns(record, category)) {
        out += FormatAverage(student->average[category]);
      }
      return;
    case Value::StudentRank:
      if (const auto rank = RankOf(record, *student, entry.number)) {
        out += std::to_string(rank->rank) + "/" + std::to_string(rank->of);
      }
      return;
    case Value::ClassChart:
    case Value::StudentChart:
      return;
  }
}

// A template that repeats a long value or a chart many thousand times would
// take all the memory there is.
void CheckDocumentSize(std::size_t size) {
  if (size > kLargestDocument) {
    throw std::length_error("report document too large");
  }
}

// Replaces every non-overlapping occurrence of `placeholder`, left to right,
// in one sweep: the inserted value is not searched again by this entry.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view value) {
  std::size_t found = text.find(placeholder);
  if (found == std::string::npos) {
    return;
  }
  std::string merged;
  merged.reserve(text.size() + value.size());
  std::size_t from = 0;
  while (found != std::string::npos) {
    merged.append(text, from, found - from);
    CheckDocumentSize(merged.size() + value.size());
    merged.append(value);
    from = found + placeholder.size();
    found = text.find(placeholder, from);
  }
  merged.append(text, from, std::string::npos);
  text.swap(merged);
}

bool IsChart(const Placeholder& entry) {
  return entry.value == Value::ClassChart || entry.value == Value::StudentChart;
}

// One pass over a table's text placeholders; its charts come after them all.
template <std::size_t N>
void RunTextPass(std::string& text, const std::array<Placeholder, N>& table,
                 const ClassRecord& record, const StudentRecord* student) {
  std::string value;
  for (const Placeholder& entry : table) {
    if (!IsChart(entry)) {
      value.clear();
      AppendValue(value, entry, record, student);
      ReplaceAll(text, entry.text, value);
    }
  }
}

// The chart placeholders close the pass that takes them, in the order
// "$$GRAPHT1", "$$GRAPHT2", "$$GRAPHT3", "$$GRAPHALL". No two of them can
// overlap, and a picture holds no "$$" and starts and ends with a line feed,
// so it can neither hold nor make up a placeholder: one sweep replacing each
// of the four by its picture gives the text the four replacements in turn
// would. The pictures are drawn straight into the document, built once, and
// only for the placeholders that occur.
void ReplaceCharts(std::string& text, const std::array<Placeholder, 4>& charts,
                   const ClassRecord& record, const std::vector<GradeRecord>& grades,
                   const ChartMaker& maker) {
  struct Occurrence {
    std::size_t at;
    std::size_t chart;
  };
  std::vector<Occurrence> found;
  for (std::size_t at = text.find("$$GRAPH"); at != std::string::npos;
       at = text.find("$$GRAPH", at + 1)) {
    for (std::size_t chart = 0; chart < charts.size(); ++chart) {
      if (std::string_view(text).substr(at).starts_with(charts[chart].text)) {
        found.push_back({at, chart});
        at += std::strlen(charts[chart].text) - 1;
        break;
      }
    }
  }
  if (found.empty()) {
    return;
  }
  // Each chart is drawn once, where it first occurs, and copied from there.
  struct Picture {
    std::size_t at = 0;
    std::size_t size = 0;
    bool drawn = false;
  };
  std::array<Picture, 4> pictures{};
  std::string merged;
  CheckDocumentSize(text.size() + found.size() * kChartPictureLength);
  merged.reserve(text.size() + found.size() * kChartPictureLength);
  std::size_t from = 0;
  for (const Occurrence& occurrence : found) {
    merged.append(text, from, occurrence.at - from);
    Picture& picture = pictures[occurrence.chart];
    if (picture.drawn) {
      merged.append(merged, picture.at, picture.size);
    } else {
      picture.at = merged.size();
      maker(merged, record, grades, charts[occurrence.chart].number);
      picture.size = merged.size() - picture.at;
      picture.drawn = true;
    }
    from = occurrence.at + std::strlen(charts[occurrence.chart].text);
  }
  merged.append(text, from, std::string::npos);
  text.swap(merged);
}

// The last four entries of a table: its charts.
template <std::size_t N>
std::array<Placeholder, 4> ChartEntries(const std::array<Placeholder, N>& table) {
  return {table[N - 4], table[N - 3], table[N - 2], table[N - 1]};
}

}  // namespace

std::vector<std::string> PlaceholderTexts() {
  std::vector<std::string> texts;
  for (const Placeholder& entry : kClassPlaceholders) {
    texts.emplace_back(entry.text);
  }
  for (const Placeholder& entry : kStudentPlaceholders) {
    if (!IsChart(entry)) {  // the charts are in both tables
      texts.emplace_back(entry.text);
    }
  }
  return texts;
}

void AppendRtfEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
    }
    out += c;
  }
}

std::string MergeTemplate(std::string_view templateText, const ClassRecord& record,
                          const StudentRecord* student, bool classMode, const ChartMaker& charts) {
  const std::size_t nul = templateText.find('\0');
  std::string text(templateText.substr(0, nul));
  RunTextPass(text, kClassPlaceholders, record, student);
  // Class charts only in class mode: in student mode the chart placeholders
  // stay for the student pass.
  if (classMode && charts) {
    ReplaceCharts(text, ChartEntries(kClassPlaceholders), record, record.columns, charts);
  }
  if (student != nullptr && !classMode) {
    RunTextPass(text, kStudentPlaceholders, record, student);
    if (charts) {
      ReplaceCharts(text, ChartEntries(kStudentPlaceholders), record, student->grades, charts);
    }
  }
  return text;
}

}  // namespace vellanor
