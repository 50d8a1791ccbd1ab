#pragma once

#include "widgets/template_dialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class ComboList;
class IconButton;
}  // namespace widgets

// "Importer / Exporter": exports the marks of a class, or of one of its
// students, to a CSV file, or imports marks from one into a class, as many
// times as wanted before "Quitter". The lists show the classes and the
// students in gradebook order; every run looks its class and student up
// again by their positions in the lists.
class CImportExportDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CImportExportDlg(MainWindowOperations& main, double scale = 0.0);

 protected:
  void OnCommand(int id) override;

 private:
  void OnInitDialog();
  void OnActionExport();
  void OnActionImport();
  void OnOneClass();
  void OnOneStudent();
  void OnClassChanged();
  void OnChooseDocument();
  void OnExecute();

  bool Importing() const;

  MainWindowOperations& main_;
  widgets::ComboList& classList_;
  QCheckBox& notesOnly_;
  widgets::ComboList& studentList_;
  widgets::IconButton& quit_;
  widgets::IconButton& execute_;
  widgets::IconButton& chooseDocument_;
  QRadioButton& oneStudent_;
  QLineEdit& document_;
};

}  // namespace vellanor
