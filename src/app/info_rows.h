#pragma once

#include <string>
#include <vector>

#include "model/records.h"

namespace vellanor {

// One row of the main window's information panel: a label and its value,
// both UTF-8, and the tooltip of the row (empty for none).
struct InfoRow {
  std::string label;
  std::string value;
  std::string tooltip{};
  bool operator==(const InfoRow&) const = default;
};

// Everything the panel shows about a class: its details, then for each
// trimester the number of grade columns and, when there are some, the lists
// of columns (with their class means) and the stored averages.
std::vector<InfoRow> ClassInfoRows(const ClassRecord& record);

// Everything the panel shows about one student of `record`: personal details,
// then for each trimester the marks and the stored averages. The class's
// counts decide which rows a trimester has. Each average row has how it was
// computed (ExplainAverage) as its tooltip and on an unlabelled row below it.
std::vector<InfoRow> StudentInfoRows(const ClassRecord& record, const StudentRecord& student);

}  // namespace vellanor
