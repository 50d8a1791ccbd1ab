#pragma once

#include "widgets/template_dialog.h"

class QComboBox;

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class IconButton;
}

// "Effacer": deletes a whole class or one student, without a question, and
// writes the file after each deletion. Closes by itself when the last class
// is gone.
class CDeleteDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CDeleteDlg(MainWindowOperations& main, double scale = 0.0);

  static int Run(MainWindowOperations& main);

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
  QComboBox& classList_;
  QComboBox& studentList_;
  bool filling_ = false;  // the lists change under the program's hand
};

}  // namespace vellanor
