#include "report_command.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

#include <QGuiApplication>

#include "command_line.h"
#include "database_file.h"
#include "model/gradebook.h"
#include "platform/file_store.h"
#include "reports/chart_picture.h"
#include "reports/merge/template_merge.h"
#include "reports/merge/template_reader.h"

namespace vellanor::inspect {
namespace {

struct ReportRequest {
  std::string templatePath;
  int classPosition = -1;
  int studentPosition = -1;  // -1: the class's own document
  bool charts = false;
  std::string databasePath;
};

std::optional<int> ReadPosition(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

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

}  // namespace

int ReportFile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<ReportRequest> request = ParseRequest(args);
  if (!request) {
    err << "Usage: vellanor-inspect --report TEMPLATE --class I [--student J] [--charts] FILE\n";
    return kExitUsage;
  }
  Gradebook book;
  if (!ReadOrReport(request->databasePath, book, err)) {
    return kExitRefused;
  }
  const ClassRecord* record = ClassAt(book, request->classPosition);
  if (record == nullptr) {
    err << "vellanor-inspect: no class at position " << request->classPosition << " (the file has "
        << book.classes.size() << ")\n";
    return kExitRefused;
  }
  const StudentRecord* student = nullptr;
  if (request->studentPosition >= 0) {
    student = StudentAt(*record, request->studentPosition);
    if (student == nullptr) {
      err << "vellanor-inspect: no student at position " << request->studentPosition << " in class "
          << request->classPosition << " (it has " << record->students.size() << ")\n";
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
  const auto application = request->charts ? DrawingApplication() : nullptr;
  const ChartMaker charts = request->charts ? ChartMaker(AppendChartPicture) : ChartMaker();
  std::string merged;
  try {
    merged = MergeTemplate(*templateText, *record, student, student == nullptr, charts);
  } catch (const std::exception&) {
    err << "vellanor-inspect: the document would be too large\n";
    return kExitRefused;
  }
  out.write(merged.data(), static_cast<std::streamsize>(merged.size()));
  out.flush();
  return out ? kExitOk : kExitRefused;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommandLine(args, out, err, ReportFile);
}

}  // namespace vellanor::inspect
