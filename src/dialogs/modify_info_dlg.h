#pragma once

#include "document/change.h"
#include "widgets/cell_editor.h"
#include "widgets/template_dialog.h"

class QRadioButton;

namespace vellanor {

class MainWindowOperations;
struct ClassRecord;
struct StudentRecord;

namespace widgets {
class ComboList;
class IconButton;
class ReportList;
}  // namespace widgets

// "Modification des informations": the descriptive fields of a class or a
// student as lines of "label / value", each value retyped in place. A value
// goes into the record when its editor closes; "Quitter" writes the file,
// Escape leaves without writing and takes the records back to the file. A value the file cannot hold is refused
// with a message and stays in its editor to be corrected.
class CModifyInfoDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CModifyInfoDlg(MainWindowOperations& main, double scale = 0.0);

  // The in-place editor while one is open (nullptr otherwise).
  QLineEdit* Editor() const { return editor_.Editor(); }
  int EditRow() const { return editor_.Row(); }

 protected:
  void OnCommand(int id) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What an open editor writes to: the record whose lines were shown when
  // it opened.
  struct EditTarget {
    bool student = false;
    int classPosition = -1;
    int studentPosition = -1;
  };
  // What happens to a refused value: it stays in its editor, or it goes
  // with the lines being replaced.
  enum class OnRefusal { KeepEditing, Drop };

  void OnInitDialog();
  bool StudentChecked() const;
  void RefillStudentList();
  void ShowClassLines();
  void ShowStudentLines();
  void AddLine(int row, const char* label, const QString& value);

  void OnSelChangeClass();
  void OnSelChangeStudent();
  void OnClickedClassRadio();
  void OnClickedStudentRadio();
  void OnDblClickLines();
  void OnQuit();
  void OnCancel();
  Change Modification() const;

  void OpenEditor();
  // Stores the editor's value; false when the value was refused.
  bool CommitEditor(OnRefusal onRefusal = OnRefusal::KeepEditing);
  // Writes a retyped value and returns the text its line shows now.
  QString WriteClassField(ClassRecord& record, int row, const QString& text);
  QString WriteStudentField(StudentRecord& student, int row, const QString& text);

  MainWindowOperations& main_;
  widgets::IconButton& quit_;
  QRadioButton& classRadio_;
  QRadioButton& studentRadio_;
  widgets::ComboList& classList_;
  widgets::ComboList& studentList_;
  widgets::ReportList& lines_;
  widgets::CellEditor editor_;
  EditTarget target_;
  bool refusing_ = false;  // the refusal message is up
  bool stored_ = false;    // a value went into a record since the window opened
};

}  // namespace vellanor
