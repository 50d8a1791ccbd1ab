#include "exchange/import_export_dlg.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

#include "app/main_window_operations.h"
#include "app/record_lists.h"
#include "exchange/main_window_exchange.h"
#include "model/gradebook.h"
#include "platform/file_chooser.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

// The longest path the document field takes, typed or chosen.
constexpr int kLongestPath = 255;
constexpr int kStudentRowsShown = 10;

// Whether `path` names the database file itself (through any other spelling
// or link). An export there would replace the gradebook with its CSV.
bool IsTheDatabase(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::equivalent(path, kDatabaseFileName, error);
}

}  // namespace

CImportExportDlg::CImportExportDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgImportExport, main.DialogParent(), scale),
      main_(main),
      classList_(Bind<widgets::ComboList>(res::kCtlExchangeClassList)),
      notesOnly_(Bind<QCheckBox>(res::kCtlExchangeNotesOnly)),
      studentList_(Bind<widgets::ComboList>(res::kCtlExchangeStudentList)),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      execute_(Bind<widgets::IconButton>(res::kIdOk)),
      chooseDocument_(Bind<widgets::IconButton>(res::kCtlExchangeChooseDocument)),
      oneStudent_(Bind<QRadioButton>(res::kCtlExchangeOneStudent)),
      document_(Bind<QLineEdit>(res::kCtlExchangeDocument)) {
  OnInitDialog();
}

void CImportExportDlg::OnInitDialog() {
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  widgets::SetUpIconButton(execute_, res::kIconExecute, QStringLiteral("Exécute l'export"));
  widgets::SetUpIconButton(chooseDocument_, res::kIconFolder,
                           QStringLiteral("Sélectionne le document"));

  // The format and "notes only" are fixed: shown checked, never changed.
  CheckRadioButton(res::kCtlExchangeExcelFormat);
  CheckRadioButton(res::kCtlExchangeExport);
  CheckRadioButton(res::kCtlExchangeOneClass);
  notesOnly_.setChecked(true);

  document_.setMaxLength(kLongestPath);

  const Gradebook& book = main_.GetGradebook();
  FillClassList(classList_, book, false);
  FillStudentList(studentList_, ClassAt(book, 0));
  studentList_.setEnabled(false);
  // The template's list is a few rows tall; a class has some thirty students.
  studentList_.setMaxVisibleItems(std::max(kStudentRowsShown, studentList_.maxVisibleItems()));
  connect(&classList_, &widgets::ComboList::currentIndexChanged, this,
          [this] { OnClassChanged(); });
}

void CImportExportDlg::OnCommand(int id) {
  switch (id) {
    case res::kCtlExchangeExport:
      OnActionExport();
      break;
    case res::kCtlExchangeImport:
      OnActionImport();
      break;
    case res::kCtlExchangeOneClass:
      OnOneClass();
      break;
    case res::kCtlExchangeOneStudent:
      OnOneStudent();
      break;
    case res::kCtlExchangeChooseDocument:
      OnChooseDocument();
      break;
    case res::kIdOk:  // the execute button, and Enter: the dialog stays open
      OnExecute();
      break;
    case res::kIdCancel:
      reject();
      break;
    default:
      break;
  }
}

bool CImportExportDlg::Importing() const {
  return CheckedRadioButton(res::kCtlExchangeExport) == res::kCtlExchangeImport;
}

void CImportExportDlg::OnActionExport() {
  execute_.SetTooltipText(QStringLiteral("Exécute l'export"));
  execute_.setText(QStringLiteral("Exporter"));
  oneStudent_.setEnabled(true);
}

void CImportExportDlg::OnActionImport() {
  execute_.SetTooltipText(QStringLiteral("Exécute l'import"));
  execute_.setText(QStringLiteral("Importer"));
  oneStudent_.setEnabled(false);
  // An import always goes into a whole class; the student list plays no part.
  CheckRadioButton(res::kCtlExchangeOneClass);
  OnOneClass();
}

void CImportExportDlg::OnOneClass() {
  studentList_.setEnabled(false);
}

void CImportExportDlg::OnOneStudent() {
  studentList_.setEnabled(true);
}

void CImportExportDlg::OnClassChanged() {
  FillStudentList(studentList_, ClassNamedBy(main_.GetGradebook(), classList_));
  // Another class's list starts at its first row, not where the last one was scrolled.
  studentList_.view()->scrollToTop();
}

void CImportExportDlg::OnChooseDocument() {
  platform::FileRequest request;
  request.title = "Choisissez le document CSV";
  // The chooser opens where the last document is.
  if (!document_.text().isEmpty()) {
    request.initialFolder = QFileInfo(document_.text()).absolutePath().toStdString();
  }
  request.initialName = "*.csv";
  request.filters = {{"MS Excel", "*.csv *.CSV"}, {"All files", "*"}};
  request.defaultSuffix = "csv";
  // An export may name a file that does not exist yet.
  request.mustExist = Importing();
  const std::optional<std::string> chosen = main_.GetServices().chooser.ChooseFile(request);
  platform::MessageService& messages = main_.GetServices().messages;
  if (!chosen || chosen->empty()) {
    messages.Inform("Nom du document invalide", "Erreur", MessageIcon::Stop);
    return;
  }
  const QString path = QString::fromStdString(*chosen);
  // Cut to the field, the path would name another file.
  if (path.size() > kLongestPath) {
    messages.Inform("Nom du document trop long :\n255 caractères au plus", "Erreur",
                    MessageIcon::Stop);
    return;
  }
  document_.setText(path);
}

void CImportExportDlg::OnExecute() {
  // Nothing is checked here: each run says what it cannot do (no class, a
  // list that names nothing, a path that does not open).
  std::string path = document_.text().left(kLongestPath).toStdString();
  const int classPosition = classList_.Position();
  if (Importing()) {
    exchange::ImportIntoMainWindow(main_, path, classPosition);
    return;
  }
  // The field shows the file the export writes.
  path = exchange::ExportPath(path);
  if (QString::fromStdString(path) != document_.text()) {
    document_.setText(QString::fromStdString(path));
  }
  if (IsTheDatabase(path)) {
    main_.GetServices().messages.Inform(
        "Ce document est la base de données « Vellanor.db » :\nchoisissez un autre nom",
        "Attention", MessageIcon::Exclamation);
    return;
  }
  const bool oneStudent =
      CheckedRadioButton(res::kCtlExchangeOneClass) == res::kCtlExchangeOneStudent;
  exchange::ExportRequest request;
  request.path = path;
  request.classPosition = classPosition;
  request.scope =
      oneStudent ? exchange::ExportScope::OneStudent : exchange::ExportScope::WholeClass;
  request.studentPosition = studentList_.Position();
  exchange::ExportFromMainWindow(main_, request);
}

}  // namespace vellanor
