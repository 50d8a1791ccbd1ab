#include "program/command_wiring.h"

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

  // New class: res::kCmdNewClass (32775) and res::kCmdTreeNewClass (32816).
  // New student: res::kCmdNewStudent (32776) and res::kCmdTreeNewStudent (32817).
  // Delete: res::kCmdDelete (32777) and res::kCmdTreeDelete (32813).
  // Modify information: res::kCmdModifyInfo (32779) and res::kCmdTreeModifyInfo (32815).

  // Grade entry: res::kCmdGrading (32797).

  // Reports: res::kCmdReport (32780).
  // Import/export: res::kCmdImportExport (32819).
  // Calendar: res::kCmdCalendar (32783); calculator: res::kCmdCalculator (32785);
  // help: res::kCmdHelp (32773).
  // About box: res::kCmdAbout (32774) and res::kSysCmdAbout (16).
  (void)main;
}

}  // namespace vellanor
