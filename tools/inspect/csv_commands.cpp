#include "csv_commands.h"

#include <memory>
#include <optional>

#include "command_line.h"
#include "document/gradebook_document.h"
#include "document/memory_file_store.h"
#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_import.h"
#include "gradebook_json.h"
#include "model/database_codec.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/system_calls.h"

namespace vellanor::inspect {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

struct CsvArguments {
  bool exporting = false;
  std::string csvPath;  // the file to import
  int classPosition = -1;
  std::optional<int> studentPosition;
  bool createMissing = false;
  bool anyClass = false;
  std::string databasePath;
};

// The options in any order after the mode, FILE last.
std::optional<CsvArguments> ParseArguments(const std::vector<std::string>& args) {
  CsvArguments parsed;
  parsed.exporting = args[0] == "--export-csv";
  std::size_t i = 1;
  if (!parsed.exporting) {
    if (args.size() < 2) {
      return std::nullopt;
    }
    parsed.csvPath = args[i++];
  }
  bool hasClass = false;
  for (; i + 1 < args.size(); ++i) {
    const std::string& option = args[i];
    if ((option == "--class" || option == "--student") && i + 2 < args.size()) {
      const std::optional<int> position = ReadPosition(args[++i]);
      if (!position) {
        return std::nullopt;
      }
      if (option == "--class") {
        parsed.classPosition = *position;
        hasClass = true;
      } else if (parsed.exporting) {
        parsed.studentPosition = position;
      } else {
        return std::nullopt;
      }
    } else if (option == "--create-missing" && !parsed.exporting) {
      parsed.createMissing = true;
    } else if (option == "--any-class" && !parsed.exporting) {
      parsed.anyClass = true;
    } else {
      return std::nullopt;
    }
  }
  if (!hasClass || i + 1 != args.size() || args[i].empty()) {
    return std::nullopt;
  }
  parsed.databasePath = args[i];
  return parsed;
}

// Each message box as it would show: its caption, its text, and for a
// question the answer given: whether to import a file of another class
// as `anyClass` says, whether to create a student as `createMissing` says.
class PrintedMessages : public platform::MessageService {
 public:
  PrintedMessages(std::ostream& err, bool createMissing, bool anyClass)
      : err_(err), createMissing_(createMissing), anyClass_(anyClass) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, platform::MessageIcon,
                     MessageButtons buttons) override {
    err_ << "[" << caption << "] " << text << "\n";
    if (buttons == MessageButtons::Ok) {
      return MessageAnswer::Ok;
    }
    const bool yes =
        text.starts_with(exchange::kOtherClassQuestion) ? anyClass_ : createMissing_;
    err_ << "  -> " << (yes ? "Oui" : "Non") << "\n";
    return yes ? MessageAnswer::Yes : MessageAnswer::No;
  }

 private:
  std::ostream& err_;
  bool createMissing_;
  bool anyClass_;
};

// Files read as the program reads them (regular files only, a read error
// told apart from the end of the file); writing is never offered.
class ReadOnlyFiles : public platform::FileStore {
 public:
  platform::OpenedInput OpenForReading(const std::string& path) override {
    return platform::OpenRegularFile(platform::SystemCalls::Real(), path);
  }
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(const std::string&) override {
    return nullptr;
  }
};

int Export(const CsvArguments& args, Gradebook& book, std::ostream& out, std::ostream& err) {
  PrintedMessages messages(err, false, false);
  const auto selection = exchange::SelectForExport(
      book, args.classPosition,
      args.studentPosition ? exchange::ExportScope::OneStudent : exchange::ExportScope::WholeClass,
      args.studentPosition.value_or(0), messages);
  if (!selection) {
    return kExitRefused;
  }
  exchange::WriteExport(*selection, [&out](std::string_view piece) {
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    return static_cast<bool>(out);
  });
  return out ? kExitOk : kExitRefused;
}

int Import(const CsvArguments& args, Gradebook& book, std::ostream& out, std::ostream& err) {
  PrintedMessages messages(err, args.createMissing, args.anyClass);
  // The program's own document over a copy of the database in memory: the
  // import saves and reads back as in the program, and FILE is never written.
  ReadOnlyFiles disk;
  MemoryFileStore files(&disk);
  files.files[args.databasePath] = EncodeDatabase(book);
  GradebookDocument document(args.databasePath, messages, files);
  if (!document.Load()) {
    return kExitRefused;
  }
  if (exchange::RunImport(document, args.csvPath, args.classPosition) !=
      exchange::ImportOutcome::Imported) {
    return kExitRefused;
  }
  WriteGradebookJson(document.Book(), out);
  return out ? kExitOk : kExitRefused;
}

}  // namespace

bool IsCsvCommand(const std::vector<std::string>& args) {
  return !args.empty() && (args[0] == "--export-csv" || args[0] == "--import-csv");
}

int RunCsvCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const BookReader& read) {
  const std::optional<CsvArguments> parsed = ParseArguments(args);
  if (!parsed) {
    err << "Usage:\n";
    PrintCsvUsage(err);
    return kExitUsage;
  }
  Gradebook book;
  if (!read(parsed->databasePath, book, err)) {
    return kExitRefused;
  }
  return parsed->exporting ? Export(*parsed, book, out, err) : Import(*parsed, book, out, err);
}

void PrintCsvUsage(std::ostream& stream) {
  stream << "  vellanor-inspect --export-csv --class I [--student J] FILE\n"
            "      print the CSV export of class I (or of its student J) of FILE;\n"
            "      positions count from 0\n"
            "  vellanor-inspect --import-csv CSV --class I [--create-missing] [--any-class] FILE\n"
            "      import CSV into class I of a copy of FILE in memory and print the result\n"
            "      as JSON, each message on standard error; unknown students are created\n"
            "      only with --create-missing, a file of another class is imported only\n"
            "      with --any-class; exit 1 when nothing is imported; FILE is never changed\n";
}

}  // namespace vellanor::inspect
