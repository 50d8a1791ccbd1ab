#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/records.h"

namespace vellanor::platform {
class FileStore;
class MessageService;
}  // namespace vellanor::platform

namespace vellanor::exchange {

// The marks of a class, or of one of its students, as a spreadsheet reads
// them: Windows-1252 bytes, ";" between fields, "." as decimal point, CR LF
// between lines. Every student block begins with a line break (so the file
// begins with an empty line and does not end with a line break) and each
// data line ends with ";":
//
//   ELEVE;<last name>;<first name>;<class>;
//   Ecrit Trimestre 1;12.50;abs;          one line of three per category that
//   Coef Ecrit Trimestre 1;1.00;2.00;     has grade columns in the class, in
//   Moyenne Ecrit Trimestre 1;12.50;      the order written T1, oral T1, ...
//
// The marks and coefficients of a category follow the student's grade list;
// averages are printed as stored (an empty field for a category where the
// student holds no mark). Names holding ";", "," or a double quote
// are quoted as spreadsheets quote them; others are written as stored.

// Appends one student's block to `out`.
void ExportStudent(const ClassRecord& record, const StudentRecord& student, std::string& out);

enum class ExportScope { WholeClass, OneStudent };

// What a run exports: a class, and the one student when only one is asked for.
struct ExportSelection {
  const ClassRecord* record = nullptr;
  const StudentRecord* student = nullptr;  // nullptr: every student of the class
};

// Finds the class at `classPosition` (and, for one student, the student at
// `studentPosition`). When either finds nothing, says why in a message box
// and gives nothing: there is no class at all, the lists select none, or the
// class has no student to export.
std::optional<ExportSelection> SelectForExport(const Gradebook& book, int classPosition,
                                               ExportScope scope, int studentPosition,
                                               platform::MessageService& messages);

// Hands the export's bytes to `write` in pieces of about 64 KiB, so that a
// class of any size needs little memory. Stops and returns false as soon as
// `write` does.
bool WriteExport(const ExportSelection& selection,
                 const std::function<bool(std::string_view)>& write);

// The whole export of a selection in memory.
std::string ExportBytes(const ExportSelection& selection);

struct ExportRequest {
  std::string path;
  int classPosition = 0;
  ExportScope scope = ExportScope::WholeClass;
  int studentPosition = 0;  // in the class's student list, for OneStudent
};

// The file an export writes for the path the teacher gave: with ".csv" added
// when its name has no extension, as the file chooser adds it.
std::string ExportPath(const std::string& typed);

// The export run of the import/export window, to ExportPath(path): asks
// before replacing an existing file (No, the default, keeps it and exports
// nothing), writes the file beside its target and renames it into place,
// then says "Document créé". A file that cannot be created or written gives
// "Erreur à la création du document" and leaves any earlier file whole.
// Returns whether the document was created.
bool RunExport(const Gradebook& book, const ExportRequest& request, platform::FileStore& files,
               platform::MessageService& messages);

}  // namespace vellanor::exchange
