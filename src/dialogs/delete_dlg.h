#pragma once

#include "widgets/template_dialog.h"

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class ComboList;
class IconButton;
}  // namespace widgets

// "Effacer": deletes a whole class or one student, without a question, and
// writes the file after each deletion. Closes by itself when the last class
// is gone. A text typed over a list that names no entry deletes nothing.
class CDeleteDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CDeleteDlg(MainWindowOperations& main, double scale = 0.0);

 protected:
  void OnCommand(int id) override;

 private:
  void OnInitDialog();
  void FillLists();
  void OnSelChangeClass();
  void OnValidate();

  MainWindowOperations& main_;
  widgets::IconButton& validate_;
  widgets::IconButton& quit_;
  widgets::ComboList& classList_;
  widgets::ComboList& studentList_;
};

}  // namespace vellanor
