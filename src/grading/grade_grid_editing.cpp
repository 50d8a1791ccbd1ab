// The grade-entry window's in-place editor: a borderless line edit laid over
// one grid cell, and the walk down the "Notes" column while a grade column is
// being added.
//
// Enter commits the mark and closes the editor where it is. Moving the focus
// away in any other way (Tab, a click elsewhere) commits it too and, while
// adding, opens the editor on the next student's row, so that a column is
// typed as mark, Tab, mark, Tab... The two are told apart by where the commit
// comes from, never by counting commands, so nothing carries over from one
// keystroke, one editor or one opening of the window to the next.

#include <algorithm>

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "grading/grade_entry_dlg.h"
#include "model/gradebook.h"
#include "resources/ids.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

constexpr int kEditorLength = 31;  // what is read of an editor or a cell
constexpr int kLeftInset = 2;
constexpr int kTopInset = 1;
constexpr int kModifyingWidth = 60;

}  // namespace

void CGradeEntryDlg::BeginCellEdit(int row, int column) {
  if (mode_ != GradeMode::Adding && mode_ != GradeMode::Modifying) {
    return;
  }
  // A double click elsewhere while an editor is open keeps what it holds.
  CommitEditor(true);
  editRow_ = row;
  editColumn_ = column;
  const QString text = grid_->ItemText(row, column).left(kEditorLength);
  if (!grid_->EnsureVisible(row)) {
    return;
  }
  if (column < 0 || column >= grid_->columnCount()) {
    return;
  }
  // The whole cell is brought into view, not only its row, and the row
  // being typed in is the one highlighted.
  grid_->scrollTo(grid_->model()->index(row, column));
  grid_->SelectRow(row);

  auto* editor = new QLineEdit(ClientArea());
  SetControlId(editor, res::kCtlGradeEditor);
  editor->setObjectName(QStringLiteral("cellEditor"));
  editor->setFrame(false);
  editor->setText(text);
  editor->installEventFilter(this);
  editor_ = editor;
  ++editorGeneration_;
  PlaceEditor();
  editor->show();
  editor->raise();
  editor->setFocus(Qt::OtherFocusReason);
  editor->selectAll();
}

void CGradeEntryDlg::CommitCellEdit() {
  CommitEditor(true);
}

void CGradeEntryDlg::CommitEditor(bool focusGrid) {
  if ((mode_ != GradeMode::Adding && mode_ != GradeMode::Modifying) || editor_ == nullptr) {
    return;
  }
  // Forgotten first, so that the focus leaving it below commits nothing more.
  QLineEdit* editor = editor_;
  editor_ = nullptr;
  ++editorGeneration_;
  grid_->SetItemText(editRow_, editColumn_, editor->text().left(kEditorLength));
  if (focusGrid && focusWidget() == editor) {
    grid_->setFocus(Qt::OtherFocusReason);
  }
  editor->removeEventFilter(this);
  editor->hide();
  // It may be the widget whose event is being handled.
  editor->deleteLater();
}

void CGradeEntryDlg::CloseEditor() {
  if (editor_ == nullptr) {
    return;
  }
  QLineEdit* editor = editor_;
  editor_ = nullptr;
  ++editorGeneration_;
  if (focusWidget() == editor) {
    grid_->setFocus(Qt::OtherFocusReason);
  }
  editor->removeEventFilter(this);
  editor->hide();
  editor->deleteLater();
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

void CGradeEntryDlg::OnEditorLeft() {
  // Tab while adding: the mark is taken and the next student's cell opens.
  CommitEditor(true);
  if (mode_ == GradeMode::Adding) {
    EditNextRow();
  }
}

void CGradeEntryDlg::OnEditorFocusLost() {
  // The focus already went where the teacher sent it; the next row opens
  // once that move is over.
  CommitEditor(false);
  if (mode_ != GradeMode::Adding) {
    return;
  }
  const unsigned generation = editorGeneration_;
  QTimer::singleShot(0, this, [this, generation] {
    if (mode_ == GradeMode::Adding && editor_ == nullptr && generation == editorGeneration_) {
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

QRect CGradeEntryDlg::EditorRect(const QRect& cell) const {
  // From just inside the cell's left edge and below its top to its right
  // edge and its bottom; a fixed width when modifying.
  const int left = cell.left() + Px(kLeftInset);
  const int top = cell.top() + Px(kTopInset);
  const int right =
      mode_ == GradeMode::Modifying ? left + Px(kModifyingWidth) : cell.left() + cell.width();
  const int bottom = cell.top() + cell.height();
  return {left, top, right - left, bottom - top};
}

void CGradeEntryDlg::PlaceEditor() {
  if (editor_ == nullptr) {
    return;
  }
  QRect cell = grid_->CellRect(editRow_, editColumn_);
  if (cell.isEmpty()) {
    return;
  }
  cell.moveTopLeft(grid_->mapTo(ClientArea(), cell.topLeft()));
  editor_->setGeometry(EditorRect(cell));
}

bool CGradeEntryDlg::eventFilter(QObject* watched, QEvent* event) {
  if (editor_ != nullptr && watched == editor_) {
    if (event->type() == QEvent::KeyPress && mode_ == GradeMode::Adding) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
      if (tab && (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        OnEditorLeft();
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // Switching to another window or opening a menu leaves the editor where
      // it is; the focus comes back to it.
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        OnEditorFocusLost();
      }
    }
    return false;
  }
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
