#pragma once

#include "widgets/template_dialog.h"

class QCalendarWidget;

namespace vellanor::platform {
class Clock;
}

namespace vellanor::widgets {

class IconButton;

// "Calendrier": a month calendar in French, weeks from Monday, opened on
// the clock's month with today marked; "Quitter", Enter and Escape close it.
// The date picked in it is not used.
class CCalendarDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CCalendarDlg(const platform::Clock& clock, QWidget* parent = nullptr,
                        double scale = 0.0);

  QCalendarWidget& Calendar() { return calendar_; }
  IconButton& QuitButton() { return quit_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnInitDialog(const platform::Clock& clock);

  IconButton& quit_;
  QCalendarWidget& calendar_;
};

}  // namespace vellanor::widgets
