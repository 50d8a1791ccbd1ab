#include "program/command_wiring.h"

#include "dialogs/delete_dlg.h"
#include "dialogs/modify_info_dlg.h"
#include "dialogs/new_class_dlg.h"
#include "dialogs/new_student_dlg.h"
#include "grading/grade_entry_dlg.h"
#include "reports/reports_dlg.h"
#include "resources/ids.h"

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

  // Import/export: res::kCmdImportExport (32819).
  // Calendar: res::kCmdCalendar (32783); calculator: res::kCmdCalculator (32785);
  // help: res::kCmdHelp (32773).
  // About box: res::kCmdAbout (32774) and res::kSysCmdAbout (16).
  (void)main;
}

}  // namespace vellanor
