// Any bytes as the CSV file of an import into a small class, with any answers
// to the questions and the file handed over in pieces of any size: the run
// never faults, and every class it saves keeps the rules of the data model.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/gradebook_document.h"
#include "document/memory_file_store.h"
#include "exchange/csv/csv_import.h"
#include "exchange/csv/csv_line_reader.h"
#include "model/averages.h"
#include "model/database_codec.h"
#include "model/gradebook.h"
#include "model/invariants.h"
#include "platform/file_store.h"
#include "platform/message_service.h"

namespace {

using namespace vellanor;

// Answers the questions from a bit pattern, in turn.
class ScriptedMessages : public platform::MessageService {
 public:
  explicit ScriptedMessages(std::uint8_t answers) : answers_(answers) {}
  platform::MessageAnswer Show(const std::string&, const std::string&, platform::MessageIcon,
                               platform::MessageButtons buttons) override {
    if (buttons == platform::MessageButtons::Ok) {
      return platform::MessageAnswer::Ok;
    }
    const bool yes = (answers_ >> (asked_++ % 8)) & 1;
    return yes ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
  }

 private:
  std::uint8_t answers_;
  int asked_ = 0;
};

class OneFile : public platform::FileStore {
 public:
  OneFile(std::string bytes, std::size_t piece) : bytes_(std::move(bytes)), piece_(piece) {}
  platform::OpenedInput OpenForReading(const std::string&) override {
    return {platform::OpenStatus::Opened, std::make_unique<exchange::StringInput>(bytes_, piece_)};
  }
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(const std::string&) override {
    return nullptr;
  }

 private:
  std::string bytes_;
  std::size_t piece_;
};

StudentRecord Named(const char* name, const char* firstName) {
  StudentRecord student;
  student.name = name;
  student.firstName = firstName;
  return student;
}

// "4B": three students (two of the same name), columns written T1, oral T2,
// written T1, in that order of creation.
ClassRecord SmallClass() {
  ClassRecord record;
  record.name = "4B";
  for (const StudentRecord& student :
       {Named("Martin", "Zo\xE9"), Named("Roy", "Eva"), Named("Martin", "Zo\xE9")}) {
    if (AppendStudent(record, student) != AppendResult::Done) {
      std::abort();
    }
  }
  const int categories[] = {0, 3, 0};
  for (int category : categories) {
    std::vector<GradeRecord> marks(record.students.size());
    for (GradeRecord& mark : marks) {
      mark.value = 10;
      mark.kind = static_cast<std::uint8_t>(CategoryKind(category));
      mark.trimester = static_cast<Trimester>(CategoryTrimester(category));
      mark.coefficient = 2;
    }
    if (AppendGradeColumn(record, marks) != AppendResult::Done) {
      std::abort();
    }
  }
  RecomputeClass(record);
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  const std::uint8_t answers = data[0];
  const std::size_t piece = data[1] == 0 ? SIZE_MAX : data[1];
  Gradebook book;
  if (AppendClass(book, SmallClass()) != AppendResult::Done) {
    std::abort();
  }
  ScriptedMessages messages(answers);
  OneFile files(std::string(reinterpret_cast<const char*>(data + 2), size - 2), piece);
  MemoryFileStore store(&files);
  store.files["Vellanor.db"] = EncodeDatabase(book);
  GradebookDocument document("Vellanor.db", messages, store);
  if (!document.Load()) {
    std::abort();
  }
  switch (exchange::RunImport(document, "fuzz.csv", 0)) {
    case exchange::ImportOutcome::Imported:
    case exchange::ImportOutcome::NothingImported:
    case exchange::ImportOutcome::NotCsv:
    case exchange::ImportOutcome::Declined:
      break;
    default:
      std::abort();  // the file opens and the class is sound: the run always ends its work
  }
  for (const ClassRecord& record : document.Book().classes) {
    if (FindInvariantFault(record)) {
      std::abort();
    }
  }
  return 0;
}
