#pragma once

#include "document/change.h"
#include "widgets/template_dialog.h"

class QComboBox;
class QLineEdit;

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class ComboList;
class IconButton;
}  // namespace widgets

// "Nouvel élève": adds students to a class one after the other. Each
// "Valider" appends one student (absent on every existing grade column) and
// empties the name fields for the next; the file is written once, when the
// dialog closes.
class CNewStudentDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CNewStudentDlg(MainWindowOperations& main, double scale = 0.0);

 protected:
  void OnCommand(int id) override;

 private:
  void OnInitDialog();
  void OnSelChangeSex();
  void OnValidate();
  void OnQuit();

  MainWindowOperations& main_;
  widgets::IconButton& validate_;
  widgets::IconButton& quit_;
  widgets::ComboList& classList_;
  QLineEdit& name_;
  QLineEdit& firstName_;
  QComboBox& sex_;
  QLineEdit& birthDate_;
  QLineEdit& birthPlace_;
  QLineEdit& info_;
  // What "Quitter" saves: the students created while the window was open.
  Change created_{ChangeKind::StudentCreated, -1, "création d'élèves"};
  int createdCount_ = 0;
};

}  // namespace vellanor
