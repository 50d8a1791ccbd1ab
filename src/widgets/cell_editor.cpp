#include "widgets/cell_editor.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include "widgets/report_list.h"
#include "widgets/template_dialog.h"

namespace vellanor::widgets {

CellEditor::CellEditor(ReportList& list, QWidget& host, const Look& look, QObject* parent)
    : QObject(parent), list_(list), host_(host), look_(look) {
  // An open editor follows its cell when the list scrolls.
  connect(list.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Place(); });
  connect(list.horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Place(); });
}

CellEditor::~CellEditor() {
  if (editor_ != nullptr) {
    editor_->removeEventFilter(this);
  }
}

bool CellEditor::Open(int row, int column, int width) {
  Close();
  if (column < 0 || column >= list_.columnCount() || !list_.EnsureVisible(row)) {
    return false;
  }
  row_ = row;
  column_ = column;
  width_ = width;
  // The whole cell is brought into view, not only its row, and the row being
  // typed in is the one highlighted.
  list_.scrollTo(list_.model()->index(row, column));
  list_.SelectRow(row);

  QString text = list_.ItemText(row, column);
  if (look_.readLength > 0) {
    text = text.left(look_.readLength);
  }
  auto* editor = new QLineEdit(&host_);
  TemplateDialog::SetControlId(editor, look_.controlId);
  editor->setObjectName(QStringLiteral("control%1").arg(look_.controlId));
  editor->setFrame(look_.frame);
  if (look_.maxLength > 0) {
    editor->setMaxLength(look_.maxLength);
  }
  editor->setText(text);
  editor_ = editor;
  Place();
  editor->installEventFilter(this);
  editor->show();
  editor->raise();
  editor->setFocus(Qt::OtherFocusReason);
  if (look_.selectAll) {
    editor->selectAll();
  }
  return true;
}

QLineEdit* CellEditor::Detach() {
  // Forgotten first, so that the focus leaving it reports nothing more.
  QLineEdit* editor = editor_.data();
  editor_.clear();
  if (editor == nullptr) {
    return nullptr;
  }
  editor->removeEventFilter(this);
  if (editor->hasFocus()) {
    list_.setFocus(Qt::OtherFocusReason);
  }
  editor->hide();
  // Possibly inside the editor's own event handling: deleted once it returns.
  editor->deleteLater();
  return editor;
}

std::optional<QString> CellEditor::Take() {
  if (editor_ == nullptr) {
    return std::nullopt;
  }
  QString text = editor_->text();
  if (look_.readLength > 0) {
    text = text.left(look_.readLength);
  }
  Detach();
  return text;
}

void CellEditor::Close() {
  Detach();
}

void CellEditor::Place() {
  if (editor_ == nullptr) {
    return;
  }
  QRect cell = list_.CellRect(row_, column_);
  if (cell.isEmpty()) {
    return;
  }
  cell.moveTopLeft(list_.mapTo(&host_, cell.topLeft()));
  QRect rect = cell.marginsRemoved(look_.margins);
  if (width_ > 0) {
    rect.setWidth(width_);
  }
  editor_->setGeometry(rect);
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (editor_ == nullptr || watched != editor_) {
    return QObject::eventFilter(watched, event);
  }
  if (event->type() == QEvent::KeyPress && takesTab_) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
      emit TabPressed();
      return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    // The editor's own context menu takes the focus for a moment only.
    if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      emit FocusLeft(QApplication::focusWidget());
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vellanor::widgets
