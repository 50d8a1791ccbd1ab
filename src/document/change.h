#pragma once

#include <string>
#include <string_view>

#include "model/records.h"

namespace vellanor {

// What a committed change did, for the class recomputation, the observers
// and the undo menu.
enum class ChangeKind {
  ClassCreated,
  ClassModified,
  ClassDeleted,
  ClassDuplicated,
  StudentCreated,
  StudentModified,
  StudentDeleted,
  StudentDuplicated,
  GradesChanged,  // grade columns added, changed or deleted
  Import,
  Restore,
  // Not commits: what observers are also told about.
  Undone,    // an undo or a redo replaced the whole gradebook
  Reverted,  // memory went back to the file's last saved content
  Reloaded,  // the file on disk replaced memory (changed by another program)
};

struct Change {
  ChangeKind kind = ChangeKind::Reverted;
  int classPosition = -1;  // the class concerned, -1 for none or all
  std::string what;        // UTF-8, e.g. "suppression de l'élève Bernard Hugo"
};

// Whether the class's averages and grade columns are recomputed when this
// change is committed: after marks or grade columns change, a student is
// deleted or marks are imported; not after a record is added or duplicated.
bool RecomputesClass(ChangeKind kind);

// The label of a change for the undo menu, in French (UTF-8), naming the
// record as stored (Windows-1252): "suppression de la classe 4e B",
// "modification de l'élève Bernard Hugo", "notes de la classe 4e B"...
std::string DescribeClassChange(ChangeKind kind, const ClassRecord& record);
std::string DescribeStudentChange(ChangeKind kind, const StudentRecord& student);

}  // namespace vellanor
