#include "exchange/csv/csv_export.h"

#include <array>
#include <filesystem>

#include "exchange/csv/csv_fields.h"
#include "model/format.h"
#include "model/gradebook.h"
#include "platform/file_store.h"
#include "platform/message_service.h"

namespace vellanor::exchange {
namespace {

using platform::MessageIcon;

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::array<std::string_view, 2> kKindWords = {"Ecrit", "Oral"};
constexpr std::size_t kPieceSize = 64 * 1024;

// The three labels of a category's lines: "Ecrit Trimestre 1",
// "Coef Ecrit Trimestre 1" and "Moyenne Ecrit Trimestre 1".
struct SectionLabels {
  std::string marks;
  std::string coefficients;
  std::string average;
};

const SectionLabels& LabelsOf(int category) {
  static const std::array<SectionLabels, kCategoryCount> labels = [] {
    std::array<SectionLabels, kCategoryCount> table;
    for (int index = 0; index < kCategoryCount; ++index) {
      const std::string label =
          std::string(kKindWords[static_cast<std::size_t>(CategoryKind(index))]) + " Trimestre " +
          std::to_string(CategoryTrimester(index));
      table[static_cast<std::size_t>(index)] = {label, "Coef " + label, "Moyenne " + label};
    }
    return table;
  }();
  return labels[static_cast<std::size_t>(category)];
}

void AppendField(std::string& out, std::string_view field) {
  out += field;
  out += ';';
}

// The category's marks and coefficients, in one pass over the student's
// marks; `coefficients` is scratch space kept from one call to the next.
void ExportCategory(const StudentRecord& student, int category, std::string& out,
                    std::string& coefficients) {
  const SectionLabels& labels = LabelsOf(category);
  out += kLineBreak;
  AppendField(out, labels.marks);
  coefficients.clear();
  coefficients += kLineBreak;
  AppendField(coefficients, labels.coefficients);
  bool anyMark = false;
  for (const GradeRecord& mark : student.grades) {
    if (mark.Category() == category) {
      anyMark = true;
      AppendField(out, FormatMark(mark.value));
      // A coefficient is a plain number: -1 is not an absence here.
      AppendField(coefficients, FormatAverage(mark.coefficient));
    }
  }
  out += coefficients;
  out += kLineBreak;
  AppendField(out, labels.average);
  // Without a mark there is no average: an empty cell, not a zero that reads
  // as one ("abs" stays for a student absent at every assessment).
  AppendField(out, anyMark ? FormatAverage(student.average[static_cast<std::size_t>(category)])
                           : std::string());
}

void Refuse(platform::MessageService& messages, const char* text) {
  messages.Inform(text, "Attention", MessageIcon::Exclamation);
}

}  // namespace

void ExportStudent(const ClassRecord& record, const StudentRecord& student, std::string& out) {
  out += kLineBreak;
  AppendField(out, "ELEVE");
  AppendField(out, QuoteField(student.name.View()));
  AppendField(out, QuoteField(student.firstName.View()));
  AppendField(out, QuoteField(record.name.View()));
  std::string coefficients;
  for (int category = 0; category < kCategoryCount; ++category) {
    if (record.gradeCount[static_cast<std::size_t>(category)] > 0) {
      ExportCategory(student, category, out, coefficients);
    }
  }
}

std::optional<ExportSelection> SelectForExport(const Gradebook& book, int classPosition,
                                               ExportScope scope, int studentPosition,
                                               platform::MessageService& messages) {
  if (book.classes.empty()) {
    Refuse(messages, "Il n'y a aucune classe dans la base de données");
    return std::nullopt;
  }
  ExportSelection selection;
  selection.record = ClassAt(book, classPosition);
  if (selection.record == nullptr) {
    Refuse(messages, "Sélectionner une classe, s'il vous plaît");
    return std::nullopt;
  }
  if (scope == ExportScope::OneStudent) {
    if (selection.record->students.empty()) {
      Refuse(messages, "Il n'y a aucun élève dans cette classe");
      return std::nullopt;
    }
    selection.student = StudentAt(*selection.record, studentPosition);
    if (selection.student == nullptr) {
      Refuse(messages, "Sélectionner un élève, s'il vous plaît");
      return std::nullopt;
    }
  }
  return selection;
}

bool WriteExport(const ExportSelection& selection,
                 const std::function<bool(std::string_view)>& write) {
  std::string piece;
  piece.reserve(kPieceSize + 4096);
  auto exportOne = [&](const StudentRecord& student) {
    ExportStudent(*selection.record, student, piece);
    if (piece.size() < kPieceSize) {
      return true;
    }
    const bool written = write(piece);
    piece.clear();
    return written;
  };
  if (selection.student != nullptr) {
    if (!exportOne(*selection.student)) {
      return false;
    }
  } else {
    for (const StudentRecord& student : selection.record->students) {
      if (!exportOne(student)) {
        return false;
      }
    }
  }
  return piece.empty() || write(piece);
}

std::string ExportBytes(const ExportSelection& selection) {
  std::string bytes;
  WriteExport(selection, [&bytes](std::string_view piece) {
    bytes += piece;
    return true;
  });
  return bytes;
}

std::string ExportPath(const std::string& typed) {
  if (typed.empty() || typed.back() == '/' || std::filesystem::path(typed).has_extension()) {
    return typed;
  }
  return typed + ".csv";
}

bool RunExport(const Gradebook& book, const ExportRequest& request, platform::FileStore& files,
               platform::MessageService& messages) {
  const std::optional<ExportSelection> selection = SelectForExport(
      book, request.classPosition, request.scope, request.studentPosition, messages);
  if (!selection) {
    return false;
  }
  const std::string path = ExportPath(request.path);
  if (!path.empty() && files.OpenForReading(path).status != platform::OpenStatus::Missing &&
      !messages.AskYesNo("Le document " + std::filesystem::path(path).filename().string() +
                             " existe déjà.\nVoulez-vous le remplacer ?",
                         "Attention")) {
    return false;
  }
  bool created = false;
  if (auto file = path.empty() ? nullptr : files.OpenForAtomicWriting(path)) {
    const bool written = WriteExport(*selection, [&file](std::string_view piece) {
      return file->Write(piece.data(), piece.size()) == piece.size();
    });
    // Without a successful commit the new content is dropped and an earlier
    // file of that name stays as it was.
    created = written && file->Commit();
  }
  if (!created) {
    messages.Inform("Erreur à la création du document", "Erreur", MessageIcon::Stop);
    return false;
  }
  messages.Inform("Document créé", "C'est fini!", MessageIcon::Exclamation);
  return true;
}

}  // namespace vellanor::exchange
