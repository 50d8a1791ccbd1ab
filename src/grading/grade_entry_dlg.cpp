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

// How the controls look in each mode.
struct ModeLook {
  bool classList;
  bool studentList;
  bool viewRadios;
  bool categoryRadios;
  bool fields;  // coefficient and information
  bool validate;
  bool modeCommands;
  int quitIcon;
  const char* quitCaption;
  const char* quitTooltip;
  const char* validateTooltip;  // nullptr: unchanged
};

const ModeLook& LookOf(GradeMode mode) {
  static const ModeLook kNormal{.classList = true,
                                .studentList = true,
                                .viewRadios = true,
                                .categoryRadios = false,
                                .fields = false,
                                .validate = false,
                                .modeCommands = true,
                                .quitIcon = res::kIconQuit,
                                .quitCaption = "Quitter",
                                .quitTooltip = "Retourne vers l'application",
                                .validateTooltip = nullptr};
  static const ModeLook kAdding{.classList = false,
                                .studentList = false,
                                .viewRadios = false,
                                .categoryRadios = true,
                                .fields = true,
                                .validate = true,
                                .modeCommands = false,
                                .quitIcon = res::kIconCancel,
                                .quitCaption = "Annuler",
                                .quitTooltip = "Annule l'ajout de la nouvelle note",
                                .validateTooltip = "Valide l'ajout de la nouvelle note"};
  static const ModeLook kDeleting{.classList = true,
                                  .studentList = false,
                                  .viewRadios = false,
                                  .categoryRadios = false,
                                  .fields = false,
                                  .validate = true,
                                  .modeCommands = false,
                                  .quitIcon = res::kIconCancel,
                                  .quitCaption = "Annuler",
                                  .quitTooltip = "Annule l'effacement de la liste de notes",
                                  .validateTooltip = "Valide l'effacement de la liste de notes"};
  static const ModeLook kModifying{.classList = false,
                                   .studentList = true,
                                   .viewRadios = false,
                                   .categoryRadios = false,
                                   .fields = false,
                                   .validate = true,
                                   .modeCommands = false,
                                   .quitIcon = res::kIconCancel,
                                   .quitCaption = "Annuler",
                                   .quitTooltip = "Annule la modification des notes",
                                   .validateTooltip = "Valide la modification des notes"};
  static const ModeLook kComparing{.classList = true,
                                   .studentList = false,
                                   .viewRadios = false,
                                   .categoryRadios = true,
                                   .fields = false,
                                   .validate = false,
                                   .modeCommands = false,
                                   .quitIcon = res::kIconCancel,
                                   .quitCaption = "Retour",
                                   .quitTooltip = "Retourne vers la vue normale",
                                   .validateTooltip = nullptr};
  switch (mode) {
    case GradeMode::Adding:
      return kAdding;
    case GradeMode::Deleting:
      return kDeleting;
    case GradeMode::Modifying:
      return kModifying;
    case GradeMode::Comparing:
      return kComparing;
    case GradeMode::Normal:
      break;
  }
  return kNormal;
}

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
  mode_ = GradeMode::Normal;
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
      if (mode_ == GradeMode::Normal) {
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
      if (mode_ == GradeMode::Comparing) {
        OnCompareStudents();
      }
      break;
    default:
      break;
  }
}

void CGradeEntryDlg::OnClassSelected() {
  if (mode_ == GradeMode::Comparing) {
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

void CGradeEntryDlg::SetMode(GradeMode mode) {
  if (mode_ != mode) {
    // The editor belongs to the task that ends; its text has been taken or
    // is discarded with the task.
    CloseEditor();
  }
  mode_ = mode;
  const ModeLook& look = LookOf(mode);
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

void CGradeEntryDlg::OnNewGrade() {
  if (mode_ != GradeMode::Normal) {
    return;
  }
  SetMode(GradeMode::Adding);
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
  if (mode_ != GradeMode::Normal) {
    return;
  }
  SetMode(GradeMode::Deleting);
  columnsDeleted_ = false;
  CheckRadioButton(res::kCtlViewClass);
  ShowClassView();
}

void CGradeEntryDlg::OnModifyGrades() {
  if (mode_ != GradeMode::Normal) {
    return;
  }
  SetMode(GradeMode::Modifying);
  CheckRadioButton(res::kCtlViewStudent);
  ShowStudentView();
}

void CGradeEntryDlg::OnCompareStudents() {
  // Also the refresh while comparing, when the class or the category changes.
  if (mode_ != GradeMode::Normal && mode_ != GradeMode::Comparing) {
    return;
  }
  SetMode(GradeMode::Comparing);
  CheckRadioButton(res::kCtlViewAllStudents);
  if (const ClassRecord* record = SelectedClass()) {
    FillCompareGrid(*record, CheckedTrimester(), CheckedKind());
  }
}

void CGradeEntryDlg::OnValidate() {
  switch (mode_) {
    case GradeMode::Adding:
      ValidateAdding();
      break;
    case GradeMode::Deleting:
      // The copy is named after the class shown, even when a text typed over
      // the list names none: the deletions are written all the same. With
      // nothing deleted the file is written unchanged, and needs no copy.
      if (columnsDeleted_ &&
          !BackUpBeforeDeletion(main_, Deletion::GradeColumns, classList_->currentIndex())) {
        break;  // nothing written: the teacher may cancel or validate again
      }
      SetMode(GradeMode::Normal);
      main_.SaveDatabase(kDatabaseFileName);
      main_.LoadDatabase(kDatabaseFileName);
      break;
    case GradeMode::Modifying:
      ValidateModifying();
      break;
    case GradeMode::Normal:
    case GradeMode::Comparing:
      break;
  }
}

void CGradeEntryDlg::ValidateAdding() {
  CommitCellEdit();
  if (!CheckScales()) {
    return;  // still adding, for the mark to be corrected
  }
  ClassRecord* record = SelectedClass();
  if (record == nullptr || record->students.empty()) {
    // Nothing to add to: the grid keeps its adding layout.
    SetMode(GradeMode::Normal);
    return;
  }
  if (!CheckStorable(main_, info_->text().left(kTypedTextLength), QStringLiteral("Informations"))) {
    return;  // still adding, for the text to be corrected
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
  SetMode(GradeMode::Normal);
  info_->clear();
  if (result != AppendResult::Done) {
    return;
  }
  RecomputeClass(*record);
  main_.SaveDatabase(kDatabaseFileName);
  CheckRadioButton(res::kCtlViewStudent);
  ShowStudentView();
}

void CGradeEntryDlg::ValidateModifying() {
  CommitCellEdit();
  if (!CheckScales()) {
    return;
  }
  SetMode(GradeMode::Normal);
  ClassRecord* record = SelectedClass();
  StudentRecord* student = record == nullptr ? nullptr : SelectedStudent(*record);
  if (student == nullptr) {
    return;
  }
  StoreTypedMarks(
      *student, [this](int row, int category) { return ReadText(grid_->ItemText(row, category)); });
  RecomputeClass(*record);
  main_.SaveDatabase(kDatabaseFileName);
}

void CGradeEntryDlg::OnQuit() {
  switch (mode_) {
    case GradeMode::Adding:
      SetMode(GradeMode::Normal);
      main_.LoadDatabase(kDatabaseFileName);
      CheckRadioButton(res::kCtlViewStudent);
      ShowStudentView();
      break;
    case GradeMode::Deleting:
      SetMode(GradeMode::Normal);
      main_.LoadDatabase(kDatabaseFileName);
      ShowClassView();
      break;
    case GradeMode::Modifying:
      SetMode(GradeMode::Normal);
      main_.LoadDatabase(kDatabaseFileName);
      ShowStudentView();
      break;
    case GradeMode::Comparing:
      SetMode(GradeMode::Normal);
      CheckRadioButton(res::kCtlViewStudent);
      ShowStudentView();
      break;
    case GradeMode::Normal:
      main_.LoadDatabase(kDatabaseFileName);
      main_.RebuildTree();
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
      mode_ != GradeMode::Comparing) {
    return;
  }
  const int row = grid_->SelectedRow();
  ClassRecord* record = SelectedClass();
  if (row < 0 || record == nullptr) {
    return;
  }
  const GradeRecord* grade = nullptr;
  if (mode_ == GradeMode::Comparing) {
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
  switch (mode_) {
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
  columnsDeleted_ = true;
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
