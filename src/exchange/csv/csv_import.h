#pragma once

#include <string>

#include "model/records.h"

namespace vellanor::platform {
class FileStore;
class MessageService;
}  // namespace vellanor::platform

namespace vellanor::exchange {

class CsvLineReader;

// Reading marks back from a CSV file (the export's, or one a spreadsheet
// saved). A line whose first field begins with "ELEVE" starts a student
// block: last name, first name and class (not used), separated by ";" or ",",
// empty fields skipped. A line whose first field is "Ecrit Trimestre 1" ...
// "Oral Trimestre 3" holds marks of that category, separated by ";" only,
// empty fields skipped: "abs" (any case, "absent" too) is an absence, any
// other field the number it begins with ("12,5" is 12.5). Keywords are read
// in any case, fields may be quoted, every other line is ignored.

// Reads the block that `studentLine` begins into `working`: its names (cut to
// the fields' width) and one mark per mark field of its section lines, in
// file order, with the section's kind and trimester, coefficient 0 and an
// empty information text. Stops before the next student line, which the
// reader gives back. Returns false when the student line lacks the last name,
// the first name or the class.
bool ReadStudentBlock(StudentRecord& working, const std::string& studentLine,
                      CsvLineReader& reader);

// What an import needs of the program around it: the gradebook, messages,
// files, and the steps that follow the reading. The main window provides them
// (exchange/main_window_exchange.h); vellanor-inspect gives an in-memory
// stand-in that writes nothing.
class ImportHost {
 public:
  virtual ~ImportHost() = default;
  virtual Gradebook& GetGradebook() = 0;
  virtual platform::MessageService& Messages() = 0;
  virtual platform::FileStore& Files() = 0;

  // Called once, after the file was read and before the gradebook changes; a
  // false stops the import with nothing changed and nothing saved.
  virtual bool BeforeChange() { return true; }

  // Writes the whole gradebook / reads it back / refreshes the tree. The
  // first two report their own failures and return false.
  virtual bool SaveDatabase() = 0;
  virtual bool LoadDatabase() = 0;
  virtual void RebuildTree() = 0;
};

enum class ImportOutcome {
  Imported,         // the file was read and the gradebook saved: "Données importées"
  NothingSelected,  // no class to import into; said so
  NotOpened,        // "Erreur à l'ouverture du document"
  Inconsistent,     // the class's grade columns do not fit its counts; said so
  Stopped,          // BeforeChange said no
  NotSaved,         // the save failed (and said so); the file was read back
};

// The import run of the import/export window, into the class at
// `classPosition`. Every student of the class with the block's names (all of
// them, when several have them) gets the block's marks, but a second block of
// the same names goes to the second of them only, and so on; an unknown
// student is created after a Yes to the question. The marks of a section go, in
// order, to the class's grade columns of that section's category, each taking
// its column's kind, trimester and coefficient; a block whose number of marks
// in some category differs from the class's columns of that category is
// refused with a message and changes nothing. Then the class is recomputed,
// the gradebook saved and read back, the tree rebuilt, and "Données
// importées" said, even when no block was imported.
ImportOutcome RunImport(ImportHost& host, const std::string& path, int classPosition);

}  // namespace vellanor::exchange
