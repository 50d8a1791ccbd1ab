#include "dialogs/delete_dlg.h"

#include <QComboBox>

#include "app/database_backups.h"
#include "app/main_window_operations.h"
#include "dialogs/record_lists.h"
#include "model/averages.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/icon_button.h"

namespace vellanor {

CDeleteDlg::CDeleteDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgDelete, main.DialogParent(), scale),
      main_(main),
      validate_(Bind<widgets::IconButton>(res::kIdOk)),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      classList_(Bind<QComboBox>(res::kCtlDeleteClassList)),
      studentList_(Bind<QComboBox>(res::kCtlDeleteStudentList)) {
  OnInitDialog();
}

int CDeleteDlg::Run(MainWindowOperations& main) {
  CDeleteDlg dialog(main);
  return dialog.exec();
}

void CDeleteDlg::OnInitDialog() {
  widgets::SetUpIconButton(validate_, res::kIconValidate, QStringLiteral("Valide la sélection"));
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  connect(&classList_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) {
      OnSelChangeClass();
    }
  });
  FillLists();
  CheckRadioButton(res::kCtlDeleteClassRadio, res::kCtlDeleteStudentRadio,
                   res::kCtlDeleteClassRadio);
}

void CDeleteDlg::FillLists() {
  filling_ = true;
  const Gradebook& book = main_.GetGradebook();
  FillClassList(classList_, book, false);
  classList_.setCurrentIndex(classList_.count() > 0 ? 0 : -1);
  FillStudentList(studentList_, ClassAt(book, 0));
  filling_ = false;
}

void CDeleteDlg::OnSelChangeClass() {
  FillStudentList(studentList_, ClassAt(main_.GetGradebook(), classList_.currentIndex()));
}

void CDeleteDlg::OnCommand(int id) {
  if (id == res::kIdOk) {
    OnValidate();
  } else if (id == res::kIdCancel) {
    reject();
  }
}

void CDeleteDlg::OnValidate() {
  Gradebook& book = main_.GetGradebook();
  const int classPosition = classList_.currentIndex();
  ClassRecord* record = ClassAt(book, classPosition);
  if (record == nullptr) {
    return;
  }
  platform::MessageService& messages = main_.GetServices().messages;
  const bool wholeClass =
      CheckedRadioButton(res::kCtlDeleteClassRadio, res::kCtlDeleteStudentRadio) ==
      res::kCtlDeleteClassRadio;
  if (!BackUpBeforeDeletion(main_, wholeClass ? Deletion::Class : Deletion::Student, classPosition,
                            studentList_.currentIndex())) {
    return;
  }
  if (wholeClass) {
    RemoveClass(book, classPosition);
    messages.Inform("Classe éffacée...", "Information", platform::MessageIcon::Information);
  } else {
    if (RemoveStudent(*record, studentList_.currentIndex())) {
      messages.Inform("Eleve éffacé...", "Information", platform::MessageIcon::Information);
    }
    // The class's averages and means leave the deleted student's marks out.
    RecomputeClass(*record);
  }
  main_.SaveDatabase(kDatabaseFileName);
  main_.RebuildTree();
  if (book.classes.empty()) {
    accept();
    return;
  }
  FillLists();
}

}  // namespace vellanor
