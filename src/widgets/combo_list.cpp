#include "widgets/combo_list.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScrollBar>

namespace vellanor::widgets {

ComboList::ComboList(bool editable, QWidget* parent) : QComboBox(parent) {
  setEditable(editable);
  if (editable) {
    // Typed text is not added to the list, and nothing is completed.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Leaving the text (Enter, a click elsewhere) chooses the entry it names
    // exactly, as choosing it in the list would.
    connect(lineEdit(), &QLineEdit::editingFinished, this, [this] {
      const int named = findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
      if (named >= 0 && named != currentIndex()) {
        setCurrentIndex(named);
      }
    });
  }
  // Some styles drop a choose-only list down as a menu as tall as the screen
  // and ignore the row count; the plain list keeps it.
  setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  connect(this, &QComboBox::currentIndexChanged, this, [this] { ShowTextFromItsStart(); });
}

int ComboList::Position() const {
  const int current = currentIndex();
  if (current < 0) {
    return kNoPosition;
  }
  // Until the text is left, and for a text that names no entry, only the
  // chosen entry's own text names it.
  if (isEditable() && currentText() != itemText(current)) {
    return kNoPosition;
  }
  return current;
}

void ComboList::SetPosition(int position) {
  setCurrentIndex(position >= 0 && position < count() ? position : -1);
  ShowTextFromItsStart();  // also when the window fills the list quietly
}

void ComboList::showPopup() {
  QAbstractItemView* list = view();
  const int widest = list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                     list->verticalScrollBar()->sizeHint().width();
  list->setMinimumWidth(std::max(width(), widest));
  QComboBox::showPopup();
}

void ComboList::ShowTextFromItsStart() {
  if (QLineEdit* edit = lineEdit()) {
    edit->setCursorPosition(0);
  }
}

}  // namespace vellanor::widgets
