#include "program/command_wiring.h"

#include <gtest/gtest.h>

#include <vector>

#include <QDialog>

#include "support/fake_services.h"

namespace vellanor {
namespace {

// A dialog that records how it was made and run instead of running.
struct ProbeDialog : QDialog {
  static inline std::vector<MainWindowOperations*> runs;
  explicit ProbeDialog(MainWindowOperations& main) : QDialog(main.DialogParent()), main_(main) {}
  int exec() override {
    runs.push_back(&main_);
    return 0;
  }
  MainWindowOperations& main_;
};

TEST(CommandWiringTest, MenuAndContextCommandsOpenTheirDialogOverTheMainWindow) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  ProbeDialog::runs.clear();
  OnCommands(main, {32775, 32816}, Opens<ProbeDialog>(main));
  main.MenuAction(32775)->trigger();
  for (QAction* action : main.PrepareContextMenu()->actions()) {
    if (action->data().toInt() == 32816) {
      action->trigger();
    }
  }
  EXPECT_EQ(ProbeDialog::runs, (std::vector<MainWindowOperations*>{&main, &main}));

  // The main window's guard still comes first.
  OnCommands(main, {32776}, Opens<ProbeDialog>(main));
  main.MenuAction(32776)->trigger();
  EXPECT_EQ(ProbeDialog::runs.size(), 2u);
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text, "Créer une classe s'il vous plaît");
}

TEST(CommandWiringTest, InstalledCommandsKeepTheDuplicationOfTheMainWindow) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  EXPECT_TRUE(main.HasCommandHandler(32812));
  EXPECT_TRUE(main.HasCommandHandler(32818));
}

}  // namespace
}  // namespace vellanor
