#include "dialogs/new_student_dlg.h"

#include <string>
#include <utility>

#include <QComboBox>
#include <QLineEdit>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "app/record_lists.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

constexpr int kBoyPosition = 0;  // "Garçon", then "Fille"

template <std::size_t N>
void LimitTo(QLineEdit& edit, const TextField<N>&) {
  edit.setMaxLength(static_cast<int>(N));
}

void ShowError(MainWindowOperations& main, const char* text) {
  main.GetServices().messages.Inform(text, "Erreur", platform::MessageIcon::Stop);
}

}  // namespace

CNewStudentDlg::CNewStudentDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgNewStudent, main.DialogParent(), scale),
      main_(main),
      validate_(Bind<widgets::IconButton>(res::kIdOk)),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      classList_(Bind<widgets::ComboList>(res::kCtlStudentClass)),
      name_(Bind<QLineEdit>(res::kCtlStudentName)),
      firstName_(Bind<QLineEdit>(res::kCtlStudentFirstName)),
      sex_(Bind<QComboBox>(res::kCtlStudentSex)),
      birthDate_(Bind<QLineEdit>(res::kCtlStudentBirthDate)),
      birthPlace_(Bind<QLineEdit>(res::kCtlStudentBirthPlace)),
      info_(Bind<QLineEdit>(res::kCtlStudentInfo)) {
  OnInitDialog();
}

void CNewStudentDlg::OnInitDialog() {
  FillClassList(classList_, main_.GetGradebook(), true);
  connect(&sex_, &QComboBox::currentIndexChanged, this, [this] { OnSelChangeSex(); });
  sex_.setCurrentIndex(kBoyPosition);

  const StudentRecord blank;
  LimitTo(name_, blank.name);
  LimitTo(firstName_, blank.firstName);
  LimitTo(birthDate_, blank.birthDate);
  LimitTo(birthPlace_, blank.birthPlace);
  LimitTo(info_, blank.info);

  widgets::SetUpIconButton(validate_, res::kIconValidate, QStringLiteral("Valide la création"));
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  name_.setFocus(Qt::OtherFocusReason);
}

void CNewStudentDlg::OnCommand(int id) {
  if (id == res::kIdOk) {
    OnValidate();
  } else if (id == res::kIdCancel) {
    OnQuit();
  }
}

void CNewStudentDlg::OnSelChangeSex() {
  SetStaticIcon(res::kCtlStudentPicture,
                sex_.currentIndex() == kBoyPosition ? res::kIconBoy : res::kIconGirl);
}

void CNewStudentDlg::OnValidate() {
  ClassRecord* record = ClassNamedBy(main_.GetGradebook(), classList_);
  if (record == nullptr) {
    main_.GetServices().messages.Inform("Créer une classe s'il vous plaît", "Attention",
                                        platform::MessageIcon::Exclamation);
    return;
  }
  const QString name = name_.text();
  if (name.isEmpty()) {
    ShowError(main_, "Le nom de l'élève est manquant !");
    return;
  }
  const QString firstName = firstName_.text();
  if (firstName.isEmpty()) {
    ShowError(main_, "Le prénom de l'élève est manquant !");
    return;
  }
  const std::pair<const QLineEdit*, const char*> fields[] = {{&name_, "Nom"},
                                                             {&firstName_, "Prénom"},
                                                             {&birthDate_, "Date de naissance"},
                                                             {&birthPlace_, "Lieu de naissance"},
                                                             {&info_, "Informations"}};
  for (const auto& [edit, label] : fields) {
    if (!CheckStorable(main_, edit->text(), QString::fromUtf8(label))) {
      return;
    }
  }

  StudentRecord student;
  AssignText(student.name, name);
  AssignText(student.firstName, firstName);
  student.sex = sex_.currentIndex() == kBoyPosition ? 1 : 0;
  AssignText(student.birthDate, birthDate_.text());
  AssignText(student.birthPlace, birthPlace_.text());
  AssignText(student.info, info_.text());
  // Absent on every assessment the class already has.
  if (GradeColumnCount(*record) > 0) {
    student.grades.reserve(record->columns.size());
    for (const GradeRecord& column : record->columns) {
      GradeRecord mark;
      mark.value = kAbsenceValue;
      mark.kind = column.kind;
      mark.coefficient = column.coefficient;
      mark.trimester = column.trimester;
      student.grades.push_back(mark);
    }
  }
  if (AppendStudent(*record, std::move(student)) != AppendResult::Done) {
    RefuseNewStudent(main_, *record, name, firstName);
    return;
  }
  if (++createdCount_ == 1) {
    created_ = {ChangeKind::StudentCreated, classList_.Position(),
                DescribeStudentChange(ChangeKind::StudentCreated, record->students.back())};
  } else {
    created_.what = "création de " + std::to_string(createdCount_) + " élèves";
  }
  main_.GetServices().messages.Inform("Nouvel élève créé...", "Information",
                                      platform::MessageIcon::Information);
  name_.setFocus(Qt::OtherFocusReason);
  name_.clear();
  firstName_.clear();
}

void CNewStudentDlg::OnQuit() {
  main_.Commit(created_);
  reject();
}

}  // namespace vellanor
