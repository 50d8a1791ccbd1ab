#include "program/command_wiring.h"

#include <string>

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>

#include "dialogs/delete_dlg.h"
#include "dialogs/modify_info_dlg.h"
#include "dialogs/new_class_dlg.h"
#include "dialogs/new_student_dlg.h"
#include "exchange/import_export_dlg.h"
#include "grading/grade_entry_dlg.h"
#include "platform/services.h"
#include "program/accessory_commands.h"
#include "reports/reports_dlg.h"
#include "resources/ids.h"
#include "statistics/statistics_dlg.h"
#include "widgets/about_box_dlg.h"
#include "widgets/calendar_dlg.h"

namespace vellanor {

void OnCommands(CMainDlg& main, std::initializer_list<int> commandIds,
                const std::function<void()>& action) {
  for (int id : commandIds) {
    main.SetCommandHandler(id, action);
  }
}

void InstallCommands(CMainDlg& main) {
  // The duplication commands (32812, 32818) belong to the main window itself.
  // Every other dialog adds one line here, for example
  //   OnCommands(main, {res::kCmdNewClass, res::kCmdTreeNewClass}, Opens<CNewClassDlg>(main));

  OnCommands(main, {res::kCmdNewClass, res::kCmdTreeNewClass}, Opens<CNewClassDlg>(main));
  OnCommands(main, {res::kCmdNewStudent, res::kCmdTreeNewStudent}, Opens<CNewStudentDlg>(main));
  OnCommands(main, {res::kCmdDelete, res::kCmdTreeDelete}, Opens<CDeleteDlg>(main));
  OnCommands(main, {res::kCmdModifyInfo, res::kCmdTreeModifyInfo}, Opens<CModifyInfoDlg>(main));

  OnCommands(main, {res::kCmdGrading}, Opens<CGradeEntryDlg>(main));

  OnCommands(main, {res::kCmdReport}, Opens<CReportsDlg>(main));
  OnCommands(main, {res::kCmdStatistics}, Opens<CStatisticsDlg>(main));

  // Opens even without a class: each run then says there is none.
  OnCommands(main, {res::kCmdImportExport}, Opens<CImportExportDlg>(main));

  OnCommands(main, {res::kCmdCalendar}, [&main] {
    widgets::CCalendarDlg dialog(main.GetServices().clock, &main);
    dialog.exec();
  });
  OnCommands(main, {res::kCmdCalculator}, [&main] {
    StartCalculator(main.GetServices().launcher, main.GetServices().messages);
  });
  // The guide is looked for beside the program that runs, wherever it was installed.
  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
  OnCommands(main, {res::kCmdHelp}, [&main, programDir] {
    OpenHelp(main.GetServices().launcher, main.GetServices().messages, programDir);
  });
  if (QAction* help = main.MenuAction(res::kCmdHelp)) {
    help->setShortcut(QKeySequence(Qt::Key_F1));
  }
  OnCommands(main, {res::kCmdAbout, res::kSysCmdAbout}, [&main] {
    widgets::CAboutBoxDlg dialog(main.GetServices(), &main);
    dialog.exec();
  });
}

}  // namespace vellanor
