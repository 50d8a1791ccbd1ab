#pragma once

#include "model/records.h"
#include "model/text_field.h"

namespace vellanor {

// The name of a copy: " copie" appended, cut to the field's 32 bytes (so a
// 30-character name gets " c" and no terminating NUL).
TextField<32> CopyName(const TextField<32>& name);

// Copies that keep every field of their source (counts and stored averages
// unchanged, lists copied) but the name, which becomes CopyName of it.
ClassRecord CopyOfClass(const ClassRecord& source);
StudentRecord CopyOfStudent(const StudentRecord& source);

}  // namespace vellanor
