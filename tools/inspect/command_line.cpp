#include "command_line.h"

#include <string_view>

#include "consistency_check.h"
#include "csv_commands.h"
#include "database_file.h"
#include "gradebook_json.h"
#include "model/database_messages.h"

namespace vellanor::inspect {
namespace {

constexpr std::string_view kProgram = "vellanor-inspect";

// A mode of the tool: the option that selects it (empty for the default
// mode), what it does, and the function that runs it on one file. A new mode
// (say --check) is one more entry of kModes.
struct Mode {
  std::string_view option;
  std::string_view help;
  int (*run)(const std::string& path, std::ostream& out, std::ostream& err);
};

constexpr Mode kModes[] = {
    {"", "print the whole gradebook of FILE as JSON", InspectFile},
    {"--check",
     "check the rules of the data model and compare every stored average and grade\n"
     "      column with a fresh recomputation; exit 1 when a rule is broken",
     CheckFile},
};

void PrintUsage(std::ostream& stream) {
  stream << "Usage:\n";
  for (const Mode& mode : kModes) {
    stream << "  " << kProgram << (mode.option.empty() ? "" : " ") << mode.option << " FILE\n"
           << "      " << mode.help << "\n";
  }
  PrintCsvUsage(stream);
  stream << "Exit status: 0 done, 1 the file is missing or the program would refuse it, "
            "2 bad arguments.\n";
}

const Mode* FindMode(std::string_view option) {
  for (const Mode& mode : kModes) {
    if (mode.option == option) {
      return &mode;
    }
  }
  return nullptr;
}

}  // namespace

namespace {

// Reads the file as the program would; false (with the message on `err`)
// when it is missing or the program would refuse it.
bool ReadOrReport(const std::string& path, Gradebook& book, std::ostream& err) {
  const FileReadResult read = ReadDatabaseFile(path, book);
  switch (read.status) {
    case FileReadResult::Status::Missing:
      err << kProgram << ": " << path << ": no such file\n";
      return false;
    case FileReadResult::Status::Unreadable:
      // The program refuses a file it cannot open, as a file without a header.
      err << ReadErrorMessage(DbReadError::Header) << "\n";
      return false;
    case FileReadResult::Status::Refused:
      err << ReadErrorMessage(read.error) << "\n";
      return false;
    case FileReadResult::Status::Read:
      break;
  }
  return true;
}

}  // namespace

int InspectFile(const std::string& path, std::ostream& out, std::ostream& err) {
  Gradebook book;
  if (!ReadOrReport(path, book, err)) {
    return kExitRefused;
  }
  out << GradebookToJson(book).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  return out ? kExitOk : kExitRefused;
}

int CheckFile(const std::string& path, std::ostream& out, std::ostream& err) {
  Gradebook book;
  if (!ReadOrReport(path, book, err)) {
    return kExitRefused;
  }
  const CheckSummary summary = CheckGradebook(book, out);
  if (!out) {
    return kExitRefused;
  }
  return summary.invariantFaults == 0 ? kExitOk : kExitRefused;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(out);
    return kExitOk;
  }
  if (IsCsvCommand(args)) {
    return RunCsvCommand(args, out, err, ReadOrReport);
  }
  // FILE alone, or one option and FILE; "--" lets a file name start with "-".
  const Mode* mode = nullptr;
  std::string path;
  if (args.size() == 1 && !args[0].starts_with("-")) {
    mode = FindMode("");
    path = args[0];
  } else if (args.size() == 2) {
    mode = FindMode(args[0] == "--" ? "" : args[0]);
    path = args[1];
  }
  if (mode == nullptr || path.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  return mode->run(path, out, err);
}

}  // namespace vellanor::inspect
