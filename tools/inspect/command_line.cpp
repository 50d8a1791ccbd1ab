#include "command_line.h"

#include <string_view>

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
};

void PrintUsage(std::ostream& stream) {
  stream << "Usage:\n";
  for (const Mode& mode : kModes) {
    stream << "  " << kProgram << (mode.option.empty() ? "" : " ") << mode.option << " FILE\n"
           << "      " << mode.help << "\n";
  }
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

int InspectFile(const std::string& path, std::ostream& out, std::ostream& err) {
  Gradebook book;
  const FileReadResult read = ReadDatabaseFile(path, book);
  switch (read.status) {
    case FileReadResult::Status::Missing:
      err << kProgram << ": " << path << ": no such file\n";
      return kExitRefused;
    case FileReadResult::Status::Unreadable:
      // The program refuses a file it cannot open, as a file without a header.
      err << ReadErrorMessage(DbReadError::Header) << "\n";
      return kExitRefused;
    case FileReadResult::Status::Refused:
      err << ReadErrorMessage(read.error) << "\n";
      return kExitRefused;
    case FileReadResult::Status::Read:
      break;
  }
  out << GradebookToJson(book).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  return out ? kExitOk : kExitRefused;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(out);
    return kExitOk;
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
