#include "statistics_commands.h"

#include <optional>

#include "command_line.h"
#include "model/average_explanation.h"
#include "model/class_statistics.h"
#include "model/format.h"

namespace vellanor::inspect {
namespace {

struct StatisticsArguments {
  bool explain = false;
  int classPosition = -1;
  int studentPosition = -1;
  std::string databasePath;
};

// The options in any order after the mode, FILE last; --student only (and
// always) with --explain.
std::optional<StatisticsArguments> ParseArguments(const std::vector<std::string>& args) {
  StatisticsArguments parsed;
  parsed.explain = args[0] == "--explain";
  std::size_t i = 1;
  for (; i + 2 < args.size(); i += 2) {
    const std::string& option = args[i];
    const std::optional<int> position = ReadPosition(args[i + 1]);
    if (!position) {
      return std::nullopt;
    }
    if (option == "--class") {
      parsed.classPosition = *position;
    } else if (option == "--student" && parsed.explain) {
      parsed.studentPosition = *position;
    } else {
      return std::nullopt;
    }
  }
  if (i + 1 != args.size() || args[i].empty() || parsed.classPosition < 0 ||
      (parsed.explain && parsed.studentPosition < 0)) {
    return std::nullopt;
  }
  parsed.databasePath = args[i];
  return parsed;
}

void Explain(const ClassRecord& record, const StudentRecord& student, std::ostream& out) {
  for (int category = 0; category < kCategoryCount; ++category) {
    if (record.gradeCount[static_cast<std::size_t>(category)] > 0) {
      out << CategoryName(category) << " : " << ExplainAverage(student, category) << "\n";
    }
  }
}

}  // namespace

bool IsStatisticsCommand(const std::vector<std::string>& args) {
  return !args.empty() && (args[0] == "--explain" || args[0] == "--stats");
}

int RunStatisticsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                         const BookReader& read) {
  const std::optional<StatisticsArguments> parsed = ParseArguments(args);
  if (!parsed) {
    err << "Usage:\n";
    PrintStatisticsUsage(err);
    return kExitUsage;
  }
  Gradebook book;
  if (!read(parsed->databasePath, book, err)) {
    return kExitRefused;
  }
  const ClassRecord* record = ClassOrComplain(book, parsed->classPosition, err);
  if (record == nullptr) {
    return kExitRefused;
  }
  if (parsed->explain) {
    const StudentRecord* student =
        StudentOrComplain(*record, parsed->classPosition, parsed->studentPosition, err);
    if (student == nullptr) {
      return kExitRefused;
    }
    Explain(*record, *student, out);
  } else {
    for (const std::string& line : StatisticsTable(*record)) {
      out << line << "\n";
    }
  }
  out.flush();
  return out ? kExitOk : kExitRefused;
}

void PrintStatisticsUsage(std::ostream& stream) {
  stream << "  vellanor-inspect --explain --class I --student J FILE\n"
            "      print how each average of student J of class I is computed, one line per\n"
            "      category with grade columns\n"
            "  vellanor-inspect --stats --class I FILE\n"
            "      print the statistics of class I: one line per grade column and per\n"
            "      category's students' averages, fields separated by \";\"\n";
}

}  // namespace vellanor::inspect
