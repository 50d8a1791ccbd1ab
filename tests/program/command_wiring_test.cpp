#include "program/command_wiring.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include "support/fake_services.h"
#include "support/record_builders.h"

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

// The class of the modal dialog a command opens, closed at once ("" for none).
std::string DialogOpenedBy(CMainDlg& main, int command) {
  std::string opened;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      opened = dialog->metaObject()->className();
      dialog->QDialog::reject();
    }
  });
  main.SendCommand(command);
  return opened;
}

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

TEST(CommandWiringTest, RecordCommandsOpenTheRecordDialogs) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  main.GetGradebook().classes.push_back(test::Class("4e B"));
  main.RebuildTree();
  const std::vector<std::pair<int, const char*>> expected = {
      {32775, "vellanor::CNewClassDlg"},   {32816, "vellanor::CNewClassDlg"},
      {32776, "vellanor::CNewStudentDlg"}, {32817, "vellanor::CNewStudentDlg"},
      {32777, "vellanor::CDeleteDlg"},     {32813, "vellanor::CDeleteDlg"},
      {32779, "vellanor::CModifyInfoDlg"}, {32815, "vellanor::CModifyInfoDlg"}};
  for (const auto& [command, dialogClass] : expected) {
    std::string opened;
    QWidget* parent = nullptr;
    // The dialog runs modally: look at it, then leave it at once.
    QTimer::singleShot(0, [&] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        opened = dialog->metaObject()->className();
        parent = dialog->parentWidget();
        dialog->QDialog::reject();
      }
    });
    main.SendCommand(command);
    EXPECT_EQ(opened, dialogClass) << command;
    EXPECT_EQ(parent, &main) << command;
  }
}

TEST(CommandWiringTest, AccessoryCommandsOpenTheirWindowsOrStartTheirProgram) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  // Neither needs a class.
  for (const auto& [command, dialogClass] :
       std::vector<std::pair<int, const char*>>{{32783, "vellanor::widgets::CCalendarDlg"},
                                                {32774, "vellanor::widgets::CAboutBoxDlg"},
                                                {16, "vellanor::widgets::CAboutBoxDlg"}}) {
    std::string opened;
    QTimer::singleShot(0, [&] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        opened = dialog->metaObject()->className();
        EXPECT_EQ(dialog->parentWidget(), &main);
        dialog->QDialog::reject();
      }
    });
    main.SendCommand(command);
    EXPECT_EQ(opened, dialogClass) << command;
  }

  services.launcher.installed = {"gnome-calculator"};
  main.SendCommand(32785);
  ASSERT_EQ(services.launcher.started.size(), 1u);
  EXPECT_EQ(services.launcher.started[0].program, "/usr/bin/gnome-calculator");
  services.launcher.installed.clear();
  main.SendCommand(32785);
  EXPECT_EQ(services.messages.Texts(),
            std::vector<std::string>{"Aucune calculatrice n'est installée."});
}

TEST(CommandWiringTest, F1InTheMainWindowRunsTheHelpCommand) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  int helpRuns = 0;
  OnCommands(main, {32773}, [&helpRuns] { ++helpRuns; });
  main.show();
  QApplication::setActiveWindow(&main);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QTest::keyClick(&main, Qt::Key_F1);
  EXPECT_EQ(helpRuns, 1);
  EXPECT_TRUE(main.isVisible());
}

TEST(CommandWiringTest, NotationOpensTheGradeEntryWindow) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  EXPECT_TRUE(main.HasCommandHandler(32797));
}

TEST(CommandWiringTest, RapportOpensTheReportsDialogOnceThereIsAClass) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  main.SendCommand(32780);
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text, "Il n'y a aucune classe dans la base de données");
  EXPECT_EQ(services.messages.shown[0].caption, "Attention");

  main.GetGradebook().classes.push_back(test::Class("4e B"));
  EXPECT_EQ(DialogOpenedBy(main, 32780), "vellanor::CReportsDlg");
}

TEST(CommandWiringTest, StatistiquesOpensTheStatisticsWindowOnceThereIsAClass) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  ASSERT_NE(main.MenuAction(32821), nullptr);
  main.MenuAction(32821)->trigger();
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text, "Il n'y a aucune classe dans la base de données");
  EXPECT_EQ(services.messages.shown[0].caption, "Attention");

  main.GetGradebook().classes.push_back(test::Class("4e B"));
  EXPECT_EQ(DialogOpenedBy(main, 32821), "vellanor::CStatisticsDlg");
}

TEST(CommandWiringTest, ImporterExporterOpensItsDialogEvenWithoutAClass) {
  test::FakeServices services;
  CMainDlg main(services.Get(), nullptr, 1.0);
  InstallCommands(main);
  EXPECT_EQ(DialogOpenedBy(main, 32819), "vellanor::CImportExportDlg");
  EXPECT_TRUE(services.messages.shown.empty());
}

}  // namespace
}  // namespace vellanor
