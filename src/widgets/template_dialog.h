#pragma once

#include <map>
#include <typeinfo>
#include <vector>

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

#include "resources/dialog_template.h"

// A dialog built from its template: every control of the template created
// at its pixel geometry inside a client area (below the menu bar when the
// template has a menu), addressed by its ID, with the commands of its
// buttons, menu and keys routed to one virtual OnCommand.
//
// Commands:
//   - a click on a push button, radio button or check box: OnCommand(its ID);
//   - a menu command: OnCommand(command ID);
//   - Enter: the focused push button's ID, else the template's default push
//     button's ID even when that button is hidden (kIdOk without one);
//     nothing when that control is disabled;
//   - Escape and the close box: kIdCancel, even without a control of that ID
//     (nothing when such a control is disabled).
// The default OnCommand accepts the dialog on kIdOk and rejects it on
// kIdCancel.
//
// Radio buttons form exclusive groups as in the template: from a radio that
// starts a group to the next control that starts one. Tab enters a group
// at its checked radio and checks nothing; Space, a click or the arrow keys
// choose. Combo boxes are
// widgets::ComboList and start with no entry chosen, like the controls they
// stand for. A tree scrolls sideways to show its longest item whole.

namespace vellanor::widgets {

class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  // `scale` converts dialog units for a screen of scale x 96 dpi; 0 takes
  // the screen's (ScreenScale()).
  explicit TemplateDialog(int dialogId, QWidget* parent = nullptr, double scale = 0.0);
  ~TemplateDialog() override;

  const res::DialogTemplate& Template() const { return *template_; }
  double Scale() const { return scale_; }
  // A length given in pixels of a 96-dpi screen, in this dialog's pixels.
  int Px(int pixelsAt96Dpi) const;

  // The control with this ID, or nullptr.
  QWidget* Control(int id) const;
  // The control made from the template's control at `position`, or nullptr.
  QWidget* ControlAt(int position) const;
  // The control with this ID as its type; a wrong ID or type is a
  // programming error and aborts with a message naming both.
  template <class T>
  T& Bind(int id) {
    T* typed = dynamic_cast<T*>(Control(id));
    if (typed == nullptr) {
      BindFailed(id, typeid(T).name());
    }
    return *typed;
  }
  // The ID a control was built with (res::kNoId for none).
  static int ControlId(const QWidget* control);
  // Gives a control made later (an in-place editor) the ID it stands for.
  static void SetControlId(QWidget* control, int id);

  // The area that holds the controls; control geometry is relative to it.
  QWidget* ClientArea() const { return client_; }
  // The menu bar (nullptr without a menu) and the action of a menu command.
  QMenuBar* MenuBar() const { return menuBar_; }
  QAction* MenuAction(int commandId) const;
  // A popup of a menu resource, owned by this dialog, whose commands come
  // to OnCommand; nullptr for a missing popup.
  QMenu* CreatePopupMenu(int menuId, int popupIndex);

  // Routes a command to OnCommand.
  void SendCommand(int id);

  // Checks a radio button; the others of its group (as the template groups
  // them) are unchecked. Nothing is sent to OnCommand.
  void CheckRadioButton(int id);
  // The checked radio button of the group that holds radio `id`, or 0.
  int CheckedRadioButton(int id) const;
  // Shows another icon in a static icon control.
  void SetStaticIcon(int controlId, int iconId);

 protected:
  virtual void OnCommand(int id);

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  [[noreturn]] void BindFailed(int id, const char* typeName) const;
  void Build();
  QWidget* CreateControl(const res::ControlTemplate& control);
  QWidget* CreateComboBox(const res::ControlTemplate& control, QRect& geometry);
  QWidget* CreateTreeView(const res::ControlTemplate& control);
  QWidget* CreateListView(const res::ControlTemplate& control);
  void GroupRadioButtons();
  void SetBuddies();
  void HandleEnter();
  void HandleEscape();

  const res::DialogTemplate* template_;
  double scale_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::vector<QWidget*> controls_;  // in template order
  std::map<int, QWidget*> byId_;
};

}  // namespace vellanor::widgets
