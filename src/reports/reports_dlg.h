#pragma once

#include <optional>
#include <string>
#include <vector>

#include "widgets/template_dialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace vellanor {

class MainWindowOperations;

namespace widgets {
class IconButton;
class ReportList;
}  // namespace widgets

// "Production de rapports": merges an RTF template with the selected classes
// or students and saves or prints one document each. Changes nothing in the
// gradebook; every opening starts afresh.
class CReportsDlg : public widgets::TemplateDialog {
  Q_OBJECT

 public:
  explicit CReportsDlg(MainWindowOperations& main, double scale = 0.0);

 protected:
  void OnCommand(int id) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnInitDialog();
  void AllowGrowing();
  void OnChooseTemplate();
  void OnChooseDirectory();
  void OnSaveMode();
  void OnPrintMode();
  void OnClassMode();
  void OnStudentMode();
  void OnClassListClick();
  void OnProduce();

  // One document to produce: a class, or one of its students.
  struct Document {
    int classPosition;
    int studentPosition;  // -1 for the class's own document
    std::string name;     // Windows-1252
  };
  std::optional<std::string> ReadTemplate();
  std::vector<Document> SelectedDocuments() const;
  void Produce(const std::string& templateText, const Document& document);

  MainWindowOperations& main_;
  widgets::IconButton& quit_;
  QLineEdit& templatePath_;
  widgets::IconButton& chooseTemplate_;
  QCheckBox& charts_;
  QRadioButton& saveMode_;
  QLineEdit& directory_;
  widgets::IconButton& chooseDirectory_;
  QRadioButton& printMode_;
  widgets::IconButton& produce_;
  QRadioButton& classMode_;
  QRadioButton& studentMode_;
  widgets::ReportList& classList_;
  widgets::ReportList& studentList_;
  // The class whose students the student list shows, or -1.
  int listedClass_ = -1;
};

}  // namespace vellanor
