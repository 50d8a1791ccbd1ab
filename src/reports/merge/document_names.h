#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

namespace vellanor {

// A class or student name (Windows-1252) made into a file name: path
// separators, control characters and the characters Windows forbids in file
// names become "_", so that a name such as "../../x" or "4e/B" names a file
// inside the chosen folder and nowhere else.
std::string DocumentFileName(std::string_view name);

// "<name>_NNNNNNNN.<extension>" for a UTF-8 name made a file name by
// DocumentFileName: a date's year, month and day (or a time's hours, minutes
// and seconds) written with four, two and two digits.
std::string StampedFileName(std::string_view name, int first, int second, int third,
                            std::string_view extension);

// "<directory>/<file>", without a second separator after a directory that
// ends with "/" or "\\"; the file alone when the directory is empty.
std::string JoinPath(const std::string& directory, const std::string& file);

// The names of the documents of one production, so that two documents never
// share a file: two students of one class with the same last name, or two
// classes of the same name.
class DocumentNames {
 public:
  // `name` when no document of this production took it yet; otherwise
  // `alternative` (e.g. with the first name added) when given and free;
  // otherwise the last of these with "_2", "_3"... Names are compared as
  // file names, without regard to case.
  std::string Take(std::string_view name, std::string_view alternative = {});

 private:
  bool IsFree(std::string_view name) const;
  void Claim(std::string_view name);

  std::set<std::string> taken_;
};

// The document names of every student of `record`, at their positions:
// "<class>_<last name>", with "_<first name>" added for every student whose
// last name another student of the class shares, and "_2", "_3"... for the
// later of two students whose names are the same, in class order. A name
// depends on the class alone, never on which students a production takes, so
// that producing one student's document never writes over another's.
std::vector<std::string> StudentDocumentNames(const ClassRecord& record);

}  // namespace vellanor
