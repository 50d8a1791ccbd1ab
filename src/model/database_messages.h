#pragma once

#include "model/database_codec.h"

namespace vellanor {

// The program's French texts (UTF-8) for a database file that cannot be read
// or written, shared by the main window's load and save and by the tools, so
// that both say the same thing about the same file.

// The text for a read error; empty for DbReadError::None.
const char* ReadErrorMessage(DbReadError error);

// The text for a failure to write the given record.
const char* WriteErrorMessage(DbRecord record);

}  // namespace vellanor
