#include "command_line.h"

#include <string_view>

#include "consistency_check.h"
#include "csv_commands.h"
#include "database_file.h"
#include "gradebook_json.h"
#include "model/gradebook.h"
#include "statistics_commands.h"

namespace vellanor::inspect {

const ClassRecord* ClassOrComplain(const Gradebook& book, int position, std::ostream& err) {
  const ClassRecord* record = ClassAt(book, position);
  if (record == nullptr) {
    err << "vellanor-inspect: no class at position " << position << " (the file has "
        << book.classes.size() << ")\n";
  }
  return record;
}

const StudentRecord* StudentOrComplain(const ClassRecord& record, int classPosition, int position,
                                       std::ostream& err) {
  const StudentRecord* student = StudentAt(record, position);
  if (student == nullptr) {
    err << "vellanor-inspect: no student at position " << position << " in class " << classPosition
        << " (it has " << record.students.size() << ")\n";
  }
  return student;
}
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
  PrintStatisticsUsage(stream);
  stream << "  " << kProgram << " --report TEMPLATE --class I [--student J] [--charts] FILE\n"
         << "      print the document \"Produire\" would write from TEMPLATE for the class at\n"
         << "      position I (its student at position J), counting from 0 in file order\n"
         << "  " << kProgram
         << " --report TEMPLATE --class I (--student J | --all-students) [--charts]"
            " --pdf OUT.pdf FILE\n"
         << "      the same as PDF through LibreOffice, every student of the class one after\n"
         << "      the other with --all-students\n";
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

// Whether the whole file reads, as the program would read it; the message on
// `err` when not. Each class is let go once read, so that a printing pass
// after it needs memory for one class and prints nothing for a file the
// program would refuse.
bool ReadsWhole(const std::string& path, std::ostream& err) {
  return ReportRead(ReadDatabaseClasses(path, [](ClassRecord&&) {}), path, err);
}

}  // namespace

int InspectFile(const std::string& path, std::ostream& out, std::ostream& err) {
  if (!ReadsWhole(path, err)) {
    return kExitRefused;
  }
  GradebookJsonWriter writer(out);
  if (!ReportRead(
          ReadDatabaseClasses(path, [&](ClassRecord&& record) { writer.WriteClass(record); }), path,
          err)) {
    return kExitRefused;  // changed since the first reading
  }
  writer.Finish();
  return out ? kExitOk : kExitRefused;
}

int CheckFile(const std::string& path, std::ostream& out, std::ostream& err) {
  if (!ReadsWhole(path, err)) {
    return kExitRefused;
  }
  GradebookChecker checker(out);
  if (!ReportRead(ReadDatabaseClasses(path, [&](ClassRecord&& record) { checker.Check(record); }),
                  path, err)) {
    return kExitRefused;
  }
  const CheckSummary summary = checker.Finish();
  if (!out) {
    return kExitRefused;
  }
  return summary.invariantFaults == 0 ? kExitOk : kExitRefused;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   ReportCommand report) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(out);
    return kExitOk;
  }
  if (IsCsvCommand(args)) {
    return RunCsvCommand(args, out, err, ReadOrReport);
  }
  if (IsStatisticsCommand(args)) {
    return RunStatisticsCommand(args, out, err, ReadOrReport);
  }
  if (!args.empty() && args[0] == "--report" && report != nullptr) {
    return report({args.begin() + 1, args.end()}, out, err);
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
