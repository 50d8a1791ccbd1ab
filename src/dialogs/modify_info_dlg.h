#pragma once

#include "widgets/template_dialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace vellanor {

class MainWindowOperations;
struct ClassRecord;
struct StudentRecord;

namespace widgets {
class IconButton;
class ReportList;
}  // namespace widgets

// "Modification des informations": the descriptive fields of a class or a
// student as lines of "label / value", each value retyped in place. A value
// goes into the record when its editor closes; "Quitter" writes the file,
// Escape leaves without writing.
class CModifyInfoDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CModifyInfoDlg(MainWindowOperations& main, double scale = 0.0);

  static int Run(MainWindowOperations& main);

  // The in-place editor while one is open (nullptr otherwise).
  QLineEdit* Editor() const { return editor_; }
  int EditRow() const { return editRow_; }

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

  void OpenEditor();
  void CommitEditor();
  // Writes a retyped value and returns the text its line shows now.
  QString WriteClassField(ClassRecord& record, int row, const QString& text);
  QString WriteStudentField(StudentRecord& student, int row, const QString& text);
  void DestroyEditor(QLineEdit* editor);

  MainWindowOperations& main_;
  widgets::IconButton& quit_;
  QRadioButton& classRadio_;
  QRadioButton& studentRadio_;
  QComboBox& classList_;
  QComboBox& studentList_;
  widgets::ReportList& lines_;
  QLineEdit* editor_ = nullptr;
  int editRow_ = 0;
  EditTarget target_;
  bool filling_ = false;  // the lists change under the program's hand
};

}  // namespace vellanor
