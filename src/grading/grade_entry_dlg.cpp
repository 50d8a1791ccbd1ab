#include "grading/grade_entry_dlg.h"

#include <algorithm>
#include <string>

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>

#include "app/database_backups.h"
#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "app/record_lists.h"
#include "grading/grade_changes.h"
#include "grading/grade_grids.h"
#include "grading/parse_mark.h"
#include "model/averages.h"
#include "model/cp1252.h"
#include "model/format.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/combo_list.h"
#include "widgets/icon_button.h"
#include "widgets/report_list.h"
#include "widgets/window_geometry.h"

namespace vellanor {
namespace {

// The trimester radios, for trimesters 1 to 3.
constexpr int kTrimesterRadios[] = {res::kCtlTrimester1, res::kCtlTrimester2, res::kCtlTrimester3};

constexpr int kModeCommands[] = {res::kCmdNewGrade, res::kCmdDeleteGrades, res::kCmdModifyGrades,
                                 res::kCmdCompareStudents};

// A typed text as the records hold it, cut to what is read of it.
std::string ReadText(const QString& text) {
  return ToCp1252(text.left(kTypedTextLength));
}

// A borderless editor from just inside the cell's left edge and below its
// top to its right edge and its bottom; typing replaces the cell's text.
widgets::CellEditor::Look EditorLook(double scale) {
  const auto px = [scale](int pixels) { return static_cast<int>(pixels * scale + 0.5); };
  widgets::CellEditor::Look look;
  look.controlId = res::kCtlGradeEditor;
  look.frame = false;
  look.readLength = kTypedTextLength;
  look.margins = QMargins(px(2), px(1), 0, 0);
  look.selectAll = true;
  return look;
}

}  // namespace

CGradeEntryDlg::CGradeEntryDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgGradeEntry, main.DialogParent(), scale),
      main_(main),
      editor_(Bind<widgets::ReportList>(res::kCtlGradeGrid), *ClientArea(), EditorLook(Scale())) {
  BindControls();
  SetUpWindow();
  // The grid takes all the room the window gains; the buttons keep to the right.
  using widgets::Stretch;
  widgets::MakeResizable(
      *this, QStringLiteral("gradeEntry"),
      {Stretch{.id = res::kIdValidate, .moveX = 1}, Stretch{.id = res::kIdCancel, .moveX = 1},
       Stretch{.id = res::kCtlGradeGrid, .growX = 1, .growY = 1}});
}

CGradeEntryDlg::~CGradeEntryDlg() {
  // The grid goes with the client area, after this object: it must no
  // longer report to it.
  grid_->removeEventFilter(this);
  grid_->viewport()->removeEventFilter(this);
}

void CGradeEntryDlg::BindControls() {
  validate_ = &Bind<widgets::IconButton>(res::kIdValidate);
  quit_ = &Bind<widgets::IconButton>(res::kIdCancel);
  classList_ = &Bind<widgets::ComboList>(res::kCtlGradeClassList);
  studentList_ = &Bind<widgets::ComboList>(res::kCtlGradeStudentList);
  for (int id : {res::kCtlViewClass, res::kCtlViewStudent, res::kCtlViewAllStudents}) {
    viewRadios_.push_back(&Bind<QRadioButton>(id));
  }
  for (int id : {res::kCtlTrimester1, res::kCtlTrimester2, res::kCtlTrimester3, res::kCtlWritten,
                 res::kCtlOral}) {
    categoryRadios_.push_back(&Bind<QRadioButton>(id));
  }
  coefficient_ = &Bind<QLineEdit>(res::kCtlCoefficient);
  info_ = &Bind<QLineEdit>(res::kCtlGradeInfo);
  grid_ = &Bind<widgets::ReportList>(res::kCtlGradeGrid);

  // The user's choices only: the window's own refills select quietly.
  connect(classList_, &widgets::ComboList::currentIndexChanged, this,
          [this] { OnClassSelected(); });
  connect(studentList_, &widgets::ComboList::currentIndexChanged, this,
          [this] { OnStudentSelected(); });
  grid_->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
  connect(&editor_, &widgets::CellEditor::TabPressed, this, [this] { OnEditorTab(); });
  connect(&editor_, &widgets::CellEditor::FocusLeft, this,
          [this](QWidget* to) { OnEditorFocusLeft(to); });
}

void CGradeEntryDlg::SetUpWindow() {
  widgets::SetUpIconButton(*quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  widgets::SetUpIconButton(*validate_, res::kIconValidate,
                           QStringLiteral("Valide l'ajout de la nouvelle note"));
  validate_->setEnabled(false);

  CheckRadioButton(res::kCtlViewClass);
  CheckRadioButton(res::kCtlWritten);
  CheckRadioButton(res::kCtlTrimester1);

  for (QRadioButton* radio : categoryRadios_) {
    radio->setEnabled(false);
  }
  coefficient_->setEnabled(false);
  info_->setEnabled(false);
  coefficient_->setText(QStringLiteral("1"));

  grid_->SetGridLines(true);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);

  FillClassList(*classList_, main_.GetGradebook(), false);
  const ClassRecord* first = ClassAt(main_.GetGradebook(), 0);
  FillStudentList(*studentList_, first);
  if (first != nullptr) {
    FillCategoryGrid(first->gradeCount, first->columns);
  }
}

// ---------------------------------------------------------------------------
// Commands

void CGradeEntryDlg::OnCommand(int id) {
  switch (id) {
    case res::kIdValidate:
    case res::kCmdSaveGrades:
      OnValidate();
      break;
    case res::kIdCancel:
    case res::kCmdQuitWithoutSaving:
      OnQuit();
      break;
    case res::kCtlGradeEnter:  // the Enter key
      CommitCellEdit();
      break;
    case res::kCmdNewGrade:
      OnNewGrade();
      break;
    case res::kCmdDeleteGrades:
      OnDeleteGrades();
      break;
    case res::kCmdModifyGrades:
      OnModifyGrades();
      break;
    case res::kCmdCompareStudents:
      OnCompareStudents();
      break;
    case res::kCtlViewClass:
    case res::kCtlViewStudent:
    case res::kCtlViewAllStudents:
      // The view radios only answer in Normal, where they are enabled.
      if (state_.Mode() == GradeMode::Normal) {
        if (id == res::kCtlViewClass) {
          ShowClassView();
        } else if (id == res::kCtlViewStudent) {
          ShowStudentView();
        } else {
          ShowAllStudentsView();
        }
      }
      break;
    case res::kCtlTrimester1:
    case res::kCtlTrimester2:
    case res::kCtlTrimester3:
    case res::kCtlWritten:
    case res::kCtlOral:
      if (state_.Mode() == GradeMode::Comparing) {
        OnCompareStudents();
      }
      break;
    default:
      break;
  }
}

void CGradeEntryDlg::OnClassSelected() {
  if (state_.Mode() == GradeMode::Comparing) {
    OnCompareStudents();
    return;
  }
  CheckRadioButton(res::kCtlViewClass);
  ShowClassView();
}

void CGradeEntryDlg::OnStudentSelected() {
  CheckRadioButton(res::kCtlViewStudent);
  ShowStudentView();
}

// ---------------------------------------------------------------------------
// Modes

void CGradeEntryDlg::ApplyLook(GradeMode previous) {
  if (previous != state_.Mode()) {
    // The editor belongs to the task that ends; its text has been taken or
    // is discarded with the task.
    CloseEditor();
  }
  const ModeLook& look = LookOf(state_.Mode());
  classList_->setEnabled(look.classList);
  studentList_->setEnabled(look.studentList);
  for (QRadioButton* radio : viewRadios_) {
    radio->setEnabled(look.viewRadios);
  }
  for (QRadioButton* radio : categoryRadios_) {
    radio->setEnabled(look.categoryRadios);
  }
  coefficient_->setEnabled(look.fields);
  info_->setEnabled(look.fields);
  validate_->setEnabled(look.validate);
  for (int command : kModeCommands) {
    if (QAction* action = MenuAction(command)) {
      action->setEnabled(look.modeCommands);
    }
  }
  quit_->SetIcon(look.quitIcon);
  quit_->setText(QString::fromUtf8(look.quitCaption));
  quit_->SetTooltipText(QString::fromUtf8(look.quitTooltip));
  if (look.validateTooltip != nullptr) {
    validate_->SetTooltipText(QString::fromUtf8(look.validateTooltip));
  }
}

void CGradeEntryDlg::FinishTask() {
  const GradeMode previous = state_.Mode();
  state_.Finish();
  ApplyLook(previous);
}

bool CGradeEntryDlg::BeginTask(GradeMode mode) {
  const GradeMode previous = state_.Mode();
  if (!state_.Begin(mode)) {
    return false;
  }
  ApplyLook(previous);
  return true;
}

void CGradeEntryDlg::OnNewGrade() {
  if (!BeginTask(GradeMode::Adding)) {
    return;
  }
  // The coefficient keeps its text: 1 at opening, or the last one shown.
  info_->clear();
  CheckRadioButton(res::kCtlViewAllStudents);
  if (const ClassRecord* record = SelectedClass()) {
    ShowGrid(AddingGrid(*record));
  } else {
    ClearGrid();
  }
  // The keyboard starts at the top of what is to be filled in: trimester,
  // kind, coefficient, information, then the marks.
  if (QWidget* trimester = Control(CheckedRadioButton(res::kCtlTrimester1))) {
    trimester->setFocus(Qt::OtherFocusReason);
  }
}

void CGradeEntryDlg::OnDeleteGrades() {
  if (!BeginTask(GradeMode::Deleting)) {
    return;
  }
  CheckRadioButton(res::kCtlViewClass);
  ShowClassView();
}

void CGradeEntryDlg::OnModifyGrades() {
  if (!BeginTask(GradeMode::Modifying)) {
    return;
  }
  CheckRadioButton(res::kCtlViewStudent);
  ShowStudentView();
}

void CGradeEntryDlg::OnCompareStudents() {
  // Also the refresh while comparing, when the class or the category changes.
  if (!BeginTask(GradeMode::Comparing)) {
    return;
  }
  CheckRadioButton(res::kCtlViewAllStudents);
  if (const ClassRecord* record = SelectedClass()) {
    FillCompareGrid(*record, CheckedTrimester(), CheckedKind());
  }
}

void CGradeEntryDlg::OnValidate() {
  const TaskEnd end = state_.Validate();
  if (end == TaskEnd::Ignored) {
    return;
  }
  switch (state_.Mode()) {
    case GradeMode::Adding:
      ValidateAdding();
      break;
    case GradeMode::Modifying:
      ValidateModifying();
      break;
    default:
      ValidateDeleting(end == TaskEnd::SaveDeleted);
      break;
  }
}

void CGradeEntryDlg::ValidateDeleting(bool columnsDeleted) {
  // The copy is named after the class shown, even when a text typed over
  // the list names none: the deletions are written all the same.
  if (columnsDeleted &&
      !BackUpBeforeDeletion(main_, Deletion::GradeColumns, classList_->currentIndex())) {
    return;  // nothing written: the teacher may cancel or validate again
  }
  FinishTask();
  const ClassRecord* record = SelectedClass();
  main_.Commit({ChangeKind::GradesChanged, classList_->Position(),
                record == nullptr
                    ? "suppression de notes"
                    : "suppression de notes de la classe " + Cp1252ToUtf8(record->name.View())});
}

void CGradeEntryDlg::ValidateAdding() {
  if (!CommitCellEdit() || !CheckScales()) {
    return;  // still adding, for the mark to be corrected
  }
  ClassRecord* record = SelectedClass();
  if (record == nullptr || record->students.empty()) {
    // Nothing to add to: the grid keeps its adding layout.
    FinishTask();
    return;
  }
  if (!CheckStorable(main_, info_->text().left(kTypedTextLength), QStringLiteral("Informations"))) {
    return;  // still adding, for the text to be corrected
  }
  if (!IsStorableCoefficient(ToCp1252(coefficient_->text()))) {
    main_.GetServices().messages.Inform(
        "Coefficient trop grand : " + coefficient_->text().toStdString(), "Attention",
        platform::MessageIcon::Exclamation);
    return;  // still adding, for the coefficient to be corrected
  }
  NewGradeColumn column;
  column.coefficient = ParseCoefficient(ToCp1252(coefficient_->text()));
  column.kind = CheckedKind() == kOral ? kOral : kWritten;
  column.trimester = static_cast<Trimester>(CheckedTrimester());
  column.info = ReadText(info_->text());
  std::vector<std::string> marks;
  marks.reserve(record->students.size());
  for (int row = 0; row < static_cast<int>(record->students.size()); ++row) {
    marks.push_back(ReadText(grid_->ItemText(row, 1)));
  }
  const AppendResult result = AddGradeColumn(*record, column, marks);
  if (result == AppendResult::LimitReached) {
    // Nothing was added; the teacher stays in Adding and can cancel.
    main_.GetServices().messages.Inform(GradeLimitText(*record), "Attention",
                                        platform::MessageIcon::Exclamation);
    return;
  }
  FinishTask();
  info_->clear();
  if (result != AppendResult::Done) {
    return;
  }
  main_.Commit({ChangeKind::GradesChanged, classList_->Position(),
                "nouvelle note de la classe " + Cp1252ToUtf8(record->name.View())});
  CheckRadioButton(res::kCtlViewStudent);
  ShowStudentView();
}

void CGradeEntryDlg::ValidateModifying() {
  if (!CommitCellEdit() || !CheckScales()) {
    return;
  }
  FinishTask();
  ClassRecord* record = SelectedClass();
  StudentRecord* student = record == nullptr ? nullptr : SelectedStudent(*record);
  if (student == nullptr) {
    return;
  }
  StoreTypedMarks(
      *student, [this](int row, int category) { return ReadText(grid_->ItemText(row, category)); });
  main_.Commit({ChangeKind::GradesChanged, classList_->Position(),
                "modification des notes de l'élève " + Cp1252ToUtf8(student->name.View()) + " " +
                    Cp1252ToUtf8(student->firstName.View())});
  // The grid shows what the gradebook now holds: the stored marks rather than
  // the typed texts ("15/30" becomes "10.00"), and after a commit that did not
  // save, the marks kept instead of those typed.
  ShowStudentView();
}

void CGradeEntryDlg::OnQuit() {
  const GradeMode previous = state_.Mode();
  const TaskEnd end = state_.Quit();
  ApplyLook(previous);
  if (end == TaskEnd::Discard || end == TaskEnd::Close) {
    main_.Document().Revert();  // also refills the main window's tree
  }
  switch (previous) {
    case GradeMode::Adding:
    case GradeMode::Comparing:
      CheckRadioButton(res::kCtlViewStudent);
      ShowStudentView();
      break;
    case GradeMode::Deleting:
      ShowClassView();
      break;
    case GradeMode::Modifying:
      ShowStudentView();
      break;
    case GradeMode::Normal:
      accept();
      break;
  }
}

// ---------------------------------------------------------------------------
// Views

void CGradeEntryDlg::ShowClassView() {
  const ClassRecord* record = SelectedClass();
  if (record == nullptr) {
    return;
  }
  FillCategoryGrid(record->gradeCount, record->columns);
  FillStudentList(*studentList_, record);
}

void CGradeEntryDlg::ShowStudentView() {
  ClassRecord* record = SelectedClass();
  if (record == nullptr || record->students.empty()) {
    return;
  }
  const StudentRecord* student = SelectedStudent(*record);
  if (student == nullptr) {
    return;
  }
  FillCategoryGrid(record->gradeCount, student->grades);
}

void CGradeEntryDlg::ShowAllStudentsView() {
  const ClassRecord* record = SelectedClass();
  if (record == nullptr) {
    return;
  }
  ShowGrid(AllStudentsGrid(*record));
  info_->clear();
  coefficient_->clear();
}

void CGradeEntryDlg::FillCategoryGrid(const PerCategory<std::int16_t>& counts,
                                      const std::vector<GradeRecord>& grades) {
  ShowGrid(CategoryGrid(counts, grades));
}

void CGradeEntryDlg::FillCompareGrid(const ClassRecord& record, int trimester, int kind) {
  ShowGrid(CompareGrid(record, trimester, kind));
}

void CGradeEntryDlg::ClearGrid() {
  // Whatever an open editor holds belongs to the content that goes.
  CloseEditor();
  grid_->DeleteAllColumns();
  grid_->DeleteAllRows();
}

void CGradeEntryDlg::ShowGrid(const GridContent& content) {
  grid_->setUpdatesEnabled(false);
  ClearGrid();
  for (const GridColumn& column : content.columns) {
    grid_->InsertColumn(grid_->columnCount(), QString::fromStdString(column.title),
                        Px(column.width));
  }
  grid_->setRowCount(static_cast<int>(content.cells.size()));
  for (int row = 0; row < static_cast<int>(content.cells.size()); ++row) {
    const std::vector<std::string>& cells = content.cells[static_cast<std::size_t>(row)];
    for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
      const std::string& text = cells[static_cast<std::size_t>(column)];
      if (!text.empty()) {
        grid_->SetItemText(row, column, QString::fromStdString(text));
      }
    }
  }
  grid_->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------------------
// Clicks on the grid

void CGradeEntryDlg::ShowGradeDetails() {
  if (CheckedRadioButton(res::kCtlViewClass) == res::kCtlViewAllStudents &&
      state_.Mode() != GradeMode::Comparing) {
    return;
  }
  const int row = grid_->SelectedRow();
  ClassRecord* record = SelectedClass();
  if (row < 0 || record == nullptr) {
    return;
  }
  const GradeRecord* grade = nullptr;
  if (state_.Mode() == GradeMode::Comparing) {
    // Column "Note j" shows the j-th grade of the category; the names
    // column counts as "Note 1".
    const int column = std::max(1, HitTestColumn());
    const int category = CategoryIndex(CheckedTrimester(), CheckedKind());
    const int position = FindInCategory(record->columns, category, column - 1);
    grade = position < 0 ? nullptr : &record->columns[static_cast<std::size_t>(position)];
  } else {
    const int category = HitTestColumn();
    const std::vector<GradeRecord>* list = &record->columns;
    if (CheckedRadioButton(res::kCtlViewClass) == res::kCtlViewStudent) {
      const StudentRecord* student = SelectedStudent(*record);
      list = student == nullptr ? nullptr : &student->grades;
    }
    const int position = list == nullptr || category < 0 || category >= kCategoryCount
                             ? -1
                             : FindInCategory(*list, category, row);
    grade = position < 0 ? nullptr : &(*list)[static_cast<std::size_t>(position)];
  }
  if (grade == nullptr) {
    return;
  }
  // Checked directly, so a comparison is not refreshed.
  CheckRadioButton(grade->kind == kOral ? res::kCtlOral : res::kCtlWritten);
  CheckRadioButton(kTrimesterRadios[std::clamp<int>(grade->trimester, 1, 3) - 1]);
  coefficient_->setText(QString::fromStdString(FormatAverage(grade->coefficient)));
  info_->setText(ToQString(grade->info));  // the whole text, all 34 characters
}

void CGradeEntryDlg::OnGridDoubleClick() {
  const int row = grid_->SelectedRow();
  if (row < 0) {
    return;
  }
  switch (state_.Mode()) {
    case GradeMode::Adding:
      BeginCellEdit(row, 1);
      break;
    case GradeMode::Modifying:
      BeginCellEdit(row, HitTestColumn());
      break;
    case GradeMode::Deleting:
      DeleteGradeColumn(row, HitTestColumn());
      break;
    case GradeMode::Normal:
    case GradeMode::Comparing:
      break;
  }
}

void CGradeEntryDlg::DeleteGradeColumn(int row, int column) {
  if (column < 0 || column >= kCategoryCount) {
    return;
  }
  if (!main_.GetServices().messages.AskYesNo(DeletionQuestion(column), "Attention!")) {
    return;
  }
  ClassRecord* record = SelectedClass();
  if (record == nullptr) {
    return;
  }
  // Kept in memory until "Valider" writes it or "Annuler" reads the file back.
  RemoveGradeColumn(*record, column, row);
  state_.NoteColumnDeleted();
  RecomputeClass(*record);
  ShowClassView();
}

// ---------------------------------------------------------------------------
// Lookups

ClassRecord* CGradeEntryDlg::SelectedClass() const {
  return ClassNamedBy(main_.GetGradebook(), *classList_);
}

StudentRecord* CGradeEntryDlg::SelectedStudent(ClassRecord& record) const {
  return StudentNamedBy(&record, *studentList_);
}

int CGradeEntryDlg::CheckedTrimester() const {
  const int checked = CheckedRadioButton(res::kCtlTrimester1);
  for (int trimester = 1; trimester <= 3; ++trimester) {
    if (kTrimesterRadios[trimester - 1] == checked) {
      return trimester;
    }
  }
  return 1;
}

int CGradeEntryDlg::CheckedKind() const {
  return CheckedRadioButton(res::kCtlWritten) == res::kCtlOral ? kOral : kWritten;
}

}  // namespace vellanor
