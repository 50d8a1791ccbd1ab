#include "dialogs/delete_dlg.h"

#include "app/database_backups.h"
#include "app/main_window_operations.h"
#include "app/record_lists.h"
#include "model/averages.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"

namespace vellanor {

CDeleteDlg::CDeleteDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgDelete, main.DialogParent(), scale),
      main_(main),
      validate_(Bind<widgets::IconButton>(res::kIdOk)),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      classList_(Bind<widgets::ComboList>(res::kCtlDeleteClassList)),
      studentList_(Bind<widgets::ComboList>(res::kCtlDeleteStudentList)) {
  OnInitDialog();
}

void CDeleteDlg::OnInitDialog() {
  widgets::SetUpIconButton(validate_, res::kIconValidate, QStringLiteral("Valide la sélection"));
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  connect(&classList_, &widgets::ComboList::currentIndexChanged, this,
          [this] { OnSelChangeClass(); });
  FillLists();
  CheckRadioButton(res::kCtlDeleteClassRadio);
}

void CDeleteDlg::FillLists() {
  const Gradebook& book = main_.GetGradebook();
  FillClassList(classList_, book, false);
  FillStudentList(studentList_, ClassAt(book, 0));
}

void CDeleteDlg::OnSelChangeClass() {
  FillStudentList(studentList_, ClassNamedBy(main_.GetGradebook(), classList_));
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
  ClassRecord* record = ClassNamedBy(book, classList_);
  if (record == nullptr) {
    return;  // the class list names no class: nothing is deleted
  }
  platform::MessageService& messages = main_.GetServices().messages;
  const int classPosition = classList_.Position();
  const bool wholeClass =
      CheckedRadioButton(res::kCtlDeleteClassRadio) == res::kCtlDeleteClassRadio;
  if (!BackUpBeforeDeletion(main_, wholeClass ? Deletion::Class : Deletion::Student, classPosition,
                            studentList_.Position())) {
    return;
  }
  Change change{wholeClass ? ChangeKind::ClassDeleted : ChangeKind::StudentDeleted, classPosition,
                DescribeClassChange(ChangeKind::ClassDeleted, *record)};
  if (wholeClass) {
    RemoveClass(book, classPosition);
    messages.Inform("Classe éffacée...", "Information", platform::MessageIcon::Information);
  } else {
    // A student list that names no student removes nobody.
    if (const StudentRecord* student = StudentAt(*record, studentList_.Position())) {
      change.what = DescribeStudentChange(ChangeKind::StudentDeleted, *student);
    }
    if (RemoveStudent(*record, studentList_.Position())) {
      messages.Inform("Eleve éffacé...", "Information", platform::MessageIcon::Information);
    }
  }
  // After a student's deletion the class is recomputed: its averages and
  // means leave the deleted student's marks out.
  main_.Commit(change);
  if (book.classes.empty()) {
    accept();
    return;
  }
  FillLists();
}

}  // namespace vellanor
