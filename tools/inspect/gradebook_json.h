#pragma once

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
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

}  // namespace vellanor::inspect
