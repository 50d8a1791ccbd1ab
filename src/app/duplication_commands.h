#pragma once

#include "app/tree_selection.h"

namespace vellanor {

class MainWindowOperations;

// The tree's context-menu commands "D&upliquer cette classe" and
// "Du&pliquer cet élève": after the teacher confirms, the copy (named
// "... copie") is appended at the end of its list, then the database is
// saved, loaded back and the tree rebuilt. Averages are not recomputed.
// A copy that would take a count past 32767 is refused and changes nothing.
void DuplicateClass(MainWindowOperations& main, const TreeSelection& selection);
void DuplicateStudent(MainWindowOperations& main, const TreeSelection& selection);

}  // namespace vellanor
