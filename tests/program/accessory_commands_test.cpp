#include "program/accessory_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QDir>

#include "program/data_folder.h"
#include "support/fake_message_service.h"
#include "support/fake_program_launcher.h"

namespace vellanor {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

TEST(AccessoryCommandsTest, TheCalculatorIsTheFirstOneThatStartsOrTheTeacherIsTold) {
  test::FakeProgramLauncher launcher;
  test::FakeMessageService messages;
  launcher.installed = {"xcalc", "galculator"};
  launcher.broken = {"kcalc"};
  StartCalculator(launcher, messages);
  ASSERT_EQ(launcher.started.size(), 2u);  // kcalc, found but broken, then galculator
  EXPECT_EQ(launcher.started[1].program, "/usr/bin/galculator");
  EXPECT_TRUE(launcher.started[1].arguments.empty());
  EXPECT_TRUE(messages.Texts().empty());

  test::FakeProgramLauncher none;
  StartCalculator(none, messages);
  EXPECT_TRUE(none.started.empty());
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Aucune calculatrice n'est installée."});
  EXPECT_EQ(messages.shown.back().caption, "Attention");
}

TEST(AccessoryCommandsTest, TheHelpIsFoundBesideTheProgramOrWhereItIsInstalled) {
  const fs::path prefix = fs::current_path() / "usr";
  fs::create_directories(prefix / "bin");
  EXPECT_EQ(FindHelpFile((prefix / "bin").string()), "");

  Touch(prefix / "share/vellanor/aide/index.html");
  const std::string installed = (prefix / "share/vellanor/aide/index.html").string();
  EXPECT_EQ(FindHelpFile((prefix / "bin").string()), installed);

  test::FakeProgramLauncher launcher;
  test::FakeMessageService messages;
  OpenHelp(launcher, messages, (prefix / "bin").string());
  EXPECT_EQ(launcher.openedUrls, std::vector<std::string>{"file://" + installed});
  EXPECT_TRUE(messages.Texts().empty());

  // Nothing opens it, and no browser is installed: the teacher is told where it is.
  launcher.opensUrls = false;
  OpenHelp(launcher, messages, (prefix / "bin").string());
  EXPECT_EQ(launcher.openedUrls.size(), 2u);
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"L'aide ne peut pas être affichée : aucun navigateur n'est "
                                     "installé.\nElle se trouve dans " +
                                     installed + "."});

  // A build tree keeps the guide beside the program: that one first.
  Touch(prefix / "bin/aide/index.html");
  EXPECT_EQ(FindHelpFile((prefix / "bin").string()), (prefix / "bin/aide/index.html").string());
}

TEST(DataFolderTest, ADesktopStartWorksInTheHomeFolderWithTheSampleTemplates) {
  const fs::path start = fs::current_path();
  const QString home = QString::fromStdString((start / "home").string());
  const QString programDir = QString::fromStdString((start / "usr/bin").string());
  Touch(start / "usr/share/vellanor/Template/Bulletin.rtf");
  fs::create_directories(start / "home");
  test::FakeMessageService messages;

  // From a terminal: the current directory stays.
  EXPECT_TRUE(EnterDataFolder({"vellanor"}, messages, home, programDir));
  EXPECT_EQ(fs::current_path(), start);

  EXPECT_TRUE(EnterDataFolder({"vellanor", "--desktop"}, messages, home, programDir));
  EXPECT_EQ(fs::current_path(), start / "home/Vellanor");
  EXPECT_TRUE(fs::exists(start / "home/Vellanor/Template/Bulletin.rtf"));

  // A sample the teacher removed does not come back.
  fs::remove(start / "home/Vellanor/Template/Bulletin.rtf");
  EXPECT_TRUE(EnterDataFolder({"vellanor", "--desktop"}, messages, home, programDir));
  EXPECT_FALSE(fs::exists(start / "home/Vellanor/Template/Bulletin.rtf"));
  EXPECT_TRUE(messages.shown.empty());

  // A file where the folder should be: said, and the program stops.
  fs::current_path(start);
  Touch(start / "other/Vellanor");
  EXPECT_FALSE(EnterDataFolder({"vellanor", "--desktop"}, messages,
                               QString::fromStdString((start / "other").string()), programDir));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Impossible de créer ou d'ouvrir le dossier des données\n" +
                                        (start / "other/Vellanor").string());
  EXPECT_EQ(messages.shown[0].caption, "Erreur");
  EXPECT_EQ(fs::current_path(), start);
}

}  // namespace
}  // namespace vellanor
