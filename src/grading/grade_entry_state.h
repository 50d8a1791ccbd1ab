#pragma once

namespace vellanor {

// What the grade-entry window is doing: looking, or one of the four tasks
// that the "Action" menu starts and "Valider" or the "Quitter" button ends.
enum class GradeMode { Normal, Adding, Deleting, Modifying, Comparing };

// How the controls look in each mode.
struct ModeLook {
  bool classList;
  bool studentList;
  bool viewRadios;
  bool categoryRadios;
  bool fields;  // coefficient and information
  bool validate;
  bool modeCommands;
  int quitIcon;
  const char* quitCaption;
  const char* quitTooltip;
  const char* validateTooltip;  // nullptr: unchanged
};
const ModeLook& LookOf(GradeMode mode);

// What the window does when a task ends.
enum class TaskEnd {
  Ignored,      // the command does nothing in this mode
  Save,         // the task's changes are committed, then back to Normal
  SaveDeleted,  // the same after columns were deleted: a safety copy first
  Discard,      // memory back to the saved file, then back to Normal
  Leave,        // back to Normal with nothing to write or discard
  Close,        // the window closes; memory back to the saved file
};

// The window's mode and what it has pending, without any widget: which
// command applies when, and what validating or cancelling has to do.
class GradeEntryState {
 public:
  GradeMode Mode() const { return mode_; }

  // Starts a task of the "Action" menu: only from Normal, except that a
  // comparison also starts again (a refresh) while comparing. False when the
  // command is ignored.
  bool Begin(GradeMode task);
  // Whether the in-place editor may open (typing marks).
  bool EditsCells() const { return mode_ == GradeMode::Adding || mode_ == GradeMode::Modifying; }

  // A grade column was removed in memory while deleting.
  void NoteColumnDeleted();
  bool ColumnsDeleted() const { return columnsDeleted_; }

  // "Valider": what to write. The mode stays until Finish, since a refused
  // text or a refused copy keeps the task open for the teacher to correct.
  TaskEnd Validate() const;
  void Finish();
  // "Quitter" / "Annuler" / "Retour": the mode goes back to Normal (the
  // window closes from Normal) and says what to do with the task's changes.
  TaskEnd Quit();

 private:
  GradeMode mode_ = GradeMode::Normal;
  bool columnsDeleted_ = false;
};

}  // namespace vellanor
