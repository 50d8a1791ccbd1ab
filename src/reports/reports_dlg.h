#pragma once

#include <chrono>
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

  // How long LibreOffice may take over one document (60 s); tests shorten it.
  void SetPdfTimeout(std::chrono::milliseconds timeout) { pdfTimeout_ = timeout; }

 protected:
  void OnCommand(int id) override;

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
  // The document merged from the template; nothing when its class or
  // student is gone.
  std::optional<std::string> Merge(const std::string& templateText, const Document& document) const;
  // Saving as PDF (reports_dlg_pdf.cpp): the format choice follows the save
  // mode and whether LibreOffice is there; every document of a production
  // goes through one run of it.
  void UpdateFormatControls();
  void ProducePdf(const std::string& templateText, const std::vector<Document>& documents);

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
  QRadioButton& formatRtf_;
  QRadioButton& formatPdf_;
  QCheckBox& singleDocument_;
  std::string soffice_;  // LibreOffice's program, empty when not installed
  // The class whose students the student list shows, or -1.
  int listedClass_ = -1;
  std::chrono::milliseconds pdfTimeout_{60000};
};

}  // namespace vellanor
