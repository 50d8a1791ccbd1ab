#pragma once

#include <optional>

#include <QLineEdit>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QString>

// The in-place editor of a report list: one line edit laid over one cell,
// a child of the dialog's client area (drawn over the list), created when a
// cell is opened and destroyed when its text is taken or dropped. The window
// decides what a typed text means and writes the cell; the editor tells it
// when the keyboard focus left (any way but to a popup such as its own
// context menu, so also when the window loses activation) and, when asked,
// when Tab was pressed.

namespace vellanor::widgets {

class ReportList;

class CellEditor : public QObject {
  Q_OBJECT

 public:
  struct Look {
    int controlId = 0;       // the ID the editor stands for
    bool frame = true;       // a border
    int maxLength = 0;       // what may be typed; 0: no limit
    int readLength = 0;      // what is read of a cell or of the editor; 0: all
    QMargins margins;        // from the cell's edges inwards (negative: outwards)
    bool selectAll = false;  // the text starts selected, so typing replaces it
  };

  // `host` is the client area the editor is laid on.
  CellEditor(ReportList& list, QWidget& host, const Look& look, QObject* parent = nullptr);
  ~CellEditor() override;

  // Opens the editor over a cell with the cell's text, scrolls the cell into
  // view, highlights its row and gives the editor the focus. `width` > 0
  // gives the editor that width from its left edge. False, without an
  // editor, for a cell that does not exist. An editor already open is
  // dropped first: take its text before.
  bool Open(int row, int column, int width = 0);

  bool IsOpen() const { return !editor_.isNull(); }
  QLineEdit* Editor() const { return editor_.data(); }
  int Row() const { return row_; }
  int Column() const { return column_; }

  // The editor's text (cut to the read length); the editor closes and the
  // list gets the focus if the editor had it. Nothing without an editor.
  std::optional<QString> Take();
  // Closes the editor, dropping its text.
  void Close();

  // Whether Tab and Shift+Tab in the editor are reported (TabPressed) rather
  // than moving the focus.
  void SetTakesTab(bool takes) { takesTab_ = takes; }

 signals:
  // The focus left the editor for `to` (nullptr when the window lost it).
  void FocusLeft(QWidget* to);
  void TabPressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  QLineEdit* Detach();

  ReportList& list_;
  QWidget& host_;
  Look look_;
  QPointer<QLineEdit> editor_;
  int row_ = 0;
  int column_ = 0;
  int width_ = 0;
  bool takesTab_ = false;
};

}  // namespace vellanor::widgets
