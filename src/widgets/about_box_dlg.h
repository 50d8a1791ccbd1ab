#pragma once

#include "widgets/template_dialog.h"

namespace vellanor::platform {
struct Services;
}

namespace vellanor::widgets {

class IconButton;
class LinkLabel;

// "A propos de Vellanor": the program's name and version, a line about it,
// the "Email" link to the project's address, always underlined, and "OK".
// Built afresh at each opening, so the link starts unvisited.
class CAboutBoxDlg : public TemplateDialog {
  Q_OBJECT

 public:
  // The address the "Email" link writes to: the project's, not a person's.
  static constexpr char kMailTarget[] = "mailto:vellanor@example.org?subject=Vellanor%202.0";

  explicit CAboutBoxDlg(platform::Services& services, QWidget* parent = nullptr,
                        double scale = 0.0);

  LinkLabel& Link() { return link_; }
  IconButton& OkButton() { return ok_; }

 private:
  void OnInitDialog(platform::Services& services);

  LinkLabel& link_;
  IconButton& ok_;
};

}  // namespace vellanor::widgets
