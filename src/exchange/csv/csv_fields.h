#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellanor::exchange {

// Reads the fields of one line of a CSV file in turn, without holding them
// all. Any character of `separators` ends a field. A field that begins with a
// double quote runs to its closing quote, separators included, and a doubled
// quote inside stands for one, as spreadsheets write them; whatever follows
// the closing quote up to the next separator is kept as it stands, and a
// quote left open runs to the end of the line. Empty fields are fields too.
class FieldReader {
 public:
  FieldReader(std::string_view line, std::string_view separators)
      : line_(line), separators_(separators) {}

  // The next field; false when the line has no more.
  bool Next(std::string& field);

 private:
  std::string_view line_;
  std::string_view separators_;
  std::size_t position_ = 0;
  bool done_ = false;
};

// The first field of a line up to the first ";" (unquoted), cheaply: what
// tells the kind of a line.
std::string FirstField(std::string_view line);

// A field as the export writes it: unchanged, or between double quotes (a
// quote inside doubled) when it holds ";", "," or a double quote, so that a
// spreadsheet and the import read it back whole.
std::string QuoteField(std::string_view text);

// Whether `text` begins with `prefix`, comparing ASCII letters without case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace vellanor::exchange
