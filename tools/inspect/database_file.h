#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "model/database_codec.h"
#include "model/records.h"

namespace vellanor::inspect {

// Reading a database file from disk, as the program reads it, but without
// ever creating or changing a file.
struct FileReadResult {
  enum class Status {
    Read,        // the whole file was read
    Missing,     // there is no such file
    Unreadable,  // it exists but cannot be opened or read, or is no regular file
    Refused,     // it was read, and the program would refuse it: see `error`
  };
  Status status = Status::Read;
  DbReadError error = DbReadError::None;
};

FileReadResult ReadDatabaseFile(const std::string& path, Gradebook& book);

// The same, handing each class to `onClass` as soon as it is read whole
// (DecodeDatabaseClasses), so that memory holds one class at a time.
FileReadResult ReadDatabaseClasses(const std::string& path,
                                   const std::function<void(ClassRecord&&)>& onClass);

// Tells on `err` why a file could not be read whole, as the program would;
// false when it could not.
bool ReportRead(const FileReadResult& read, const std::string& path, std::ostream& err);

// Reads the file as the program would; false (with the message on `err`)
// when it is missing or the program would refuse it.
bool ReadOrReport(const std::string& path, Gradebook& book, std::ostream& err);

}  // namespace vellanor::inspect
