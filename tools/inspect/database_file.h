#pragma once

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
    Unreadable,  // it exists but cannot be opened
    Refused,     // it was read, and the program would refuse it: see `error`
  };
  Status status = Status::Read;
  DbReadError error = DbReadError::None;
  std::string systemMessage;  // why it could not be opened
};

FileReadResult ReadDatabaseFile(const std::string& path, Gradebook& book);

// Reads the file as the program would; false (with the message on `err`)
// when it is missing or the program would refuse it.
bool ReadOrReport(const std::string& path, Gradebook& book, std::ostream& err);

}  // namespace vellanor::inspect
