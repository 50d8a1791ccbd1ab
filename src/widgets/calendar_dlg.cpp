#include "widgets/calendar_dlg.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTableView>
#include <QTextCharFormat>

#include "platform/clock.h"
#include "resources/ids.h"
#include "widgets/icon_button.h"

namespace vellanor::widgets {
namespace {

QDate ToQDate(std::chrono::year_month_day day) {
  return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
               static_cast<int>(static_cast<unsigned>(day.day())));
}

}  // namespace

CCalendarDlg::CCalendarDlg(const platform::Clock& clock, QWidget* parent, double scale)
    : TemplateDialog(res::kDlgCalendar, parent, scale),
      quit_(Bind<IconButton>(res::kIdOk)),
      calendar_(Bind<QCalendarWidget>(res::kCtlCalendar)) {
  OnInitDialog(clock);
}

void CCalendarDlg::OnInitDialog(const platform::Clock& clock) {
  SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));

  calendar_.setLocale(QLocale(QLocale::French, QLocale::France));
  calendar_.setFirstDayOfWeek(Qt::Monday);
  calendar_.setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar_.setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
  // Plain text everywhere: no day in bold, week-ends like the other days.
  QTextCharFormat plain;
  plain.setFontWeight(QFont::Normal);
  plain.setForeground(palette().color(QPalette::Text));
  calendar_.setHeaderTextFormat(plain);
  calendar_.setWeekdayTextFormat(Qt::Saturday, plain);
  calendar_.setWeekdayTextFormat(Qt::Sunday, plain);

  // Today: shown, selected, and marked so that it stays visible when
  // another day is picked.
  const QDate today = ToQDate(clock.Today());
  QTextCharFormat todayMark = plain;
  todayMark.setForeground(QColor(200, 0, 0));
  todayMark.setBackground(QColor(255, 226, 226));
  calendar_.setDateTextFormat(today, todayMark);
  calendar_.setSelectedDate(today);
  calendar_.setCurrentPage(today.year(), today.month());

  // The day grid keeps Enter for itself; here Enter closes the dialog as in
  // any other one.
  if (auto* grid = calendar_.findChild<QTableView*>()) {
    grid->installEventFilter(this);
  }
}

bool CCalendarDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      SendCommand(Template().DefaultCommand());
      return true;
    }
  }
  return TemplateDialog::eventFilter(watched, event);
}

}  // namespace vellanor::widgets
