#pragma once

#include "widgets/template_dialog.h"

class QComboBox;
class QLineEdit;

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class IconButton;
}

// "Nouvelle classe": names a new class, picks its school year from two lists
// of years and appends it at the end of the gradebook, saved at once.
class CNewClassDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  // `scale` as for TemplateDialog (0: the screen's).
  explicit CNewClassDlg(MainWindowOperations& main, double scale = 0.0);

  // The first year each list offers. Both lists run to a few years past the
  // clock's, so the current school year and the next are always there.
  static constexpr int kFirstYear = 2003;

 protected:
  void OnCommand(int id) override;

 private:
  void OnInitDialog();
  void FillYearLists(int currentYear);
  void OnValidate();

  MainWindowOperations& main_;
  widgets::IconButton& validate_;
  widgets::IconButton& quit_;
  QLineEdit& name_;
  QLineEdit& info_;
  QComboBox& firstYear_;
  QComboBox& secondYear_;
  int currentYear_ = kFirstYear;
};

}  // namespace vellanor
