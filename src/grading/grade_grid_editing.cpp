// The grade-entry window's in-place editor (a widgets::CellEditor laid over
// one grid cell) and the walk down the "Notes" column while a grade column
// is being added.
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

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "grading/grade_entry_dlg.h"
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
  if (!state_.EditsCells()) {
    return;
  }
  // A double click elsewhere while an editor is open keeps what it holds.
  CommitCellEdit();
  editRow_ = row;
  editColumn_ = column;
  ++editorGeneration_;
  editor_.SetTakesTab(state_.Mode() == GradeMode::Adding);
  editor_.Open(row, column, state_.Mode() == GradeMode::Modifying ? Px(kModifyingWidth) : 0);
}

bool CGradeEntryDlg::CommitCellEdit() {
  if (!state_.EditsCells() || !editor_.IsOpen()) {
    return true;
  }
  ++editorGeneration_;
  const int row = editor_.Row();
  const int column = editor_.Column();
  if (const std::optional<QString> text = editor_.Take()) {
    if (!IsStorableMark(ToCp1252(text->left(kTypedTextLength)))) {
      // The cell keeps what it showed: the file cannot hold that mark.
      main_.GetServices().messages.Inform("Note trop grande : " + text->toStdString(), "Attention",
                                          platform::MessageIcon::Exclamation);
      BeginCellEdit(row, column);  // open again on the same cell, to be corrected
      return false;
    }
    grid_->SetItemText(row, column, *text);
  }
  return true;
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
  if (CommitCellEdit() && state_.Mode() == GradeMode::Adding) {
    EditNextRow();
  }
}

void CGradeEntryDlg::OnEditorFocusLeft(QWidget* to) {
  CommitCellEdit();
  if (state_.Mode() != GradeMode::Adding || to != grid_) {
    return;
  }
  // A click on the grid: the next row opens once that click is over.
  const unsigned generation = editorGeneration_;
  QTimer::singleShot(0, this, [this, generation] {
    if (state_.Mode() == GradeMode::Adding && !editor_.IsOpen() &&
        generation == editorGeneration_) {
      EditNextRow();
    }
  });
}

void CGradeEntryDlg::OnGridEditKey() {
  // F2, the usual key for editing in place, does what a double click on the
  // highlighted row does, so that marks can be typed without the mouse.
  if (!state_.EditsCells()) {
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
  const int column =
      state_.Mode() == GradeMode::Adding ? 1 : std::max(0, grid_->currentIndex().column());
  BeginCellEdit(row, column);
}

bool CGradeEntryDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
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
