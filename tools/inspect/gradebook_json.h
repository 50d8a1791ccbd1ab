#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "model/records.h"

namespace vellanor::inspect {

// JSON whose numbers with a fraction are 32-bit floats, as stored: each prints
// in the shortest form that reads back to the same float. Keys keep the order
// in which they are set.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                  std::int64_t, std::uint64_t, float>;

// The whole gradebook: {"version", "classes": [...]}, texts decoded from
// Windows-1252 to UTF-8, absent marks and non-finite floats as null.
Json GradebookToJson(const Gradebook& book);

// Writes the same JSON as it goes, one student at a time, so that printing a
// school year needs memory for one class and never for the whole text: the
// bytes are those of GradebookToJson's dump with an indent of 2 (UTF-8 as it
// is, invalid bytes replaced) followed by a line break.
class GradebookJsonWriter {
 public:
  explicit GradebookJsonWriter(std::ostream& out);
  // The next class of "classes".
  void WriteClass(const ClassRecord& record);
  // Closes the text; nothing may be written after.
  void Finish();

 private:
  std::ostream& out_;
  bool anyClass_ = false;
};

// A whole gradebook through the writer.
void WriteGradebookJson(const Gradebook& book, std::ostream& out);

}  // namespace vellanor::inspect
