#include "reports/reports_dlg.h"

#include <algorithm>
#include <exception>

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "model/gradebook.h"
#include "platform/file_chooser.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/program_launcher.h"
#include "reports/chart_picture.h"
#include "reports/document_writer.h"
#include "reports/merge/document_names.h"
#include "reports/merge/template_merge.h"
#include "reports/merge/template_reader.h"
#include "resources/ids.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"
#include "widgets/window_geometry.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

std::vector<int> SelectedRows(const widgets::ReportList& list) {
  std::vector<int> rows;
  for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace

CReportsDlg::CReportsDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgReports, main.DialogParent(), scale),
      main_(main),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      templatePath_(Bind<QLineEdit>(res::kCtlReportTemplate)),
      chooseTemplate_(Bind<widgets::IconButton>(res::kCtlReportChooseTemplate)),
      charts_(Bind<QCheckBox>(res::kCtlReportCharts)),
      saveMode_(Bind<QRadioButton>(res::kCtlReportSave)),
      directory_(Bind<QLineEdit>(res::kCtlReportDirectory)),
      chooseDirectory_(Bind<widgets::IconButton>(res::kCtlReportChooseDirectory)),
      printMode_(Bind<QRadioButton>(res::kCtlReportPrint)),
      produce_(Bind<widgets::IconButton>(res::kCtlReportProduce)),
      classMode_(Bind<QRadioButton>(res::kCtlReportClassMode)),
      studentMode_(Bind<QRadioButton>(res::kCtlReportStudentMode)),
      classList_(Bind<widgets::ReportList>(res::kCtlReportClassList)),
      studentList_(Bind<widgets::ReportList>(res::kCtlReportStudentList)),
      formatRtf_(Bind<QRadioButton>(res::kCtlReportFormatRtf)),
      formatPdf_(Bind<QRadioButton>(res::kCtlReportFormatPdf)),
      singleDocument_(Bind<QCheckBox>(res::kCtlReportSingleDocument)) {
  OnInitDialog();
  AllowGrowing();
}

void CReportsDlg::AllowGrowing() {
  // Paths get longer fields with their buttons at the right; the lists take
  // the height gained, the student list most of the width.
  constexpr double kClasses = 0.3;
  using widgets::Stretch;
  widgets::MakeResizable(
      *this, QStringLiteral("reports"),
      {Stretch{.id = res::kIdCancel, .moveX = 1}, Stretch{.text = " Document (*.RTF)", .growX = 1},
       Stretch{.id = res::kCtlReportTemplate, .growX = 1},
       Stretch{.id = res::kCtlReportChooseTemplate, .moveX = 1},
       Stretch{.id = res::kCtlReportDirectory, .growX = 1},
       Stretch{.id = res::kCtlReportChooseDirectory, .moveX = 1},
       Stretch{.text = " Source : ", .growX = 1, .growY = 1},
       Stretch{.id = res::kCtlReportProduce, .moveX = 1},
       Stretch{.id = res::kCtlReportStudentMode, .moveX = kClasses},
       Stretch{.id = res::kCtlReportClassList, .growX = kClasses, .growY = 1},
       Stretch{.text = "Format :", .moveY = 1}, Stretch{.id = res::kCtlReportFormatRtf, .moveY = 1},
       Stretch{.id = res::kCtlReportFormatPdf, .moveY = 1},
       Stretch{.id = res::kCtlReportSingleDocument, .moveY = 1},
       Stretch{.id = res::kCtlReportStudentList,
               .moveX = kClasses,
               .growX = 1 - kClasses,
               .growY = 1}});
}

void CReportsDlg::OnInitDialog() {
  directory_.setEnabled(false);
  chooseDirectory_.setEnabled(false);
  studentList_.setEnabled(false);

  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  widgets::SetUpIconButton(chooseTemplate_, res::kIconDocument,
                           QStringLiteral("Sélectionne le document RTF"));
  widgets::SetUpIconButton(chooseDirectory_, res::kIconFolder,
                           QStringLiteral("Choisi le répertoire de sauvegarde"));
  widgets::SetUpIconButton(produce_, res::kIconProduce, QStringLiteral("Produit le document"));

  CheckRadioButton(res::kCtlReportPrint);
  CheckRadioButton(res::kCtlReportClassMode);
  CheckRadioButton(res::kCtlReportFormatRtf);
  UpdateFormatControls();

  classList_.SetGridLines(true);
  classList_.InsertColumn(0, QStringLiteral("Classe :"), Px(105));
  classList_.InsertColumn(1, QStringLiteral("Année :"), Px(85));
  studentList_.SetGridLines(true);
  studentList_.InsertColumn(0, QStringLiteral("Nom :"), Px(160));
  studentList_.InsertColumn(1, QStringLiteral("Prénom :"), Px(155));
  const Gradebook& book = main_.GetGradebook();
  for (int row = 0; row < static_cast<int>(book.classes.size()); ++row) {
    const ClassRecord& record = book.classes[static_cast<std::size_t>(row)];
    classList_.InsertRow(row, ToQString(record.name));
    classList_.SetItemText(row, 1, ToQString(record.year));
  }
  // A class chosen with the mouse or with the arrow keys lists its students.
  connect(classList_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { OnClassListClick(); });
}

void CReportsDlg::OnCommand(int id) {
  switch (id) {
    case res::kCtlReportChooseTemplate:
      OnChooseTemplate();
      break;
    case res::kCtlReportChooseDirectory:
      OnChooseDirectory();
      break;
    case res::kCtlReportSave:
      OnSaveMode();
      break;
    case res::kCtlReportPrint:
      OnPrintMode();
      break;
    case res::kCtlReportClassMode:
      OnClassMode();
      break;
    case res::kCtlReportStudentMode:
      OnStudentMode();
      break;
    case res::kCtlReportProduce:
      OnProduce();
      break;
    case res::kCtlReportFormatRtf:
    case res::kCtlReportFormatPdf:
      UpdateFormatControls();
      break;
    case res::kIdCancel:
      reject();
      break;
    default:
      break;
  }
}

void CReportsDlg::OnChooseTemplate() {
  platform::FileRequest request;
  request.initialFolder = "Template";
  // Upper and lower case: file names are case-sensitive outside Windows.
  request.filters = {{"Rtf file", " *.RTF *.rtf"}};
  const std::optional<std::string> chosen = main_.GetServices().chooser.ChooseFile(request);
  if (!chosen) {
    main_.GetServices().messages.Inform("Document non valide", "Erreur!", MessageIcon::Stop);
    return;
  }
  templatePath_.setText(QString::fromStdString(*chosen));
}

void CReportsDlg::OnChooseDirectory() {
  if (!saveMode_.isChecked()) {
    return;
  }
  const std::optional<std::string> chosen = main_.GetServices().chooser.ChooseFolder(
      "Choisissez le répertoire de création des documents", "");
  if (!chosen || chosen->empty()) {
    main_.GetServices().messages.Inform("Répertopire non valide", "Erreur!", MessageIcon::Stop);
    return;
  }
  directory_.setText(QString::fromStdString(*chosen));
}

void CReportsDlg::OnSaveMode() {
  directory_.setEnabled(true);
  chooseDirectory_.setEnabled(true);
  UpdateFormatControls();
  OnChooseDirectory();
}

void CReportsDlg::OnPrintMode() {
  directory_.setEnabled(false);
  chooseDirectory_.setEnabled(false);
  UpdateFormatControls();
}

void CReportsDlg::OnClassMode() {
  studentList_.setEnabled(false);
  studentList_.clearSelection();
  UpdateFormatControls();
}

void CReportsDlg::OnStudentMode() {
  studentList_.setEnabled(true);
  UpdateFormatControls();
}

void CReportsDlg::OnClassListClick() {
  const std::vector<int> rows = SelectedRows(classList_);
  if (rows.size() == 1 && rows.front() == listedClass_) {
    return;  // the same class: its students keep their selection
  }
  studentList_.DeleteAllRows();
  listedClass_ = -1;
  if (rows.size() != 1) {
    return;
  }
  const ClassRecord* record = ClassAt(main_.GetGradebook(), rows.front());
  if (record == nullptr) {
    return;
  }
  listedClass_ = rows.front();
  for (int row = 0; row < static_cast<int>(record->students.size()); ++row) {
    const StudentRecord& student = record->students[static_cast<std::size_t>(row)];
    studentList_.InsertRow(row, ToQString(student.name));
    studentList_.SetItemText(row, 1, ToQString(student.firstName));
  }
  // Another class's list starts at its first student, not where the last
  // one was scrolled to.
  studentList_.scrollToTop();
  if (studentList_.rowCount() > 0) {
    studentList_.selectionModel()->setCurrentIndex(studentList_.model()->index(0, 0),
                                                   QItemSelectionModel::NoUpdate);
  }
}

std::optional<std::string> CReportsDlg::ReadTemplate() {
  TemplateFile read =
      ReadTemplateFile(main_.GetServices().files, templatePath_.text().toStdString());
  if (!read.text) {
    main_.GetServices().messages.Inform(read.error, "Erreur!", MessageIcon::Stop);
  }
  return std::move(read.text);
}

std::vector<CReportsDlg::Document> CReportsDlg::SelectedDocuments() const {
  const Gradebook& book = main_.GetGradebook();
  std::vector<Document> documents;
  DocumentNames names;
  if (classMode_.isChecked()) {
    for (const int row : SelectedRows(classList_)) {
      if (const ClassRecord* record = ClassAt(book, row)) {
        documents.push_back({row, -1, names.Take(record->name.View())});
      }
    }
    return documents;
  }
  // The selected students are those of the class the list shows.
  const ClassRecord* record = ClassAt(book, listedClass_);
  if (record == nullptr) {
    return documents;
  }
  const std::vector<std::string> studentNames = StudentDocumentNames(*record);
  for (const int row : SelectedRows(studentList_)) {
    if (StudentAt(*record, row) != nullptr) {
      documents.push_back({listedClass_, row, studentNames[static_cast<std::size_t>(row)]});
    }
  }
  return documents;
}

void CReportsDlg::OnProduce() {
  platform::MessageService& messages = main_.GetServices().messages;
  const std::optional<std::string> templateText = ReadTemplate();
  if (!templateText) {
    return;
  }
  if (studentMode_.isChecked() && SelectedRows(studentList_).empty()) {
    messages.Inform("Aucun élève sélectionné", "Erreur", MessageIcon::Stop);
    return;
  }
  const std::vector<Document> documents = SelectedDocuments();
  if (documents.empty()) {
    return;
  }
  // Without a folder the documents would land wherever the path leads.
  if (saveMode_.isChecked() && directory_.text().trimmed().isEmpty()) {
    messages.Inform("Répertopire non valide", "Erreur!", MessageIcon::Stop);
    return;
  }
  // Asked once for the whole production (a query of the print system), and
  // said before anything is written.
  const bool printing = printMode_.isChecked();
  const bool hasPrinter = printing && main_.GetServices().launcher.HasPrinter();
  if (printing && !hasPrinter) {
    messages.Inform(NoPrinterMessage(), "Attention", MessageIcon::Exclamation);
  }
  try {
    if (saveMode_.isChecked() && formatPdf_.isChecked() && formatPdf_.isEnabled()) {
      ProducePdf(*templateText, documents);
      return;
    }
    if (printing) {
      // Every document written first, then one word processor prints them all.
      PrintJob job(main_.GetServices(), hasPrinter);
      for (const Document& document : documents) {
        if (const std::optional<std::string> merged = Merge(*templateText, document)) {
          job.Add(*merged, document.name);
        }
      }
      job.Start();
      return;
    }
    const DocumentTarget target{false, directory_.text().toStdString()};
    for (const Document& document : documents) {
      if (const std::optional<std::string> merged = Merge(*templateText, document)) {
        WriteDocument(main_.GetServices(), *merged, document.name, target);
      }
    }
  } catch (const std::exception&) {
    // Out of memory, or a template that would make a document too large.
    messages.Inform("Erreur à la création du document", "Erreur!", MessageIcon::Stop);
  }
}

std::optional<std::string> CReportsDlg::Merge(const std::string& templateText,
                                              const Document& document) const {
  // Looked up again for each document: the gradebook is not ours to hold.
  const ClassRecord* record = ClassAt(main_.GetGradebook(), document.classPosition);
  if (record == nullptr) {
    return std::nullopt;
  }
  const bool classMode = document.studentPosition < 0;
  const StudentRecord* student = classMode ? nullptr : StudentAt(*record, document.studentPosition);
  if (!classMode && student == nullptr) {
    return std::nullopt;
  }
  const ChartMaker charts = charts_.isChecked() ? ChartMaker(AppendChartPicture) : ChartMaker();
  return MergeTemplate(templateText, *record, student, classMode, charts);
}

}  // namespace vellanor
