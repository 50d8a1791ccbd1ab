// The grade-entry window's in-place editor (a widgets::CellEditor laid over
// one grid cell) and the walk down the "Notes" column while a grade column
// is being added.
//
// Ctrl+C on the grid copies it as a table; Ctrl+V in the editor fills its
// cell and those below from the lines of the clipboard.
//
// Enter commits the mark and closes the editor where it is. Tab commits it
// and, while adding, opens the editor on the next student's row, so that a
// column is typed as mark, Tab, mark, Tab... A click on another cell of the
// grid does the same. A click on any other control (a button, a radio, a
// field) commits the mark and goes to that control, which acts at once: the
// next editor never takes the focus from under a pressed button. The window
// losing activation commits the mark too. These are told apart by where the
// focus goes, never by counting commands, so nothing carries over from one
// keystroke, one editor or one opening of the window to the next.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidgetItem>
#include <QTimer>

#include "app/main_window_operations.h"
#include "grading/grade_entry_dlg.h"
#include "grading/grade_grids.h"
#include "grading/grid_clipboard.h"
#include "grading/mark_scale.h"
#include "grading/parse_mark.h"
#include "model/gradebook.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

constexpr int kModifyingWidth = 60;

}  // namespace

void CGradeEntryDlg::BeginCellEdit(int row, int column) {
  if (mode_ != GradeMode::Adding && mode_ != GradeMode::Modifying) {
    return;
  }
  // A double click elsewhere while an editor is open keeps what it holds.
  CommitCellEdit();
  editRow_ = row;
  editColumn_ = column;
  ++editorGeneration_;
  editor_.SetTakesTab(mode_ == GradeMode::Adding);
  editor_.Open(row, column, mode_ == GradeMode::Modifying ? Px(kModifyingWidth) : 0);
  if (QLineEdit* editor = editor_.Editor()) {
    editor->installEventFilter(this);  // for Ctrl+V
  }
}

void CGradeEntryDlg::CommitCellEdit() {
  if ((mode_ != GradeMode::Adding && mode_ != GradeMode::Modifying) || !editor_.IsOpen()) {
    return;
  }
  ++editorGeneration_;
  const int row = editor_.Row();
  const int column = editor_.Column();
  if (const std::optional<QString> text = editor_.Take()) {
    grid_->SetItemText(row, column, *text);
  }
}

void CGradeEntryDlg::CloseEditor() {
  ++editorGeneration_;
  editor_.Close();
}

void CGradeEntryDlg::EditNextRow() {
  ++editRow_;
  const ClassRecord* record = SelectedClass();
  if (record != nullptr && editRow_ < static_cast<int>(record->students.size())) {
    BeginCellEdit(editRow_, 1);
  }
}

int CGradeEntryDlg::HitTestColumn() const {
  return grid_->HitTestColumn(clickPoint_);
}

void CGradeEntryDlg::OnEditorTab() {
  // Tab while adding: the mark is taken and the next student's cell opens.
  CommitCellEdit();
  if (mode_ == GradeMode::Adding) {
    EditNextRow();
  }
}

void CGradeEntryDlg::OnEditorFocusLeft(QWidget* to) {
  CommitCellEdit();
  if (mode_ != GradeMode::Adding || to != grid_) {
    return;
  }
  // A click on the grid: the next row opens once that click is over.
  const unsigned generation = editorGeneration_;
  QTimer::singleShot(0, this, [this, generation] {
    if (mode_ == GradeMode::Adding && !editor_.IsOpen() && generation == editorGeneration_) {
      EditNextRow();
    }
  });
}

void CGradeEntryDlg::OnGridEditKey() {
  // F2, the usual key for editing in place, does what a double click on the
  // highlighted row does, so that marks can be typed without the mouse.
  if (mode_ != GradeMode::Adding && mode_ != GradeMode::Modifying) {
    return;
  }
  int row = grid_->SelectedRow();
  if (row < 0) {
    row = std::max(0, grid_->currentIndex().row());
  }
  if (row >= grid_->rowCount()) {
    return;
  }
  grid_->SelectRow(row);
  const int column = mode_ == GradeMode::Adding ? 1 : std::max(0, grid_->currentIndex().column());
  BeginCellEdit(row, column);
}

void CGradeEntryDlg::CopyGrid() {
  GridContent content;
  for (int column = 0; column < grid_->columnCount(); ++column) {
    const QTableWidgetItem* header = grid_->horizontalHeaderItem(column);
    content.columns.push_back(
        {header == nullptr ? std::string() : header->text().toStdString(), 0});
  }
  for (int row = 0; row < grid_->rowCount(); ++row) {
    std::vector<std::string>& cells = content.cells.emplace_back();
    for (int column = 0; column < grid_->columnCount(); ++column) {
      cells.push_back(grid_->ItemText(row, column).toStdString());
    }
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(GridClipboardText(content)));
}

void CGradeEntryDlg::OnEditorPaste() {
  QLineEdit* editor = editor_.Editor();
  const std::vector<std::string> lines =
      PastedMarkTexts(QGuiApplication::clipboard()->text().toStdString());
  if (editor == nullptr || lines.empty()) {
    return;
  }
  // Each line as if typed into its cell: while adding, every student's row
  // below; while modifying, the student's marks of that category below.
  const int column = editor_.Column();
  int rows = grid_->rowCount();
  if (mode_ == GradeMode::Modifying) {
    rows = 0;
    ClassRecord* record = SelectedClass();
    if (const StudentRecord* student = record == nullptr ? nullptr : SelectedStudent(*record)) {
      for (const GradeRecord& grade : student->grades) {
        rows += grade.Category() == column ? 1 : 0;
      }
    }
  }
  int row = editor_.Row();
  editor->setText(QString::fromStdString(lines[0]).left(kTypedTextLength));
  for (std::size_t i = 1; i < lines.size() && row + 1 < rows; ++i) {
    ++row;
    grid_->SetItemText(row, column, QString::fromStdString(lines[i]).left(kTypedTextLength));
  }
  if (row != editor_.Row()) {
    BeginCellEdit(row, column);  // takes the first line into its cell
  }
}

bool CGradeEntryDlg::CheckScales() {
  // While adding only the "Notes" column holds marks; the names may hold a slash.
  const int first = mode_ == GradeMode::Adding ? 1 : 0;
  const int last = mode_ == GradeMode::Adding ? 1 : grid_->columnCount() - 1;
  for (int column = first; column <= last; ++column) {
    for (int row = 0; row < grid_->rowCount(); ++row) {
      const QString text = grid_->ItemText(row, column).left(kTypedTextLength);
      if (ReadScaledMark(text.toStdString()).status == ScaleStatus::Invalid) {
        grid_->SelectRow(row);
        main_.GetServices().messages.Inform(
            QStringLiteral("Barème invalide : %1").arg(text).toStdString(), "Attention",
            platform::MessageIcon::Exclamation);
        return false;
      }
    }
  }
  return true;
}

bool CGradeEntryDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == editor_.Editor() && watched != nullptr &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
    OnEditorPaste();
    return true;
  }
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      CopyGrid();
      return true;
    }
    if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
      OnGridEditKey();
      return true;
    }
  }
  if (watched == grid_->viewport()) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      clickPoint_ = grid_->viewport()->mapTo(grid_, mouse->position().toPoint());
      if (type == QEvent::MouseButtonRelease &&
          (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton)) {
        ShowGradeDetails();
      } else if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
        OnGridDoubleClick();
        // The grid may have been refilled under the pointer: it does nothing
        // more with this double click.
        return true;
      }
    }
  }
  return TemplateDialog::eventFilter(watched, event);
}

}  // namespace vellanor
