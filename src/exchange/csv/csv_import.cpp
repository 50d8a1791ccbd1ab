#include "exchange/csv/csv_import.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/csv/csv_fields.h"
#include "exchange/csv/csv_line_reader.h"
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

// The largest file read: far beyond the export of the largest class.
constexpr std::size_t kLargestFile = std::size_t{256} << 20;

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

void ReadSection(const std::string& line, int category, CsvBlock& block) {
  const auto c = static_cast<std::size_t>(category);
  std::vector<std::string>& marks = block.marks[c];
  std::size_t& pending = block.trailingEmpty[c];
  pending = 0;  // an earlier line's padding
  FieldReader fields(line, ";");
  std::string field;
  fields.Next(field);  // the keyword
  while (fields.Next(field)) {
    if (field.empty()) {
      ++pending;
      continue;
    }
    if (marks.size() + pending >= kMarksKept) {
      block.overflow[c] = true;
      return;
    }
    marks.insert(marks.end(), pending, std::string());
    pending = 0;
    marks.push_back(std::move(field));
  }
  // The ";" that ends every line of an export closes the last cell: it
  // stands for no emptied cell, or an export taken before a column was
  // added would fill the new column with absences.
  if (pending > 0 && line.ends_with(';')) {
    --pending;
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

std::string CategoryLabel(int category) {
  return std::string(CategoryKind(category) == 0 ? "Ecrit" : "Oral") + " Trimestre " +
         std::to_string(CategoryTrimester(category));
}

std::string NamesOf(const StudentRecord& named) {
  return "<" + Cp1252ToUtf8(named.name.View()) + ", " + Cp1252ToUtf8(named.firstName.View()) + ">";
}

// A mark as a 32-bit float: an empty field or "abs..." is an absence;
// nothing when the number is past what a float holds (it would be stored as
// an infinity and make every average infinite).
std::optional<float> ReadMark(const std::string& field) {
  if (field.empty() || StartsWithNoCase(field, "ABS")) {
    return kAbsenceValue;
  }
  const double value = ReadLeadingNumber(field);
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

// The block's marks of each category, in file order, when they fit the
// class's grade columns; otherwise says why the block is refused.
std::optional<PerCategory<std::vector<float>>> MarksFor(const ClassRecord& record,
                                                        const CsvBlock& block,
                                                        const StudentRecord& named,
                                                        platform::MessageService& messages) {
  PerCategory<std::vector<float>> marks;
  for (int c = 0; c < kCategoryCount; ++c) {
    const auto index = static_cast<std::size_t>(c);
    const auto columns = static_cast<std::size_t>(record.gradeCount[index]);
    const std::vector<std::string>& fields = block.marks[index];
    std::size_t count = block.overflow[index] ? kMarksKept : fields.size();
    if (count < columns) {
      // Emptied cells at the end of the line stand for absences.
      count += std::min(block.trailingEmpty[index], columns - count);
    }
    if (count != columns) {
      messages.Inform("Le nombre de notes de l'élève " + NamesOf(named) + "\n(" + CategoryLabel(c) +
                          " : " + std::to_string(count) + ", la classe en a " +
                          std::to_string(columns) + ")\nne correspond pas à celui de la classe",
                      "Erreur", MessageIcon::Stop);
      return std::nullopt;
    }
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    const auto index = static_cast<std::size_t>(c);
    const auto columns = static_cast<std::size_t>(record.gradeCount[index]);
    for (const std::string& field : block.marks[index]) {
      const std::optional<float> mark = ReadMark(field);
      if (!mark) {
        constexpr std::size_t kShown = 50;
        const std::string shown = field.size() > kShown ? field.substr(0, kShown) + "..." : field;
        messages.Inform("La note " + Cp1252ToUtf8(shown) + " de l'élève " + NamesOf(named) +
                            " est trop grande :\nles notes de cet élève ne sont pas importées.",
                        "Erreur", MessageIcon::Stop);
        return std::nullopt;
      }
      marks[index].push_back(*mark);
    }
    marks[index].resize(columns, kAbsenceValue);
  }
  return marks;
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

std::string NotFoundQuestion(const StudentRecord& named) {
  return "L'élève " + NamesOf(named) +
         " n'a pas été retrouvé\n dans la classe sélectionnée.\nVoulez vous créer cet élève?";
}

std::string StudentLimitText(const ClassRecord& record, const StudentRecord& named) {
  return "Impossible de créer l'élève " + NamesOf(named) + ":\nla classe <" +
         Cp1252ToUtf8(record.name.View()) + "> compte déjà 32767 élèves.";
}

// The students of the class that bear the block's names.
std::vector<std::size_t> Namesakes(const ClassRecord& record, const StudentRecord& named) {
  std::vector<std::size_t> namesakes;
  for (std::size_t j = 0; j < record.students.size(); ++j) {
    const StudentRecord& student = record.students[j];
    if (student.name == named.name && student.firstName == named.firstName) {
      namesakes.push_back(j);
    }
  }
  return namesakes;
}

// The block's names as the records hold them (cut to the fields' width).
StudentRecord NamedAs(const CsvBlock& block) {
  StudentRecord named;
  named.name = block.name;
  named.firstName = block.firstName;
  return named;
}

// Whether the bytes are text a spreadsheet saved as CSV: not a zip archive
// (.xlsx, .ods), not UTF-16, no control bytes but tabs and line breaks.
bool LooksLikeCsvText(std::string_view bytes) {
  if (bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06") ||
      bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return false;
  }
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
  });
}

// The class's new state, worked out on a copy while the questions are asked,
// so that nothing changes before every answer is in.
class ImportPlan {
 public:
  ImportPlan(const ClassRecord& record, const std::vector<CsvBlock>& blocks,
             platform::MessageService& messages)
      : planned_(record), messages_(messages) {
    // How many times the file may ask to create a student: each block of
    // some names beyond the class's students of those names.
    std::map<std::pair<std::string, std::string>, std::size_t> blocksByNames;
    for (const CsvBlock& block : blocks) {
      const StudentRecord named = NamedAs(block);
      const auto key =
          std::make_pair(std::string(named.name.View()), std::string(named.firstName.View()));
      if (blocksByNames[key]++ >= Namesakes(record, named).size()) {
        ++possibleQuestions_;
      }
    }
  }

  void Add(const CsvBlock& block) {
    const StudentRecord named = NamedAs(block);
    const auto marks = MarksFor(planned_, block, named, messages_);
    if (!marks) {
      ++refused;
      return;
    }
    const std::vector<std::size_t> namesakes = Namesakes(planned_, named);
    blocksSeen_.resize(planned_.students.size());
    std::vector<std::size_t> targets;
    if (!namesakes.empty()) {
      const std::size_t seen = blocksSeen_[namesakes.front()]++;
      if (seen == 0) {
        targets = namesakes;
      } else if (seen < namesakes.size()) {
        targets = {namesakes[seen]};
      }
    }
    for (std::size_t j : targets) {
      StudentRecord& student = planned_.students[j];
      student.grades = PlaceMarks(planned_, *marks, &student);
    }
    if (!targets.empty()) {
      return;
    }
    if (planned_.students.size() >= static_cast<std::size_t>(kMaxCount)) {
      if (!limitSaid_) {
        messages_.Inform(StudentLimitText(planned_, named), "Attention", MessageIcon::Exclamation);
        limitSaid_ = true;
      }
      ++refused;
      return;
    }
    if (!MayCreate(named)) {
      ++refused;
      return;
    }
    StudentRecord created;
    created.name = named.name;
    created.firstName = named.firstName;
    created.grades = PlaceMarks(planned_, *marks, nullptr);
    if (AppendStudent(planned_, std::move(created)) != AppendResult::Done) {
      ++refused;  // the limit, checked above
      return;
    }
    if (namesakes.empty()) {
      blocksSeen_.push_back(1);
    }
  }

  ClassRecord& Planned() { return planned_; }
  int refused = 0;

 private:
  bool MayCreate(const StudentRecord& named) {
    if (answerForAll_) {
      return *answerForAll_;
    }
    const platform::MessageButtons buttons = possibleQuestions_ > 1
                                                 ? platform::MessageButtons::YesNoAll
                                                 : platform::MessageButtons::YesNo;
    switch (messages_.Show(NotFoundQuestion(named), "Attention", MessageIcon::Question, buttons)) {
      case platform::MessageAnswer::YesToAll:
        answerForAll_ = true;
        return true;
      case platform::MessageAnswer::NoToAll:
        answerForAll_ = false;
        return false;
      case platform::MessageAnswer::Yes:
        return true;
      default:
        return false;
    }
  }

  ClassRecord planned_;
  platform::MessageService& messages_;
  // Blocks read so far for each student's names, on the first student that
  // bears them.
  std::vector<std::size_t> blocksSeen_;
  std::size_t possibleQuestions_ = 0;
  std::optional<bool> answerForAll_;
  bool limitSaid_ = false;
};

// The first class other than `record` that a student line of the file
// names; an empty class field names none.
std::optional<std::string> OtherClassNamed(const std::vector<CsvBlock>& blocks,
                                           const ClassRecord& record) {
  for (const CsvBlock& block : blocks) {
    if (!block.className.empty() && block.className != record.name.View()) {
      return block.className;
    }
  }
  return std::nullopt;
}

void NothingImported(platform::MessageService& messages, const std::string& reason) {
  messages.Inform("Aucune note importée.\n" + reason, "Attention", MessageIcon::Exclamation);
}

}  // namespace

bool ReadStudentBlock(CsvBlock& block, const std::string& studentLine, CsvLineReader& reader) {
  // By position: the keyword, the last name, the first name and the class;
  // an empty field stays empty.
  FieldReader fields(studentLine, ";,");
  std::string keyword;
  if (!fields.Next(keyword) || !fields.Next(block.name) || !fields.Next(block.firstName) ||
      !fields.Next(block.className)) {
    return false;
  }
  std::string line;
  while (reader.Next(line)) {
    const LineKind kind = Classify(line);
    if (kind.kind == LineKind::Kind::Student) {
      reader.PushBack(std::move(line));
      break;
    }
    if (kind.kind == LineKind::Kind::Section) {
      ReadSection(line, kind.category, block);
    }
  }
  return true;
}

ImportOutcome RunImport(EditedGradebook& owner, const std::string& path, int classPosition,
                        const std::function<bool()>& beforeChange) {
  platform::MessageService& messages = owner.Messages();
  if (owner.Book().classes.empty()) {
    messages.Inform("Il n'y a aucune classe dans la base de données", "Attention",
                    MessageIcon::Exclamation);
    return ImportOutcome::NothingSelected;
  }
  const ClassRecord* selected = ClassAt(owner.Book(), classPosition);
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
    opened = owner.Files().OpenForReading(path);
  }
  if (opened.status == platform::OpenStatus::NotRegular) {
    messages.Inform(
        "Erreur à l'ouverture du document\n" + path + " n'est pas un fichier ordinaire.", "Erreur",
        MessageIcon::Stop);
    return ImportOutcome::NotOpened;
  }
  if (opened.status != platform::OpenStatus::Opened) {
    messages.Inform("Erreur à l'ouverture du document", "Erreur", MessageIcon::Stop);
    return ImportOutcome::NotOpened;
  }

  // The whole file first: a read that fails halfway must not import half.
  std::string bytes;
  const platform::WholeRead read = platform::ReadWhole(*opened.file, bytes, kLargestFile);
  opened.file.reset();
  if (read == platform::WholeRead::Failed) {
    messages.Inform("Erreur à la lecture du document", "Erreur", MessageIcon::Stop);
    return ImportOutcome::ReadFailed;
  }
  if (read == platform::WholeRead::TooLarge) {
    messages.Inform("Ce document est trop volumineux pour être un fichier de notes CSV.",
                    "Erreur", MessageIcon::Stop);
    return ImportOutcome::NotCsv;
  }
  if (!LooksLikeCsvText(bytes)) {
    messages.Inform(
        "Ce document n'est pas un fichier CSV.\nDans le tableur, enregistrez-le au format CSV "
        "(point-virgule).",
        "Erreur", MessageIcon::Stop);
    return ImportOutcome::NotCsv;
  }

  const CsvEncoding encoding = DecideEncoding(bytes);
  StringInput input(std::move(bytes));
  CsvLineReader reader(input, encoding);
  std::vector<CsvBlock> blocks;
  int unreadable = 0;
  std::string line;
  while (reader.Next(line)) {
    if (Classify(line).kind != LineKind::Kind::Student) {
      continue;
    }
    CsvBlock block;
    if (!ReadStudentBlock(block, line, reader)) {
      messages.Inform("Erreur à la lecture d'un élève", "Erreur", MessageIcon::Stop);
      ++unreadable;
      continue;
    }
    blocks.push_back(std::move(block));
  }
  if (blocks.empty() && unreadable == 0) {
    NothingImported(messages, "Le document ne contient aucun élève (ligne ELEVE).");
    return ImportOutcome::NothingImported;
  }

  if (const auto other = OtherClassNamed(blocks, *selected)) {
    if (!messages.AskYesNo(std::string(kOtherClassQuestion) + " <" + Cp1252ToUtf8(*other) +
                               ">, pas de <" + Cp1252ToUtf8(selected->name.View()) +
                               ">.\nImporter quand même ?",
                           "Attention")) {
      return ImportOutcome::Declined;
    }
  }

  const ClassRecord original = *selected;
  ImportPlan plan(original, blocks, messages);
  for (const CsvBlock& block : blocks) {
    plan.Add(block);
  }
  const int refused = plan.refused + unreadable;
  int updated = 0;
  for (std::size_t j = 0; j < original.students.size(); ++j) {
    if (!(plan.Planned().students[j].grades == original.students[j].grades)) {
      ++updated;
    }
  }
  const auto created = static_cast<int>(plan.Planned().students.size() - original.students.size());
  if (updated == 0 && created == 0) {
    NothingImported(messages, refused == static_cast<int>(blocks.size()) + unreadable
                                  ? "Tous les élèves du document ont été refusés."
                                  : "Les notes du document sont déjà celles de la classe.");
    return ImportOutcome::NothingImported;
  }

  if (beforeChange && !beforeChange()) {
    return ImportOutcome::Stopped;
  }
  // Looked up again: the hook may have reached the gradebook.
  ClassRecord* record = ClassAt(owner.Book(), classPosition);
  if (record == nullptr || !(*record == original)) {
    return ImportOutcome::Stopped;
  }
  *record = std::move(plan.Planned());
  // The commit recomputes the class; one that fails takes the gradebook back to what the file holds.
  const bool saved = owner.Commit(
      {ChangeKind::Import, classPosition, DescribeClassChange(ChangeKind::Import, *record)});
  if (!saved) {
    return ImportOutcome::NotSaved;
  }
  messages.Inform("Données importées :\n" + std::to_string(updated) + " élèves mis à jour, " +
                      std::to_string(created) + " créés, " + std::to_string(refused) + " refusés.",
                  "C'est fini!", MessageIcon::Exclamation);
  return ImportOutcome::Imported;
}

}  // namespace vellanor::exchange
