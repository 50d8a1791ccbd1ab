#pragma once

#include <string>
#include <string_view>

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

// Saves or prints one merged document and says how it went in a message box.
//   - Save: writes "<directory>/<name>_YYYYMMDD.rtf" (today's date), then
//     "Document créé"; an existing file of that name is replaced.
//   - Print: writes "../ToPrint/<name>_HHHHMMSS.tmp" (the hour printed with
//     four digits), hands its full path to the word processor (LibreOffice,
//     or write.exe on Windows) as a program argument, then "Impression
//     lancée"; when no word processor can be started, a message says so.
//     The file is removed once the word processor has ended. When the system
//     has no printer the file is written and kept, nothing is started and
//     nothing is said: the caller says NoPrinterMessage() once beforehand.
// The name becomes a file name through DocumentFileName. A file that cannot
// be created or fully written is reported as an error and leaves any
// earlier file of that name as it was. Returns true when the document was
// written (and, in print mode, handed over).
// The full path of the print folder, as the teacher would look for it.
std::string PrintFolderPath();

// "Aucune imprimante n'est installée.\nLes documents sont dans <folder>."
std::string NoPrinterMessage();

bool WriteDocument(platform::Services& services, std::string_view merged, std::string_view name,
                   const DocumentTarget& target);

}  // namespace vellanor
