#include "database_file.h"

#include <memory>
#include <utility>

#include "document/input_source.h"
#include "model/database_messages.h"
#include "model/gradebook.h"
#include "platform/file_store.h"
#include "platform/system_calls.h"

namespace vellanor::inspect {

FileReadResult ReadDatabaseFile(const std::string& path, Gradebook& book) {
  ClearGradebook(book);
  return ReadDatabaseClasses(
      path, [&book](ClassRecord&& record) { book.classes.push_back(std::move(record)); });
}

FileReadResult ReadDatabaseClasses(const std::string& path,
                                   const std::function<void(ClassRecord&&)>& onClass) {
  FileReadResult result;
  // Opened as the program opens it: a FIFO or a device is refused rather
  // than waited on or read for ever.
  const platform::OpenedInput input =
      platform::OpenRegularFile(platform::SystemCalls::Real(), path);
  switch (input.status) {
    case platform::OpenStatus::Opened:
      break;
    case platform::OpenStatus::Missing:
      result.status = FileReadResult::Status::Missing;
      return result;
    case platform::OpenStatus::NotRegular:
    case platform::OpenStatus::Unreadable:
      result.status = FileReadResult::Status::Unreadable;
      return result;
  }
  InputSource source(*input.file);
  result.error = DecodeDatabaseClasses(source, onClass);
  if (result.error == DbReadError::None && input.file->Failed()) {
    result.status = FileReadResult::Status::Unreadable;  // a read error is no end of file
  } else if (result.error != DbReadError::None) {
    result.status = FileReadResult::Status::Refused;
  }
  return result;
}

bool ReportRead(const FileReadResult& read, const std::string& path, std::ostream& err) {
  switch (read.status) {
    case FileReadResult::Status::Missing:
      err << "vellanor-inspect: " << path << ": no such file\n";
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

bool ReadOrReport(const std::string& path, Gradebook& book, std::ostream& err) {
  return ReportRead(ReadDatabaseFile(path, book), path, err);
}

}  // namespace vellanor::inspect
