#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "document/edited_gradebook.h"
#include "model/records.h"

namespace vellanor::platform {
class FileStore;
class MessageService;
}  // namespace vellanor::platform

namespace vellanor::exchange {

class CsvLineReader;

// Reading marks back from a CSV file (the export's, or one a spreadsheet
// saved). A line whose first field begins with "ELEVE" starts a student
// block; its fields, separated by ";" or ",", are by position the keyword, the
// last name, the first name and the class, any of them may be empty. A line
// whose first field is "Ecrit Trimestre 1" ... "Oral Trimestre 3" holds marks
// of that category, separated by ";" only: "abs" (any case, "absent" too) or
// an empty field is an absence, any other field the number it begins with
// ("12,5" is 12.5); empty fields past the class's columns of the category
// (a spreadsheet's padding) are dropped. Keywords are read in any case,
// fields may be quoted, every other line is ignored.

// One student block as read, before it meets a class: texts in
// Windows-1252, names not yet cut to their fields' width.
struct CsvBlock {
  std::string name;
  std::string firstName;
  std::string className;
  // The mark fields of each category, in file order, up to the last one that
  // is not empty; the empty fields that end the category's last line are
  // only counted.
  PerCategory<std::vector<std::string>> marks;
  PerCategory<std::size_t> trailingEmpty{};
  // A category with more marks than any class can have columns.
  PerCategory<bool> overflow{};
};

// Reads the block that `studentLine` begins into `block`, and the lines that
// follow it up to the next student line, which the reader gives back.
// Returns false when the student line has fewer than four fields.
bool ReadStudentBlock(CsvBlock& block, const std::string& studentLine, CsvLineReader& reader);

// How the question begins that a file of another class asks before its
// marks go into the class chosen.
inline constexpr char kOtherClassQuestion[] = "Ce fichier contient les notes de la classe";

enum class ImportOutcome {
  Imported,         // marks changed and the gradebook saved: "Données importées :..."
  NothingImported,  // nothing to change: "Aucune note importée." and why; nothing saved
  NothingSelected,  // no class to import into; said so
  NotOpened,        // missing, unreadable or not a regular file; said so
  NotCsv,           // a zip archive, UTF-16 or binary bytes; said so
  ReadFailed,       // "Erreur à la lecture du document"
  Declined,         // the file is another class's and the teacher said No
  Inconsistent,     // the class's grade columns do not fit its counts; said so
  Stopped,          // beforeChange said no
  NotSaved,         // the save failed (and said so); the gradebook is what the file holds
};

// The import run of the import/export window, into the class at
// `classPosition`. The whole file is read and checked first (a read error,
// or bytes that are not CSV text, stop it before any question), and every
// question is asked before anything changes: once whether to go on when the
// student lines name another class, and for each unknown student whether to
// create it ("Oui pour tous" / "Non pour tous" when several may be asked).
// Every student of the class with the block's names (all of them, when
// several have them) gets the block's marks, but a second block of the same
// names goes to the second of them only, and so on. The marks of a section
// go, in order, to the class's grade columns of that section's category,
// each taking its column's kind, trimester and coefficient; a block whose
// number of marks in some category differs from the class's columns of that
// category, or that holds a mark no 32-bit float can store, is refused with
// a message, uses up no student and changes nothing. When something changes,
// `beforeChange` is called (a false stops the import with nothing changed),
// the class recomputed, the change committed ("import des notes de la classe
// <c>", undoable) and the counts said; otherwise "Aucune note importée."
// says why and nothing is written. The gradebook, messages and files are the
// owner's: the document in the program, one over bytes in memory for a preview.
ImportOutcome RunImport(EditedGradebook& owner, const std::string& path, int classPosition,
                        const std::function<bool()>& beforeChange = {});

}  // namespace vellanor::exchange
