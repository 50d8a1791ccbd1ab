#include "exchange/csv/csv_import.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "exchange/csv/csv_fields.h"
#include "exchange/csv/csv_line_reader.h"
#include "model/averages.h"
#include "model/cp1252.h"
#include "model/gradebook.h"
#include "model/invariants.h"
#include "model/number_text.h"
#include "platform/file_store.h"
#include "platform/message_service.h"

namespace vellanor::exchange {
namespace {

using platform::MessageIcon;

// The section keywords, by category index.
constexpr std::array<std::string_view, kCategoryCount> kSectionKeywords = {
    "ECRIT TRIMESTRE 1", "ORAL TRIMESTRE 1",  "ECRIT TRIMESTRE 2",
    "ORAL TRIMESTRE 2",  "ECRIT TRIMESTRE 3", "ORAL TRIMESTRE 3"};

// A block holds at most this many marks: no class has more grade columns, so
// a longer block is refused anyway, and memory stays bounded.
constexpr std::size_t kMarksKept = kMaxCount + 1;

constexpr char kMarkCountMismatch[] =
    "Le nombre de notes de cet élève\nne correspond pas à celui de la classe";

struct LineKind {
  enum class Kind { Student, Section, Other } kind = Kind::Other;
  int category = -1;  // for a section line
};

LineKind Classify(const std::string& line) {
  const std::string first = FirstField(line);
  if (StartsWithNoCase(first, "ELEVE")) {
    return {LineKind::Kind::Student, -1};
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    const std::string_view keyword = kSectionKeywords[static_cast<std::size_t>(c)];
    // "Ecrit Trimestre 12" names no trimester of the program.
    if (StartsWithNoCase(first, keyword) &&
        (first.size() == keyword.size() || first[keyword.size()] < '0' ||
         first[keyword.size()] > '9')) {
      return {LineKind::Kind::Section, c};
    }
  }
  return {};
}

float ReadMark(std::string_view field) {
  if (StartsWithNoCase(field, "ABS")) {
    return kAbsenceValue;
  }
  return static_cast<float>(ReadLeadingNumber(field));
}

void ReadSection(const std::string& line, int category, StudentRecord& working) {
  FieldReader fields(line, ";", true);
  std::string field;
  fields.Next(field);  // the keyword
  while (working.grades.size() < kMarksKept && fields.Next(field)) {
    GradeRecord mark;
    mark.value = ReadMark(field);
    mark.kind = static_cast<std::uint8_t>(CategoryKind(category));
    mark.trimester = static_cast<Trimester>(CategoryTrimester(category));
    working.grades.push_back(mark);
  }
}

// Whether the class's grade columns can take imported marks: one column per
// position counted, and as many columns of each category as its count says.
bool ColumnsFitCounts(const ClassRecord& record) {
  if (FindUnreadableFault(record)) {
    return false;
  }
  PerCategory<int> seen{};
  for (const GradeRecord& column : record.columns) {
    if (column.Category() < 0) {
      return false;
    }
    ++seen[static_cast<std::size_t>(column.Category())];
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    if (seen[static_cast<std::size_t>(c)] != record.gradeCount[static_cast<std::size_t>(c)]) {
      return false;
    }
  }
  return true;
}

// The block's marks of each category, in file order.
PerCategory<std::vector<float>> MarksByCategory(const StudentRecord& working) {
  PerCategory<std::vector<float>> marks;
  for (const GradeRecord& mark : working.grades) {
    marks[static_cast<std::size_t>(mark.Category())].push_back(mark.value);
  }
  return marks;
}

bool CountsMatch(const ClassRecord& record, const PerCategory<std::vector<float>>& marks) {
  for (int c = 0; c < kCategoryCount; ++c) {
    const auto index = static_cast<std::size_t>(c);
    if (marks[index].size() != static_cast<std::size_t>(record.gradeCount[index])) {
      return false;
    }
  }
  return true;
}

// The grade list the block gives a student: the k-th mark of a category goes
// to the k-th grade column of that category and takes its kind, trimester and
// coefficient. The information text of each mark is the student's own, or
// for a new student the column's (the name of the assessment).
std::vector<GradeRecord> PlaceMarks(const ClassRecord& record,
                                    const PerCategory<std::vector<float>>& marks,
                                    const StudentRecord* existing) {
  std::vector<GradeRecord> grades;
  grades.reserve(record.columns.size());
  PerCategory<std::size_t> taken{};
  for (std::size_t i = 0; i < record.columns.size(); ++i) {
    const GradeRecord& column = record.columns[i];
    const auto c = static_cast<std::size_t>(column.Category());
    GradeRecord mark = column;
    mark.value = marks[c][taken[c]++];
    if (existing != nullptr) {
      mark.info = existing->grades[i].info;
    }
    grades.push_back(mark);
  }
  return grades;
}

std::string NotFoundQuestion(const StudentRecord& working) {
  return "L'élève <" + Cp1252ToUtf8(working.name.View()) + ", " +
         Cp1252ToUtf8(working.firstName.View()) +
         "> n'a pas été retrouvé\n dans la classe sélectionnée.\nVoulez vous créer cet élève?";
}

std::string StudentLimitText(const ClassRecord& record, const StudentRecord& working) {
  return "Impossible de créer l'élève <" + Cp1252ToUtf8(working.name.View()) + ", " +
         Cp1252ToUtf8(working.firstName.View()) + ">:\nla classe <" +
         Cp1252ToUtf8(record.name.View()) + "> compte déjà 32767 élèves.";
}

// The students of the class that bear the block's names.
std::vector<std::size_t> Namesakes(const ClassRecord& record, const StudentRecord& working) {
  std::vector<std::size_t> namesakes;
  for (std::size_t j = 0; j < record.students.size(); ++j) {
    const StudentRecord& student = record.students[j];
    if (student.name == working.name && student.firstName == working.firstName) {
      namesakes.push_back(j);
    }
  }
  return namesakes;
}

// Puts one block into the class. The first block of some names goes to every
// student of those names; a later block of the same names goes to the next
// of them only, so that namesakes exported together come back each with
// their own marks, and one more block than there are namesakes is a student
// to create. `blocksSeen` counts the blocks read so far for each student's
// names, on the first student that bears them. A block that does not fit the
// class's grade columns changes nothing.
void ImportBlock(ClassRecord& record, const StudentRecord& working,
                 std::vector<std::size_t>& blocksSeen, platform::MessageService& messages) {
  const PerCategory<std::vector<float>> marks = MarksByCategory(working);
  const std::vector<std::size_t> namesakes = Namesakes(record, working);
  blocksSeen.resize(record.students.size());
  std::vector<std::size_t> targets;
  if (!namesakes.empty()) {
    const std::size_t seen = blocksSeen[namesakes.front()]++;
    if (seen == 0) {
      targets = namesakes;
    } else if (seen < namesakes.size()) {
      targets = {namesakes[seen]};
    }
  }
  if (targets.empty() && !messages.AskYesNo(NotFoundQuestion(working), "Attention")) {
    return;
  }
  if (!CountsMatch(record, marks)) {
    messages.Inform(kMarkCountMismatch, "Erreur", MessageIcon::Stop);
    return;
  }
  for (std::size_t j : targets) {
    StudentRecord& student = record.students[j];
    student.grades = PlaceMarks(record, marks, &student);
  }
  if (!targets.empty()) {
    return;
  }
  StudentRecord created;
  created.name = working.name;
  created.firstName = working.firstName;
  created.grades = PlaceMarks(record, marks, nullptr);
  if (AppendStudent(record, std::move(created)) == AppendResult::LimitReached) {
    messages.Inform(StudentLimitText(record, working), "Attention", MessageIcon::Exclamation);
  } else if (namesakes.empty()) {
    blocksSeen.push_back(1);
  }
}

}  // namespace

bool ReadStudentBlock(StudentRecord& working, const std::string& studentLine,
                      CsvLineReader& reader) {
  // The keyword, the last name, the first name and the class.
  FieldReader fields(studentLine, ";,", true);
  std::string keyword, name, firstName, className;
  if (!fields.Next(keyword) || !fields.Next(name) || !fields.Next(firstName) ||
      !fields.Next(className)) {
    return false;
  }
  working.name = name;
  working.firstName = firstName;
  std::string line;
  while (reader.Next(line)) {
    const LineKind kind = Classify(line);
    if (kind.kind == LineKind::Kind::Student) {
      reader.PushBack(std::move(line));
      break;
    }
    if (kind.kind == LineKind::Kind::Section) {
      ReadSection(line, kind.category, working);
    }
  }
  return true;
}

ImportOutcome RunImport(ImportHost& host, const std::string& path, int classPosition) {
  platform::MessageService& messages = host.Messages();
  if (host.GetGradebook().classes.empty()) {
    messages.Inform("Il n'y a aucune classe dans la base de données", "Attention",
                    MessageIcon::Exclamation);
    return ImportOutcome::NothingSelected;
  }
  const ClassRecord* selected = ClassAt(host.GetGradebook(), classPosition);
  if (selected == nullptr) {
    messages.Inform("Sélectionner une classe, s'il vous plaît", "Attention",
                    MessageIcon::Exclamation);
    return ImportOutcome::NothingSelected;
  }
  if (!ColumnsFitCounts(*selected)) {
    messages.Inform(
        "Les colonnes de notes de cette classe sont incohérentes :\nimportation "
        "impossible",
        "Erreur", MessageIcon::Stop);
    return ImportOutcome::Inconsistent;
  }
  platform::OpenedInput opened;
  if (!path.empty()) {
    opened = host.Files().OpenForReading(path);
  }
  if (opened.status != platform::OpenStatus::Opened) {
    messages.Inform("Erreur à l'ouverture du document", "Erreur", MessageIcon::Stop);
    return ImportOutcome::NotOpened;
  }
  if (!host.BeforeChange()) {
    return ImportOutcome::Stopped;
  }
  // Looked up again: the hook may have reached the gradebook.
  ClassRecord* record = ClassAt(host.GetGradebook(), classPosition);
  if (record == nullptr || !ColumnsFitCounts(*record)) {
    return ImportOutcome::Stopped;
  }

  CsvLineReader reader(*opened.file);
  std::vector<std::size_t> blocksSeen;
  std::string line;
  while (reader.Next(line)) {
    if (Classify(line).kind != LineKind::Kind::Student) {
      continue;
    }
    StudentRecord working;
    if (!ReadStudentBlock(working, line, reader)) {
      messages.Inform("Erreur à la lecture d'un élève", "Erreur", MessageIcon::Stop);
      continue;
    }
    ImportBlock(*record, working, blocksSeen, messages);
  }

  RecomputeClass(*record);
  const bool saved = host.SaveDatabase();
  // After a failed save, reading the file back drops what it could not keep.
  host.LoadDatabase();
  host.RebuildTree();
  if (!saved) {
    return ImportOutcome::NotSaved;
  }
  messages.Inform("Données importées", "C'est fini!", MessageIcon::Exclamation);
  return ImportOutcome::Imported;
}

}  // namespace vellanor::exchange
