#include "dialogs/modify_info_dlg.h"

#include <QEvent>
#include <QRadioButton>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "app/record_lists.h"
#include "model/gradebook.h"
#include "resources/ids.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

constexpr int kLabelColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kLabelWidthPx = 125;
constexpr int kValueWidthPx = 310;
constexpr int kEditorMaxLength = 100;

// Rows of a class's lines.
enum ClassRow { kClassName, kClassYear, kClassInfo, kClassStudentCount };
// Rows of a student's lines.
enum StudentRow {
  kStudentName,
  kStudentFirstName,
  kStudentSex,
  kStudentBirthDate,
  kStudentBirthPlace,
  kStudentInfo
};

// A bordered editor over the value cell, 2 px inside it across and one
// pixel past its bottom.
widgets::CellEditor::Look EditorLook() {
  widgets::CellEditor::Look look;
  look.controlId = res::kCtlModifyEditor;
  look.frame = true;
  look.maxLength = kEditorMaxLength;
  look.readLength = kEditorMaxLength;
  look.margins = QMargins(2, 0, 2, -1);
  return look;
}

QString SexText(bool boy) {
  return boy ? QStringLiteral("Garçon") : QStringLiteral("Fille");
}

QString CountText(const ClassRecord& record) {
  return QString::number(record.studentCount);
}

// The name of the text field a line stores, for messages; nullptr for the
// lines that store no text (the sex, the number of students).
const char* TextFieldName(bool student, int row) {
  if (student) {
    switch (row) {
      case kStudentName:
        return "Nom";
      case kStudentFirstName:
        return "Prénom";
      case kStudentBirthDate:
        return "Date de naissance";
      case kStudentBirthPlace:
        return "Lieu de naissance";
      case kStudentInfo:
        return "Informations";
      default:
        return nullptr;
    }
  }
  switch (row) {
    case kClassName:
      return "Nom";
    case kClassYear:
      return "Année";
    case kClassInfo:
      return "Informations";
    default:
      return nullptr;
  }
}

template <std::size_t N>
QString Store(TextField<N>& field, const QString& text) {
  AssignText(field, text);
  return ToQString(field);
}

}  // namespace

CModifyInfoDlg::CModifyInfoDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgModifyInfo, main.DialogParent(), scale),
      main_(main),
      quit_(Bind<widgets::IconButton>(res::kCtlModifyQuit)),
      classRadio_(Bind<QRadioButton>(res::kCtlModifyClassRadio)),
      studentRadio_(Bind<QRadioButton>(res::kCtlModifyStudentRadio)),
      classList_(Bind<widgets::ComboList>(res::kCtlModifyClassList)),
      studentList_(Bind<widgets::ComboList>(res::kCtlModifyStudentList)),
      lines_(Bind<widgets::ReportList>(res::kCtlModifyLines)),
      editor_(lines_, *ClientArea(), EditorLook()) {
  OnInitDialog();
}

void CModifyInfoDlg::OnInitDialog() {
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));

  lines_.SetGridLines(true);
  lines_.InsertColumn(kLabelColumn, QStringLiteral("Label"), Px(kLabelWidthPx));
  lines_.InsertColumn(kValueColumn, QStringLiteral("Informations"), Px(kValueWidthPx));
  // A click anywhere in the list closes the editor; a double click opens it.
  lines_.viewport()->installEventFilter(this);
  // The focus leaving the editor in any way stores its value.
  connect(&editor_, &widgets::CellEditor::FocusLeft, this, [this] {
    if (!refusing_) {
      CommitEditor();
    }
  });

  FillClassList(classList_, main_.GetGradebook(), true);
  FillStudentList(studentList_, ClassAt(main_.GetGradebook(), 0));
  connect(&classList_, &widgets::ComboList::currentIndexChanged, this,
          [this] { OnSelChangeClass(); });
  connect(&studentList_, &widgets::ComboList::currentIndexChanged, this,
          [this] { OnSelChangeStudent(); });
  ShowClassLines();
  CheckRadioButton(res::kCtlModifyClassRadio);
}

void CModifyInfoDlg::OnCommand(int id) {
  switch (id) {
    case res::kCtlModifyClassRadio:
      OnClickedClassRadio();
      break;
    case res::kCtlModifyStudentRadio:
      OnClickedStudentRadio();
      break;
    case res::kCtlModifyEnter:
      // Enter closes the editor with its value (the hidden default button
      // cannot take the focus here, so the value is committed directly).
      CommitEditor();
      break;
    case res::kCtlModifyQuit:
      OnQuit();
      break;
    case res::kIdCancel:
      OnCancel();
      break;
    default:
      break;
  }
}

bool CModifyInfoDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lines_.viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      CommitEditor();
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      OnDblClickLines();
    }
  }
  return TemplateDialog::eventFilter(watched, event);
}

bool CModifyInfoDlg::StudentChecked() const {
  return CheckedRadioButton(res::kCtlModifyClassRadio) == res::kCtlModifyStudentRadio;
}

void CModifyInfoDlg::RefillStudentList() {
  FillStudentList(studentList_, ClassNamedBy(main_.GetGradebook(), classList_));
}

void CModifyInfoDlg::AddLine(int row, const char* label, const QString& value) {
  lines_.InsertRow(row, QString::fromUtf8(label));
  lines_.SetItemText(row, kValueColumn, value);
}

void CModifyInfoDlg::ShowClassLines() {
  // A value being typed belongs to the lines shown so far.
  CommitEditor(OnRefusal::Drop);
  lines_.DeleteAllRows();
  const ClassRecord* record = ClassNamedBy(main_.GetGradebook(), classList_);
  if (record == nullptr) {
    return;
  }
  AddLine(kClassName, "Nom :", ToQString(record->name));
  AddLine(kClassYear, "Année :", ToQString(record->year));
  AddLine(kClassInfo, "Informations :", ToQString(record->info));
  AddLine(kClassStudentCount, "Nombre d'élèves :", CountText(*record));
}

void CModifyInfoDlg::ShowStudentLines() {
  CommitEditor(OnRefusal::Drop);
  lines_.DeleteAllRows();
  const StudentRecord* student =
      StudentNamedBy(ClassNamedBy(main_.GetGradebook(), classList_), studentList_);
  if (student == nullptr) {
    return;
  }
  AddLine(kStudentName, "Nom :", ToQString(student->name));
  AddLine(kStudentFirstName, "Prénom :", ToQString(student->firstName));
  AddLine(kStudentSex, "Sex :", SexText(student->IsBoy()));
  AddLine(kStudentBirthDate, "Date de naissance :", ToQString(student->birthDate));
  AddLine(kStudentBirthPlace, "Lieu de naissance :", ToQString(student->birthPlace));
  AddLine(kStudentInfo, "Informations :", ToQString(student->info));
}

void CModifyInfoDlg::OnSelChangeClass() {
  CheckRadioButton(res::kCtlModifyClassRadio);
  RefillStudentList();
  ShowClassLines();
}

void CModifyInfoDlg::OnSelChangeStudent() {
  if (StudentChecked()) {
    ShowStudentLines();
  } else {
    ShowClassLines();
  }
}

void CModifyInfoDlg::OnClickedClassRadio() {
  RefillStudentList();
  ShowClassLines();
}

void CModifyInfoDlg::OnClickedStudentRadio() {
  ShowStudentLines();
}

void CModifyInfoDlg::OnDblClickLines() {
  if (CommitEditor()) {
    OpenEditor();
  }
}

void CModifyInfoDlg::OpenEditor() {
  const int row = lines_.SelectedRow();
  if (row < 0) {
    return;
  }
  target_.student = StudentChecked();
  target_.classPosition = classList_.Position();
  target_.studentPosition = studentList_.Position();
  editor_.Open(row, kValueColumn);
}

bool CModifyInfoDlg::CommitEditor(OnRefusal onRefusal) {
  if (!editor_.IsOpen()) {
    return true;
  }
  const int row = editor_.Row();
  if (const char* field = TextFieldName(target_.student, row)) {
    refusing_ = true;
    const bool storable = CheckStorable(main_, editor_.Editor()->text().left(kEditorMaxLength),
                                        QString::fromUtf8(field));
    refusing_ = false;
    if (!storable) {
      if (onRefusal == OnRefusal::Drop) {
        editor_.Close();
      } else if (QLineEdit* editor = editor_.Editor()) {
        editor->setFocus(Qt::OtherFocusReason);
      }
      return false;
    }
  }
  const QString text = editor_.Take().value_or(QString());

  Gradebook& book = main_.GetGradebook();
  ClassRecord* record = ClassAt(book, target_.classPosition);
  if (record == nullptr) {
    return true;
  }
  if (target_.student) {
    if (StudentRecord* student = StudentAt(*record, target_.studentPosition)) {
      lines_.SetItemText(row, kValueColumn, WriteStudentField(*student, row, text));
      stored_ = true;
    }
  } else {
    lines_.SetItemText(row, kValueColumn, WriteClassField(*record, row, text));
    stored_ = true;
  }
  return true;
}

QString CModifyInfoDlg::WriteClassField(ClassRecord& record, int row, const QString& text) {
  switch (row) {
    case kClassName:
      return Store(record.name, text);
    case kClassYear:
      return Store(record.year, text);
    case kClassInfo:
      return Store(record.info, text);
    default:
      // The number of students follows the list of students; it is not typed.
      return CountText(record);
  }
}

QString CModifyInfoDlg::WriteStudentField(StudentRecord& student, int row, const QString& text) {
  switch (row) {
    case kStudentName:
      return Store(student.name, text);
    case kStudentFirstName:
      return Store(student.firstName, text);
    case kStudentSex: {
      const bool girl = text.startsWith(QLatin1Char('F')) || text.startsWith(QLatin1Char('f'));
      student.sex = girl ? 0 : 1;
      return SexText(!girl);
    }
    case kStudentBirthDate:
      return Store(student.birthDate, text);
    case kStudentBirthPlace:
      return Store(student.birthPlace, text);
    case kStudentInfo:
      return Store(student.info, text);
    default:
      return text;
  }
}

void CModifyInfoDlg::OnQuit() {
  if (!CommitEditor()) {
    return;  // the value being typed is to be corrected first
  }
  main_.Commit(Modification());
  accept();
}

Change CModifyInfoDlg::Modification() const {
  // Named after the record edited last, which is what the teacher sees.
  Gradebook& book = main_.GetGradebook();
  const ClassRecord* record = ClassAt(book, target_.classPosition);
  const StudentRecord* student =
      record != nullptr && target_.student ? StudentAt(*record, target_.studentPosition) : nullptr;
  if (student != nullptr) {
    return {ChangeKind::StudentModified, target_.classPosition,
            DescribeStudentChange(ChangeKind::StudentModified, *student)};
  }
  if (record != nullptr) {
    return {ChangeKind::ClassModified, target_.classPosition,
            DescribeClassChange(ChangeKind::ClassModified, *record)};
  }
  return {ChangeKind::ClassModified, -1, "modification des informations"};
}

void CModifyInfoDlg::OnCancel() {
  // Escape leaves without writing: neither the value being typed nor those
  // stored in the records stay, so that memory is what the file holds (a
  // later save would otherwise write them under another change's name).
  editor_.Close();
  if (stored_) {
    stored_ = false;
    main_.Document().Revert();
  }
  reject();
}

}  // namespace vellanor
