#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"

namespace vellanor {

// Where the documents of a production go: saved into `directory` (UTF-8),
// or printed.
struct DocumentTarget {
  bool print = false;
  std::string directory;
};

// The folder of the documents waiting to be printed, beside the data folder.
inline constexpr char kPrintFolder[] = "../ToPrint";

// The full path of the print folder, as the teacher would look for it.
std::string PrintFolderPath();

// "Aucune imprimante n'est installée.\nLes documents sont dans <folder>."
std::string NoPrinterMessage();

// The documents of one print production. Each is written as
// "../ToPrint/<name>_HHHHMMSS.tmp" (the hour with four digits; the name made
// a file name through DocumentFileName); Start then hands them all to one
// LibreOffice, with a profile of its own, as program arguments (on Windows,
// one write.exe per file), and says "Impression lancée". Once LibreOffice
// has ended with success the files and the profile are removed; when it
// failed the files stay for the teacher to print by hand and nothing more is
// said. When no word processor can be started a message says so and the
// files stay. When the system has no printer (`hasPrinter`, asked once by
// the caller, who also says NoPrinterMessage()) the files are written and
// kept, nothing is started and nothing is said.
class PrintJob {
 public:
  PrintJob(platform::Services& services, bool hasPrinter);
  // Writes one document into the print folder; false, and said, when it
  // cannot be created or fully written.
  bool Add(std::string_view merged, std::string_view name);
  // Prints the documents added; true when there was nothing to start or
  // the word processor started.
  bool Start();

 private:
  platform::Services& services_;
  bool hasPrinter_;
  std::vector<std::string> paths_;  // full paths of the documents written
};

// Saves or prints one merged document and says how it went in a message box.
//   - Save: writes "<directory>/<name>_YYYYMMDD.rtf" (today's date), then
//     "Document créé"; an existing file of that name is replaced. A file
//     that cannot be created or fully written is reported as an error and
//     leaves any earlier file of that name as it was.
//   - Print: a PrintJob of this document alone.
// Returns true when the document was written (and, in print mode, handed
// over).
bool WriteDocument(platform::Services& services, std::string_view merged, std::string_view name,
                   const DocumentTarget& target);

}  // namespace vellanor
