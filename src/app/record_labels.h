#pragma once

#include <string>

#include "model/records.h"

namespace vellanor {

// How classes and students are named in the tree and in every list (UTF-8).

// "name (year)".
std::string ClassLabel(const ClassRecord& record);
// "name, (year)", the new-student and modify-information lists' form.
std::string ClassLabelWithComma(const ClassRecord& record);
// "name, first name".
std::string StudentLabel(const StudentRecord& student);

}  // namespace vellanor
