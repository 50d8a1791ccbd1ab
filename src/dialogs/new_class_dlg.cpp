#include "dialogs/new_class_dlg.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include <QComboBox>
#include <QLineEdit>

#include "app/main_window_operations.h"
#include "app/qt_text.h"
#include "app/record_lists.h"
#include "model/gradebook.h"
#include "platform/clock.h"
#include "platform/message_service.h"
#include "resources/ids.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

// The years of the first list run to the next year and those of the second
// to the year after, so that a teacher can prepare next year's classes; never
// shorter than the original 2003 to 2009.
constexpr int kLastListedYear = 2009;

void FillYears(QComboBox& list, int first, int last, int selected) {
  list.clear();
  for (int year = first; year <= last; ++year) {
    list.addItem(QString::number(year));
  }
  list.setCurrentIndex(list.findText(QString::number(selected)));
}

// The year a list shows, or `fallback` when it shows none.
int SelectedYear(const QComboBox& list, int fallback) {
  bool ok = false;
  const int year = list.currentText().toInt(&ok);
  return ok ? year : fallback;
}

}  // namespace

CNewClassDlg::CNewClassDlg(MainWindowOperations& main, double scale)
    : TemplateDialog(res::kDlgNewClass, main.DialogParent(), scale),
      main_(main),
      validate_(Bind<widgets::IconButton>(res::kIdOk)),
      quit_(Bind<widgets::IconButton>(res::kIdCancel)),
      name_(Bind<QLineEdit>(res::kCtlClassName)),
      info_(Bind<QLineEdit>(res::kCtlClassInfo)),
      firstYear_(Bind<QComboBox>(res::kCtlClassFirstYear)),
      secondYear_(Bind<QComboBox>(res::kCtlClassSecondYear)) {
  OnInitDialog();
}

void CNewClassDlg::OnInitDialog() {
  currentYear_ = static_cast<int>(main_.GetServices().clock.Today().year());
  // What the teacher types shows what is stored.
  name_.setMaxLength(static_cast<int>(decltype(ClassRecord::name)::kWidth));
  info_.setMaxLength(static_cast<int>(decltype(ClassRecord::info)::kWidth));
  name_.setText(QStringLiteral("Nouvelle classe"));
  FillYearLists(currentYear_);
  widgets::SetUpIconButton(validate_, res::kIconValidate, QStringLiteral("Valide la création"));
  widgets::SetUpIconButton(quit_, res::kIconQuit, QStringLiteral("Retourne vers l'application"));
  // The name is the first thing to type, over the proposed one.
  name_.setFocus(Qt::OtherFocusReason);
  name_.selectAll();
}

void CNewClassDlg::FillYearLists(int currentYear) {
  FillYears(firstYear_, std::min(kFirstYear, currentYear),
            std::max(kLastListedYear, currentYear + 1), currentYear);
  FillYears(secondYear_, std::min(kFirstYear + 1, currentYear + 1),
            std::max(kLastListedYear, currentYear + 2), currentYear + 1);
}

void CNewClassDlg::OnCommand(int id) {
  if (id == res::kIdOk) {
    OnValidate();
  } else if (id == res::kIdCancel) {
    reject();
  }
}

void CNewClassDlg::OnValidate() {
  const QString name = name_.text();
  if (name.isEmpty()) {
    main_.GetServices().messages.Inform("Le nom de la classe est manquant !", "Erreur",
                                        platform::MessageIcon::Stop);
    return;
  }
  if (!CheckStorable(main_, name, QStringLiteral("Nom")) ||
      !CheckStorable(main_, info_.text(), QStringLiteral("Informations"))) {
    return;
  }
  ClassRecord record;
  AssignText(record.name, name);
  const int first = SelectedYear(firstYear_, currentYear_);
  const int second = SelectedYear(secondYear_, currentYear_ + 1);
  AssignText(record.year, QStringLiteral("%1 - %2").arg(first).arg(second));
  AssignText(record.info, info_.text());

  Gradebook& book = main_.GetGradebook();
  if (AppendClass(book, std::move(record)) != AppendResult::Done) {
    RefuseNewClass(main_, name);
    return;
  }
  const int position = static_cast<int>(book.classes.size()) - 1;
  main_.Commit({ChangeKind::ClassCreated, position,
                      DescribeClassChange(ChangeKind::ClassCreated, book.classes.back())});
  accept();
}

}  // namespace vellanor
