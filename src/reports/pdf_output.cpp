#include "reports/pdf_output.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "platform/file_store.h"
#include "platform/process_runner.h"
#include "reports/merge/document_names.h"
#include "reports/private_folder.h"

namespace vellanor {
namespace {

namespace fs = std::filesystem;
using Outcome = platform::ProcessResult::Outcome;

bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// The whole of a file LibreOffice wrote; nothing when it cannot be read to
// its end, so that a PDF cut short by a failing disk is never put in place.
std::optional<std::string> ReadConverted(platform::FileStore& files, const std::string& path) {
  const platform::OpenedInput input = files.OpenForReading(path);
  if (input.status != platform::OpenStatus::Opened || input.file == nullptr) {
    return std::nullopt;
  }
  std::string bytes;
  if (platform::ReadWhole(*input.file, bytes) != platform::WholeRead::Read) {
    return std::nullopt;
  }
  return bytes;
}

// The last lines LibreOffice wrote, enough to say what went wrong.
std::string Tail(const std::string& output) {
  constexpr std::size_t kLongest = 600;
  std::string text = output;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  if (text.size() > kLongest) {
    text = "…" + text.substr(text.size() - kLongest);
  }
  return text.empty() ? text : "\n" + text;
}

bool IsNonEmptyFile(const std::string& path) {
  std::error_code failed;
  return fs::is_regular_file(path, failed) && fs::file_size(path, failed) > 0 && !failed;
}

PdfOutcome Failed(std::string error) {
  PdfOutcome outcome;
  outcome.status = PdfOutcome::Status::kFailed;
  outcome.error = std::move(error);
  return outcome;
}

}  // namespace

std::vector<std::string> ConversionArguments(const std::string& profileFolder,
                                             const std::string& outputFolder,
                                             const std::vector<std::string>& inputs) {
  std::vector<std::string> arguments = {"-env:UserInstallation=" + FileUrl(profileFolder),
                                        "--headless",
                                        "--norestore",
                                        "--convert-to",
                                        "pdf",
                                        "--outdir",
                                        outputFolder};
  arguments.insert(arguments.end(), inputs.begin(), inputs.end());
  return arguments;
}

std::optional<std::string> JoinPdfFiles(const std::vector<std::string>& paths, std::string& error) {
  try {
    QPDF joined;
    joined.emptyPDF();
    QPDFPageDocumentHelper pages(joined);
    // The pages are copied when the joined file is written: their files
    // stay open until then.
    std::vector<std::unique_ptr<QPDF>> sources;
    for (const std::string& path : paths) {
      auto source = std::make_unique<QPDF>();
      source->setSuppressWarnings(true);
      source->processFile(path.c_str());
      for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*source).getAllPages()) {
        pages.addPage(page, false);
      }
      sources.push_back(std::move(source));
    }
    QPDFWriter writer(joined);
    writer.setOutputMemory();
    writer.write();
    const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  } catch (const std::exception& failure) {
    error = failure.what();
    return std::nullopt;
  }
}

std::string PdfFileName(std::string_view name, std::chrono::year_month_day date) {
  return StampedFileName(name, static_cast<int>(date.year()),
                         static_cast<int>(static_cast<unsigned>(date.month())),
                         static_cast<int>(static_cast<unsigned>(date.day())), "pdf");
}

PdfOutcome WritePdfDocuments(platform::ProcessRunner& runner, platform::FileStore& files,
                             const std::vector<PdfDocument>& documents, const PdfRequest& request) {
  const int total = static_cast<int>(documents.size());
  if (total == 0) {
    return {PdfOutcome::Status::kDone, 0, {}};
  }
  if (request.soffice.empty()) {
    return Failed("LibreOffice n'est pas installé.");
  }
  const PrivateFolder folder("vellanor-pdf-");
  if (folder.Path().empty()) {
    return Failed("Impossible de créer un dossier temporaire.");
  }
  const std::string inputFolder = folder.Path() + "/rtf";
  const std::string outputFolder = folder.Path() + "/pdf";
  std::error_code failed;
  fs::create_directory(inputFolder, failed);
  fs::create_directory(outputFolder, failed);

  // Numbered names: LibreOffice converts in this order, and neither a
  // student's name nor its accents ever reach its command line.
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;
  for (int i = 0; i < total; ++i) {
    char stem[16];
    std::snprintf(stem, sizeof stem, "%04d", i + 1);
    inputs.push_back(inputFolder + "/" + stem + ".rtf");
    outputs.push_back(outputFolder + "/" + stem + ".pdf");
    if (!WriteWhole(inputs.back(), documents[static_cast<std::size_t>(i)].rtf)) {
      return Failed("Impossible d'écrire dans le dossier temporaire.");
    }
  }

  // A document is done once the next one's PDF appears (LibreOffice takes
  // them one after the other), or when LibreOffice has ended.
  int appeared = 0;
  long long lastChange = 0;
  bool cancelled = false;
  int stopAt = total;  // stop once this many are done
  bool timedOut = false;
  const auto watch = [&](long long elapsedMs) {
    while (appeared < total && fs::exists(outputs[static_cast<std::size_t>(appeared)], failed)) {
      ++appeared;
      lastChange = elapsedMs;
    }
    const int done = appeared > 0 ? appeared - 1 : 0;
    if (!cancelled && request.progress && !request.progress(done, total)) {
      cancelled = true;
      // The document in hand is finished before stopping.
      stopAt = appeared;
    }
    if (cancelled && done >= stopAt) {
      return false;
    }
    if (elapsedMs - lastChange > request.timeout.count()) {
      timedOut = true;
      return false;
    }
    return true;
  };
  const platform::ProcessResult result = runner.Run(
      request.soffice, ConversionArguments(folder.Path() + "/profil", outputFolder, inputs), watch);

  // A stop asked for just as LibreOffice ended came too late to stop anything.
  cancelled = cancelled && result.outcome == Outcome::kStopped;
  int converted = 0;
  switch (result.outcome) {
    case Outcome::kNotStarted:
      return Failed("LibreOffice n'a pas pu être lancé." + Tail(result.output));
    case Outcome::kCrashed:
      return Failed("LibreOffice s'est arrêté brutalement." + Tail(result.output));
    case Outcome::kStopped:
      if (timedOut) {
        return Failed("LibreOffice n'a pas répondu dans le temps accordé (" +
                      std::to_string((request.timeout.count() + 999) / 1000) + " s par document).");
      }
      // Those before the last to appear are whole; that one was cut short.
      converted = appeared > 0 ? appeared - 1 : 0;
      if (converted > stopAt) {
        converted = stopAt;
      }
      break;
    case Outcome::kFinished:
      if (result.exitCode != 0) {
        return Failed("LibreOffice a échoué (code " + std::to_string(result.exitCode) + ")." +
                      Tail(result.output));
      }
      converted = total;
      break;
  }
  for (int i = 0; i < converted; ++i) {
    if (!IsNonEmptyFile(outputs[static_cast<std::size_t>(i)])) {
      return Failed("LibreOffice n'a pas produit le document « " +
                    documents[static_cast<std::size_t>(i)].fileName + " »." + Tail(result.output));
    }
  }
  if (request.progress) {
    request.progress(converted, total);
  }

  PdfOutcome outcome;
  outcome.status = cancelled ? PdfOutcome::Status::kCancelled : PdfOutcome::Status::kDone;
  if (!request.joinedName.empty()) {
    // Part of a class in a file named after the whole class would be taken
    // for all of it.
    if (cancelled) {
      return outcome;
    }
    std::string error;
    const std::optional<std::string> joined = JoinPdfFiles(outputs, error);
    if (!joined) {
      return Failed("Les documents n'ont pas pu être réunis : " + error);
    }
    const std::string path = JoinPath(request.directory, request.joinedName);
    if (!platform::WriteWholeFile(files, path, *joined)) {
      return Failed("Impossible d'écrire le fichier " + path + ".");
    }
    outcome.written = 1;
    return outcome;
  }
  for (int i = 0; i < converted; ++i) {
    const std::optional<std::string> bytes =
        ReadConverted(files, outputs[static_cast<std::size_t>(i)]);
    const std::string path =
        JoinPath(request.directory, documents[static_cast<std::size_t>(i)].fileName);
    if (!bytes || !platform::WriteWholeFile(files, path, *bytes)) {
      PdfOutcome failure = Failed("Impossible d'écrire le fichier " + path + ".");
      failure.written = outcome.written;
      return failure;
    }
    ++outcome.written;
  }
  return outcome;
}

}  // namespace vellanor
