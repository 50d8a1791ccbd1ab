#pragma once

namespace vellanor {

class MainWindowOperations;

// The tree's current selection, by position: nothing, the root item, a class
// item (the class at `classPosition`), or a student item (the student at
// `studentPosition` of that class).
struct TreeSelection {
  enum class Kind { None, Root, Class, Student };
  Kind kind = Kind::None;
  int classPosition = 0;
  int studentPosition = 0;

  static TreeSelection Nothing() { return {}; }
  static TreeSelection RootItem() { return {Kind::Root, 0, 0}; }
  static TreeSelection ClassItem(int classPosition) { return {Kind::Class, classPosition, 0}; }
  static TreeSelection StudentItem(int classPosition, int studentPosition) {
    return {Kind::Student, classPosition, studentPosition};
  }
};

// The tree's context-menu commands "D&upliquer cette classe" and
// "Du&pliquer cet élève": after the teacher confirms, the copy (named
// "... copie") is appended at the end of its list, then the database is
// saved, loaded back and the tree rebuilt. Averages are not recomputed.
// A copy that would take a count past 32767 is refused and changes nothing.
void DuplicateClass(MainWindowOperations& main, const TreeSelection& selection);
void DuplicateStudent(MainWindowOperations& main, const TreeSelection& selection);

}  // namespace vellanor
