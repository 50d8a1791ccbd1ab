#pragma once

#include <cstdint>
#include <vector>

#include <QPoint>

#include "grading/grade_entry_state.h"
#include "model/records.h"
#include "widgets/cell_editor.h"
#include "widgets/template_dialog.h"

class QLineEdit;
class QRadioButton;

namespace vellanor {

class MainWindowOperations;
struct GridContent;

namespace widgets {
class ComboList;
class IconButton;
class ReportList;
}  // namespace widgets

// The grade-entry window ("Notation"): one class at a time in a grid, where
// grade columns are added, deleted and modified and the students compared.
// Every change goes to the gradebook and the class is recomputed; "Valider"
// writes the file, and cancelling reads it back. Classes and students are
// looked up again from the combo boxes for every action, since a load
// replaces every record; a text typed over a combo box that names no entry
// names nothing, and the action needing it does nothing.
class CGradeEntryDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  // `scale` as for TemplateDialog (0: the screen's).
  explicit CGradeEntryDlg(MainWindowOperations& main, double scale = 0.0);
  ~CGradeEntryDlg() override;

  GradeMode Mode() const { return state_.Mode(); }

  // The views of the selected class.
  void ShowClassView();
  void ShowStudentView();
  void ShowAllStudentsView();
  void FillCategoryGrid(const PerCategory<std::int16_t>& counts,
                        const std::vector<GradeRecord>& grades);
  void FillCompareGrid(const ClassRecord& record, int trimester, int kind);

  // The "Action" menu, and the two buttons.
  void OnNewGrade();
  void OnDeleteGrades();
  void OnModifyGrades();
  void OnCompareStudents();
  void OnValidate();
  void OnQuit();

  // Shows the coefficient, information text, trimester and kind of the grade
  // under the last click on the grid.
  void ShowGradeDetails();

  // The in-place editor over a grid cell (Adding and Modifying only).
  void BeginCellEdit(int row, int column);
  // False when the typed mark was refused (the cell keeps its text).
  bool CommitCellEdit();
  void EditNextRow();
  // The grid column under the last click.
  int HitTestColumn() const;

  // The open in-place editor, or nullptr; the cell it belongs to (the row
  // goes on past the last one when the walk down a column ends).
  QLineEdit* CellEditor() const { return editor_.Editor(); }
  int EditRow() const { return editRow_; }
  int EditColumn() const { return editColumn_; }

 protected:
  void OnCommand(int id) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BindControls();
  void SetUpWindow();
  // Shows the controls of the current mode, `previous` the one shown so far.
  void ApplyLook(GradeMode previous);
  // Ends the task in hand (validated) and goes back to Normal.
  void FinishTask();
  // Starts the task `mode` and shows its controls; false when it may not
  // start now, and nothing changed.
  bool BeginTask(GradeMode mode);
  void OnClassSelected();
  void OnStudentSelected();
  void OnGridDoubleClick();
  void DeleteGradeColumn(int row, int column);
  void ValidateAdding();
  void ValidateModifying();
  void ValidateDeleting(bool columnsDeleted);

  void ClearGrid();
  void ShowGrid(const GridContent& content);

  ClassRecord* SelectedClass() const;
  StudentRecord* SelectedStudent(ClassRecord& record) const;
  int CheckedTrimester() const;
  int CheckedKind() const;

  // Grid editing.
  void CloseEditor();
  void OnEditorTab();
  void OnEditorFocusLeft(QWidget* to);
  void OnGridEditKey();
  // The clipboard: the grid as a table, and a column of marks pasted into
  // the open editor and the cells below it.
  void CopyGrid();
  void OnEditorPaste();
  // False, after saying which, when a mark cell holds a mark on a scale that
  // gives no mark ("3/0").
  bool CheckScales();

  MainWindowOperations& main_;
  GradeEntryState state_;

  widgets::IconButton* validate_ = nullptr;
  widgets::IconButton* quit_ = nullptr;
  widgets::ComboList* classList_ = nullptr;
  widgets::ComboList* studentList_ = nullptr;
  std::vector<QRadioButton*> viewRadios_;
  std::vector<QRadioButton*> categoryRadios_;
  QLineEdit* coefficient_ = nullptr;
  QLineEdit* info_ = nullptr;
  widgets::ReportList* grid_ = nullptr;

  widgets::CellEditor editor_;
  int editRow_ = 0;
  int editColumn_ = 0;
  // Tells a queued move to the next row whether it is still wanted.
  unsigned editorGeneration_ = 0;
  QPoint clickPoint_;  // the last click on the grid, in the grid's coordinates
};

}  // namespace vellanor
