#include "dialogs/modify_info_dlg.h"

#include <cmath>

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "dialogs/record_lists.h"
#include "model/gradebook.h"
#include "resources/ids.h"
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

QString SexText(bool boy) {
  return boy ? QStringLiteral("Garçon") : QStringLiteral("Fille");
}

QString CountText(const ClassRecord& record) {
  return QString::number(record.studentCount);
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
      classList_(Bind<QComboBox>(res::kCtlModifyClassList)),
      studentList_(Bind<QComboBox>(res::kCtlModifyStudentList)),
      lines_(Bind<widgets::ReportList>(res::kCtlModifyLines)) {
  OnInitDialog();
}

int CModifyInfoDlg::Run(MainWindowOperations& main) {
  CModifyInfoDlg dialog(main);
  return dialog.exec();
}

void CModifyInfoDlg::OnInitDialog() {
  editor_ = nullptr;
  editRow_ = 0;
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));

  lines_.SetGridLines(true);
  lines_.InsertColumn(kLabelColumn, QStringLiteral("Label"),
                      static_cast<int>(std::lround(kLabelWidthPx * Scale())));
  lines_.InsertColumn(kValueColumn, QStringLiteral("Informations"),
                      static_cast<int>(std::lround(kValueWidthPx * Scale())));
  // A click anywhere in the list closes the editor; a double click opens it.
  lines_.viewport()->installEventFilter(this);

  filling_ = true;
  FillClassList(classList_, main_.GetGradebook(), true);
  classList_.setCurrentIndex(classList_.count() > 0 ? 0 : -1);
  FillStudentList(studentList_, ClassAt(main_.GetGradebook(), 0));
  filling_ = false;
  connect(&classList_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) {
      OnSelChangeClass();
    }
  });
  connect(&studentList_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) {
      OnSelChangeStudent();
    }
  });
  ShowClassLines();
  CheckRadioButton(res::kCtlModifyClassRadio, res::kCtlModifyStudentRadio,
                   res::kCtlModifyClassRadio);
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
  } else if (editor_ != nullptr && watched == editor_ && event->type() == QEvent::FocusOut) {
    // The editor's own context menu takes the focus for a moment only.
    if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      CommitEditor();
    }
  }
  return TemplateDialog::eventFilter(watched, event);
}

bool CModifyInfoDlg::StudentChecked() const {
  return CheckedRadioButton(res::kCtlModifyClassRadio, res::kCtlModifyStudentRadio) ==
         res::kCtlModifyStudentRadio;
}

void CModifyInfoDlg::RefillStudentList() {
  filling_ = true;
  FillStudentList(studentList_, ClassAt(main_.GetGradebook(), classList_.currentIndex()));
  filling_ = false;
}

void CModifyInfoDlg::AddLine(int row, const char* label, const QString& value) {
  lines_.InsertRow(row, QString::fromUtf8(label));
  lines_.SetItemText(row, kValueColumn, value);
}

void CModifyInfoDlg::ShowClassLines() {
  // A value being typed belongs to the lines shown so far.
  CommitEditor();
  lines_.DeleteAllRows();
  const ClassRecord* record = ClassAt(main_.GetGradebook(), classList_.currentIndex());
  if (record == nullptr) {
    return;
  }
  AddLine(kClassName, "Nom :", ToQString(record->name));
  AddLine(kClassYear, "Année :", ToQString(record->year));
  AddLine(kClassInfo, "Informations :", ToQString(record->info));
  AddLine(kClassStudentCount, "Nombre d'élèves :", CountText(*record));
}

void CModifyInfoDlg::ShowStudentLines() {
  CommitEditor();
  lines_.DeleteAllRows();
  const ClassRecord* record = ClassAt(main_.GetGradebook(), classList_.currentIndex());
  const StudentRecord* student =
      record == nullptr ? nullptr : StudentAt(*record, studentList_.currentIndex());
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
  CheckRadioButton(res::kCtlModifyClassRadio, res::kCtlModifyStudentRadio,
                   res::kCtlModifyClassRadio);
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
  CommitEditor();
  OpenEditor();
}

void CModifyInfoDlg::OpenEditor() {
  const int row = lines_.SelectedRow();
  if (row < 0) {
    return;
  }
  editRow_ = row;
  const QString text = lines_.ItemText(row, kValueColumn);
  if (!lines_.EnsureVisible(row)) {
    return;
  }
  const QRect cell = lines_.CellRect(row, kValueColumn);
  const QRect inClient(lines_.mapTo(ClientArea(), cell.topLeft()), cell.size());

  target_.student = StudentChecked();
  target_.classPosition = classList_.currentIndex();
  target_.studentPosition = studentList_.currentIndex();

  editor_ = new QLineEdit(ClientArea());
  editor_->setObjectName(QStringLiteral("control%1").arg(res::kCtlModifyEditor));
  editor_->setMaxLength(kEditorMaxLength);
  editor_->setGeometry(inClient.adjusted(2, 0, -2, 1));
  editor_->setText(text);
  editor_->installEventFilter(this);
  editor_->show();
  editor_->raise();
  editor_->setFocus(Qt::OtherFocusReason);
}

void CModifyInfoDlg::CommitEditor() {
  if (editor_ == nullptr) {
    return;
  }
  // Taken first: closing the editor moves the focus, which must not commit
  // a second time.
  QLineEdit* editor = editor_;
  editor_ = nullptr;
  const QString text = editor->text().left(kEditorMaxLength);

  Gradebook& book = main_.GetGradebook();
  ClassRecord* record = ClassAt(book, target_.classPosition);
  if (record != nullptr) {
    if (target_.student) {
      if (StudentRecord* student = StudentAt(*record, target_.studentPosition)) {
        lines_.SetItemText(editRow_, kValueColumn, WriteStudentField(*student, editRow_, text));
      }
    } else {
      lines_.SetItemText(editRow_, kValueColumn, WriteClassField(*record, editRow_, text));
    }
  }
  DestroyEditor(editor);
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

void CModifyInfoDlg::DestroyEditor(QLineEdit* editor) {
  editor->removeEventFilter(this);
  if (editor->hasFocus()) {
    lines_.setFocus(Qt::OtherFocusReason);
  }
  editor->hide();
  // Possibly inside the editor's own focus handling: deleted once it returns.
  editor->deleteLater();
}

void CModifyInfoDlg::OnQuit() {
  CommitEditor();
  main_.SaveDatabase(kDatabaseFileName);
  main_.RebuildTree();
  accept();
}

void CModifyInfoDlg::OnCancel() {
  // Escape leaves without taking the value being typed.
  if (editor_ != nullptr) {
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    DestroyEditor(editor);
  }
  reject();
}

}  // namespace vellanor
