#pragma once

#include <QComboBox>

// The combo boxes of the templates. Windows name a class or a student by
// its position in such a list, so a list must never name an entry that the
// teacher did not choose: Position() is the position of the entry the list's
// text names, and kNoPosition when the text of an editable list names none
// (the teacher typed over it) or nothing is chosen. Act on Position(), never
// on currentIndex(): an editable QComboBox keeps its last index whatever is
// typed over it.
//
// Also: a long entry shows its beginning, and the dropped-down list shows
// maxVisibleItems() rows in every style, never a menu as tall as the screen,
// and is wide enough for its longest entry.

namespace vellanor::widgets {

class ComboList : public QComboBox {
  Q_OBJECT

 public:
  static constexpr int kNoPosition = -1;

  explicit ComboList(bool editable, QWidget* parent = nullptr);

  // The position of the entry the text names, or kNoPosition.
  int Position() const;
  // Chooses an entry; kNoPosition (or any position without an entry)
  // chooses none and empties the text.
  void SetPosition(int position);

  // The dropped-down list is as wide as its longest entry, so that long
  // names are read whole.
  void showPopup() override;

 private:
  void ShowTextFromItsStart();
};

}  // namespace vellanor::widgets
