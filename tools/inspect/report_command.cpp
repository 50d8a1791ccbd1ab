#include "report_command.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>

#include <QGuiApplication>

#include "command_line.h"
#include "database_file.h"
#include "model/cp1252.h"
#include "model/gradebook.h"
#include "platform/file_store.h"
#include "platform/process_runner.h"
#include "reports/chart_picture.h"
#include "reports/merge/document_names.h"
#include "reports/merge/template_merge.h"
#include "reports/merge/template_reader.h"
#include "reports/pdf_output.h"

namespace vellanor::inspect {
namespace {

struct ReportRequest {
  std::string templatePath;
  int classPosition = -1;
  int studentPosition = -1;  // -1: the class's own document
  bool allStudents = false;
  bool charts = false;
  std::string pdfPath;  // set: a PDF file instead of the RTF on standard output
  std::string databasePath;
};

// TEMPLATE first, FILE last, the options in any order between them.
std::optional<ReportRequest> ParseRequest(const std::vector<std::string>& args) {
  if (args.size() < 4) {
    return std::nullopt;
  }
  ReportRequest request;
  request.templatePath = args.front();
  request.databasePath = args.back();
  for (std::size_t i = 1; i + 1 < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--charts") {
      request.charts = true;
      continue;
    }
    if (option == "--all-students") {
      request.allStudents = true;
      continue;
    }
    if (option == "--pdf" && i + 2 < args.size()) {
      request.pdfPath = args[++i];
      continue;
    }
    if ((option != "--class" && option != "--student") || i + 2 >= args.size()) {
      return std::nullopt;
    }
    const std::optional<int> position = ReadPosition(args[++i]);
    if (!position) {
      return std::nullopt;
    }
    (option == "--class" ? request.classPosition : request.studentPosition) = *position;
  }
  if (request.classPosition < 0 || request.templatePath.empty() || request.databasePath.empty()) {
    return std::nullopt;
  }
  // All the students make one document only as a PDF.
  if (request.allStudents && (request.studentPosition >= 0 || request.pdfPath.empty())) {
    return std::nullopt;
  }
  return request;
}

// Charts are drawn with Qt's painter, which needs an application object;
// the tool never shows a window, so it draws off screen unless told otherwise.
std::unique_ptr<QGuiApplication> DrawingApplication() {
  if (QCoreApplication::instance() != nullptr) {
    return nullptr;
  }
  // Qt's notes about the desktop session are no concern of a drawing-only
  // tool and would clutter its standard error.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      std::fprintf(stderr, "vellanor-inspect: %s\n", qPrintable(message));
    }
  });
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  static int argc = 1;
  static char name[] = "vellanor-inspect";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// The documents, converted by LibreOffice, one after the other in `path`.
int WritePdf(const std::vector<PdfDocument>& documents, const std::string& path,
             std::ostream& err) {
  if (documents.empty()) {
    err << "vellanor-inspect: the class has no student\n";
    return kExitRefused;
  }
  platform::QtProcessRunner runner;
  platform::QtFileStore files;
  const std::filesystem::path target(path);
  PdfRequest request;
  request.soffice = runner.FindProgram("soffice");
  request.directory = target.has_parent_path() ? target.parent_path().string() : ".";
  request.joinedName = target.filename().string();
  const PdfOutcome outcome = WritePdfDocuments(runner, files, documents, request);
  if (outcome.status != PdfOutcome::Status::kDone) {
    err << "Erreur à la création du document\n" << outcome.error << "\n";
    return kExitRefused;
  }
  return kExitOk;
}

}  // namespace

int ReportFile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<ReportRequest> request = ParseRequest(args);
  if (!request) {
    err << "Usage: vellanor-inspect --report TEMPLATE --class I [--student J] [--charts] FILE\n"
           "       vellanor-inspect --report TEMPLATE --class I (--student J | --all-students)"
           " [--charts] --pdf OUT.pdf FILE\n";
    return kExitUsage;
  }
  Gradebook book;
  if (!ReadOrReport(request->databasePath, book, err)) {
    return kExitRefused;
  }
  const ClassRecord* record = ClassOrComplain(book, request->classPosition, err);
  if (record == nullptr) {
    return kExitRefused;
  }
  const StudentRecord* student = nullptr;
  if (request->studentPosition >= 0) {
    student = StudentOrComplain(*record, request->classPosition, request->studentPosition, err);
    if (student == nullptr) {
      return kExitRefused;
    }
  }
  // The program's own reader: a folder, a device or a FIFO is refused at
  // once, and a template larger than any document is not read to the end.
  platform::QtFileStore files;
  const TemplateFile read = ReadTemplateFile(files, request->templatePath);
  if (!read.text) {
    err << read.error << "\n";
    return kExitRefused;
  }
  const std::optional<std::string>& templateText = read.text;
  const auto application =
      request->charts || !request->pdfPath.empty() ? DrawingApplication() : nullptr;
  const ChartMaker charts = request->charts ? ChartMaker(AppendChartPicture) : ChartMaker();
  std::vector<const StudentRecord*> students = {student};
  if (request->allStudents) {
    students.clear();
    for (const StudentRecord& each : record->students) {
      students.push_back(&each);
    }
  }
  // Named as the reports window names them, so that a message about one of
  // them names it too.
  const std::vector<std::string> names = StudentDocumentNames(*record);
  const auto nameOf = [&](const StudentRecord* each) {
    const std::string name =
        each == nullptr ? std::string(record->name.Str())
                        : names[static_cast<std::size_t>(each - record->students.data())];
    return Cp1252ToUtf8(name);
  };
  std::vector<PdfDocument> documents;
  try {
    for (const StudentRecord* each : students) {
      documents.push_back({MergeTemplate(*templateText, *record, each, each == nullptr, charts),
                           nameOf(each)});
    }
  } catch (const std::exception&) {
    err << "vellanor-inspect: the document would be too large\n";
    return kExitRefused;
  }
  if (!request->pdfPath.empty()) {
    return WritePdf(documents, request->pdfPath, err);
  }
  const std::string& merged = documents.front().rtf;
  out.write(merged.data(), static_cast<std::streamsize>(merged.size()));
  out.flush();
  return out ? kExitOk : kExitRefused;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommandLine(args, out, err, ReportFile);
}

}  // namespace vellanor::inspect
