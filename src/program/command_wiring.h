#pragma once

#include <functional>
#include <initializer_list>

#include "app/main_dlg.h"

namespace vellanor {

// Registers on the main window what each menu and context-menu command
// opens. The main window checks the commands that need a class before it
// runs them; a command registered nowhere does nothing.
void InstallCommands(CMainDlg& main);

// An action that runs a dialog modally over the main window and destroys it
// when it closes; the dialog saves and rebuilds the tree itself.
template <class Dialog>
std::function<void()> Opens(CMainDlg& main) {
  return [&main] {
    Dialog dialog(main);
    dialog.exec();
  };
}

// The same action for several commands (a menu command and its context-menu twin).
void OnCommands(CMainDlg& main, std::initializer_list<int> commandIds,
                const std::function<void()>& action);

}  // namespace vellanor
