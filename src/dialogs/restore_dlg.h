#pragma once

#include <vector>

#include "app/backup_list.h"
#include "widgets/template_dialog.h"

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class IconButton;
class ReportList;
}  // namespace widgets

// "Restaurer une copie": the safety copies of Sauvegardes/, newest first,
// with what each holds. "Restaurer" first copies the database as it stands
// ("…_avant-restauration.db"), then makes the chosen copy the grade book, a
// change like any other that "Annuler" takes back. A damaged copy is listed
// but cannot be chosen.
class CRestoreDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CRestoreDlg(MainWindowOperations& main, double scale = 0.0);

  const std::vector<BackupEntry>& Copies() const { return copies_; }

 protected:
  void OnCommand(int id) override;

 private:
  void FillList();
  void OnRestore();

  MainWindowOperations& main_;
  widgets::IconButton& restore_;
  widgets::IconButton& quit_;
  widgets::ReportList& list_;
  std::vector<BackupEntry> copies_;
};

}  // namespace vellanor
