#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellanor {

namespace platform {
class FileStore;
class ProcessRunner;
}  // namespace platform

// One document of a PDF production: the RTF the merge made and the name of
// its PDF file (UTF-8, no folder).
struct PdfDocument {
  std::string rtf;
  std::string fileName;
};

struct PdfRequest {
  std::string soffice;    // LibreOffice's program, as FindProgram gave it
  std::string directory;  // where the PDF files go (UTF-8)
  // When set, every document goes, in order, into this one file of the
  // directory instead of a file each.
  std::string joinedName;
  // How long LibreOffice may take over one document (the first also starts
  // LibreOffice) before it is stopped and the production fails.
  std::chrono::milliseconds timeout{60000};
  // Told how many documents are converted out of all, about ten times a
  // second; returning false stops after the document in hand.
  std::function<bool(int done, int total)> progress;
};

struct PdfOutcome {
  enum class Status { kDone, kCancelled, kFailed };
  Status status = Status::kFailed;
  int written = 0;    // PDF files put in place
  std::string error;  // why it failed, in French, to follow "Erreur à la création du document"
};

// Converts the documents with one run of LibreOffice in a private folder,
// then puts each PDF (or the joined one) in place atomically. A failure or
// a time-out puts nothing in place; a cancelled production puts in place the
// documents converted before it, or nothing when they were to be joined.
PdfOutcome WritePdfDocuments(platform::ProcessRunner& runner, platform::FileStore& files,
                             const std::vector<PdfDocument>& documents, const PdfRequest& request);

// LibreOffice's arguments: its own profile in `profileFolder`, never the
// teacher's (a running LibreOffice would take the work and ignore us), and
// the PDF of each input written into `outputFolder` under the input's stem.
std::vector<std::string> ConversionArguments(const std::string& profileFolder,
                                             const std::string& outputFolder,
                                             const std::vector<std::string>& inputs);

// The PDF files' pages one after the other in one PDF; nullopt, with the
// reason in `error`, when a file cannot be read as a PDF.
std::optional<std::string> JoinPdfFiles(const std::vector<std::string>& paths, std::string& error);

// "<name>_YYYYMMDD.pdf" for a UTF-8 name, its path separators and the
// characters Windows forbids made "_" as in every document's name.
std::string PdfFileName(std::string_view name, std::chrono::year_month_day date);

}  // namespace vellanor
