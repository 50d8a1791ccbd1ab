#include "csv_commands.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_import.h"
#include "exchange/csv/memory_import_host.h"
#include "gradebook_json.h"
#include "platform/file_store.h"
#include "platform/message_service.h"

namespace vellanor::inspect {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct CsvArguments {
  bool exporting = false;
  std::string csvPath;  // the file to import
  int classPosition = -1;
  std::optional<int> studentPosition;
  bool createMissing = false;
  std::string databasePath;
};

std::optional<int> ReadPosition(const std::string& text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 0) {
    return std::nullopt;
  }
  return value;
}

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
// question the answer given.
class PrintedMessages : public platform::MessageService {
 public:
  PrintedMessages(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, platform::MessageIcon,
                     MessageButtons buttons) override {
    err_ << "[" << caption << "] " << text << "\n";
    if (buttons == MessageButtons::YesNo) {
      err_ << "  -> " << (answerYes_ ? "Oui" : "Non") << "\n";
      return answerYes_ ? MessageAnswer::Yes : MessageAnswer::No;
    }
    return MessageAnswer::Ok;
  }

 private:
  std::ostream& err_;
  bool answerYes_;
};

// Files read with the C library; writing is never offered.
class ReadOnlyFiles : public platform::FileStore {
 public:
  platform::OpenedInput OpenForReading(const std::string& path) override {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
      return {platform::OpenStatus::Unreadable, nullptr};
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
      return {errno == ENOENT ? platform::OpenStatus::Missing : platform::OpenStatus::Unreadable,
              nullptr};
    }
    return {platform::OpenStatus::Opened, std::make_unique<Input>(file)};
  }
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(const std::string&) override {
    return nullptr;
  }

 private:
  class Input : public platform::InputFile {
   public:
    explicit Input(std::FILE* file) : file_(file) {}
    ~Input() override { std::fclose(file_); }
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    std::size_t Read(void* buffer, std::size_t size) override {
      return std::fread(buffer, 1, size, file_);
    }

   private:
    std::FILE* file_;
  };
};

int Export(const CsvArguments& args, Gradebook& book, std::ostream& out, std::ostream& err) {
  PrintedMessages messages(err, false);
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
  PrintedMessages messages(err, args.createMissing);
  ReadOnlyFiles files;
  exchange::MemoryImportHost host(book, messages, files);
  if (exchange::RunImport(host, args.csvPath, args.classPosition) !=
      exchange::ImportOutcome::Imported) {
    return kExitRefused;
  }
  out << GradebookToJson(book).dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
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
            "  vellanor-inspect --import-csv CSV --class I [--create-missing] FILE\n"
            "      import CSV into class I of a copy of FILE in memory and print the result\n"
            "      as JSON, each message on standard error; unknown students are created\n"
            "      only with --create-missing; FILE is never changed\n";
}

}  // namespace vellanor::inspect
