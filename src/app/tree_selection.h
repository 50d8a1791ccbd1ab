#pragma once

namespace vellanor {

// What the tree points at, by position: nothing, the root item, a class item
// (the class at `classPosition`), or a student item (the student at
// `studentPosition` of that class). The information panel, the chart and the
// tree's commands all name a class or a student this way; a position may
// find nothing once the gradebook has changed, and every user looks the
// record up again.
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

  bool IsClass() const { return kind == Kind::Class; }
  bool IsStudent() const { return kind == Kind::Student; }
  bool operator==(const TreeSelection&) const = default;
};

}  // namespace vellanor
