#include "app/gradebook_app.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QLockFile>
#include <QTreeWidget>

#include "app/main_dlg.h"
#include "platform/file_store.h"
#include "support/fake_services.h"
#include "support/faulty_system_calls.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"
#include "widgets/splash_wnd.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

// Reads the real files; refuses to create any.
class ReadOnlyFileStore : public platform::FileStore {
 public:
  platform::OpenedInput OpenForReading(const std::string& path) override {
    return files_.OpenForReading(path);
  }
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(const std::string&) override {
    return nullptr;
  }

 private:
  platform::QtFileStore files_;
};

// Runs the program with a pause and a modal run that only record what
// happens, in order.
struct StartUp {
  explicit StartUp(platform::Services& services) : app(services) {
    app.SetPause([this](int milliseconds) {
      events.push_back("pause " + std::to_string(milliseconds) +
                       (app.Splash() != nullptr && app.Splash()->isVisible() ? " splash" : "") +
                       (app.MainWindow() != nullptr ? " main" : ""));
    });
    app.SetInstallCommands([this](CMainDlg&) { events.push_back("main built"); });
    app.SetRunModal([this](CMainDlg& main) {
      events.push_back("run");
      if (duringRun) {
        duringRun(main);
      }
    });
  }

  CGradebookApp app;
  std::vector<std::string> events;
  std::function<void(CMainDlg&)> duringRun;
};

TEST(GradebookAppTest, FirstStartCreatesAnEmptyDatabaseAndRunsTheMainWindow) {
  test::FakeServices services;
  StartUp start(services.Get());
  int roots = -1;
  int classes = -1;
  bool splashBehind = false;
  std::size_t messagesBeforeRun = 0;
  start.duringRun = [&](CMainDlg& main) {
    auto& tree = main.Bind<QTreeWidget>(1001);
    roots = tree.topLevelItemCount();
    classes = tree.topLevelItem(0)->childCount();
    splashBehind = start.app.Splash() != nullptr && start.app.Splash()->isVisible();
    messagesBeforeRun = services.messages.shown.size();
  };
  EXPECT_EQ(start.app.InitInstance(), 0);

  // The main window is built only after the pause, while the splash shows.
  EXPECT_EQ(start.events, (std::vector<std::string>{"pause 3000 splash", "main built", "run"}));
  ASSERT_EQ(messagesBeforeRun, 1u);
  EXPECT_EQ(services.messages.shown[0].text,
            "Base de donnée manquante,\nCréation d'une base vide...");
  EXPECT_EQ(roots, 1);
  EXPECT_EQ(classes, 0);
  EXPECT_TRUE(splashBehind);
  // At the end the splash is closed and the windows are gone.
  EXPECT_EQ(start.app.Splash(), nullptr);
  EXPECT_EQ(start.app.MainWindow(), nullptr);
  EXPECT_TRUE(std::filesystem::exists("Vellanor.db"));

  // The next start loads that database without a word.
  services.messages.shown.clear();
  StartUp again(services.Get());
  EXPECT_EQ(again.app.InitInstance(), 0);
  EXPECT_TRUE(services.messages.shown.empty());
  EXPECT_EQ(again.events.back(), "run");
}

TEST(GradebookAppTest, UnreadableDatabaseEndsTheProgramWithoutMainWindow) {
  // Version 1.0 and no class.
  test::WriteBytes("Vellanor.db", {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00});
  test::FakeServices services;
  StartUp start(services.Get());
  EXPECT_EQ(start.app.InitInstance(), 1);
  EXPECT_EQ(start.events, (std::vector<std::string>{"pause 3000 splash", "main built"}));
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text, "Version de la base de données invalide");
  EXPECT_EQ(services.messages.shown[0].caption, "Erreur");
  EXPECT_EQ(services.messages.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(start.app.Splash(), nullptr);
  // The file is left as it was for the user to repair.
  EXPECT_EQ(test::ReadBytes("Vellanor.db"),
            (std::vector<unsigned char>{0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00}));
}

TEST(GradebookAppTest, FatalSaveClosesOpenDialogsAndTheMainWindow) {
  {
    // A valid database to start from.
    test::FakeServices writer;
    Gradebook empty;
    DatabaseOperations(empty, writer.messages, writer.files).SaveDatabase("Vellanor.db");
  }
  const std::vector<unsigned char> saved = test::ReadBytes("Vellanor.db");

  test::FakeMessageService messages;
  ReadOnlyFileStore files;
  test::FakeClock clock{std::chrono::year{2026} / 12 / 7};
  test::FakeFileChooser chooser;
  test::FakeProgramLauncher launcher;
  test::FakeProcessRunner processes;
  platform::Services services{messages, files, clock, chooser, launcher, processes};
  StartUp start(services);
  bool dialogClosed = false;
  bool mainClosed = false;
  bool laterSaveRefused = false;
  start.duringRun = [&](CMainDlg& main) {
    main.show();
    widgets::TemplateDialog dialog(141, &main, 1.0);
    dialog.show();
    main.GetGradebook().classes.push_back(test::Class("4e B"));
    EXPECT_FALSE(main.Commit({ChangeKind::ClassCreated, 0, "création de la classe 4e B"}));
    dialogClosed = !dialog.isVisible() && dialog.result() == 0;
    mainClosed = !main.isVisible() && main.result() == 0;
    laterSaveRefused =
        !main.Commit({ChangeKind::ClassCreated, 0, "création de la classe 4e B"});
  };
  EXPECT_EQ(start.app.InitInstance(), 1);
  EXPECT_TRUE(dialogClosed);
  EXPECT_TRUE(mainClosed);
  EXPECT_TRUE(laterSaveRefused);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Imposible de créer une base de donnée,\nLe programme va s'arrêter...");
  EXPECT_EQ(messages.shown[0].caption, "Erreur fatale");
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), saved);
}

TEST(GradebookAppTest, SecondProgramInTheSameFolderIsRefusedAndTouchesNothing) {
  test::FakeServices services;
  StartUp first(services.Get());
  int secondResult = -1;
  std::vector<std::string> secondEvents;
  std::vector<unsigned char> before;
  first.duringRun = [&](CMainDlg& main) {
    main.GetGradebook().classes.push_back(test::Class("4e B"));
    ASSERT_TRUE(main.Commit({ChangeKind::ClassCreated, 0, "création de la classe 4e B"}));
    before = test::ReadBytes("Vellanor.db");
    services.messages.shown.clear();

    // However long the first has been running.
    std::filesystem::last_write_time(
        "Vellanor.db.lock", std::filesystem::file_time_type::clock::now() - std::chrono::hours(5));
    test::FakeServices otherServices;
    StartUp second(otherServices.Get());
    secondResult = second.app.InitInstance();
    secondEvents = second.events;
    ASSERT_EQ(otherServices.messages.shown.size(), 1u);
    EXPECT_EQ(otherServices.messages.shown[0].text,
              "Base de données déjà ouverte par un autre Vellanor,\nLe programme va s'arrêter...");
    EXPECT_EQ(otherServices.messages.shown[0].caption, "Attention");
    EXPECT_EQ(otherServices.messages.shown[0].icon, MessageIcon::Exclamation);
  };
  EXPECT_EQ(first.app.InitInstance(), 0);
  EXPECT_EQ(secondResult, 1);
  EXPECT_TRUE(secondEvents.empty());  // no splash, no window, no load
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), before);

  // Once the first has ended, the folder is free again.
  StartUp third(services.Get());
  EXPECT_EQ(third.app.InitInstance(), 0);
  EXPECT_TRUE(services.messages.shown.empty());
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db.lock"));
}

TEST(GradebookAppTest, StartTakesOverACrashedProgramsLockAndRemovesItsUnfinishedSaves) {
  // The lock of a program that died: made by this one, then given the number
  // of a process that has ended.
  std::string content;
  {
    QLockFile lock(QStringLiteral("Vellanor.db.lock"));
    ASSERT_TRUE(lock.tryLock());
    const auto bytes = test::ReadBytes("Vellanor.db.lock");
    content.assign(bytes.begin(), bytes.end());
    lock.unlock();
  }
  const pid_t ended = fork();
  if (ended == 0) {
    _exit(0);
  }
  ASSERT_GT(ended, 0);
  waitpid(ended, nullptr, 0);
  content = std::to_string(ended) + content.substr(content.find('\n'));
  test::WriteBytes("Vellanor.db.lock", std::vector<unsigned char>(content.begin(), content.end()));

  const std::vector<unsigned char> database{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00};
  test::WriteBytes("Vellanor.db", database);
  test::WriteBytes("Vellanor.db.k3J9xQ.tmp", database);
  test::WriteBytes("Vellanor.db.backup", database);  // the teacher's own
  std::filesystem::create_directory("Sauvegardes");
  test::WriteBytes("Sauvegardes/2026-12-07_10h00_importation-4e-B.db.Zz12ab.tmp", database);

  test::FakeServices services;
  StartUp start(services.Get());
  bool leftoversGone = false;
  start.duringRun = [&](CMainDlg&) {
    leftoversGone = !std::filesystem::exists("Vellanor.db.k3J9xQ.tmp") &&
                    std::filesystem::is_empty("Sauvegardes");
  };
  EXPECT_EQ(start.app.InitInstance(), 0);
  EXPECT_EQ(start.events.back(), "run");
  EXPECT_TRUE(services.messages.shown.empty());
  EXPECT_TRUE(leftoversGone);
  EXPECT_TRUE(std::filesystem::exists("Vellanor.db.backup"));
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), database);
}

const std::vector<unsigned char> kEmptyDatabase{0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00};

TEST(GradebookAppTest, LockGuardsTheFileALinkPointsToAndAnEmptyLockIsTakenOver) {
  namespace fs = std::filesystem;
  fs::create_directory("a");
  fs::create_directory("b");
  test::WriteBytes("a/Vellanor.db", kEmptyDatabase);
  fs::create_symlink(fs::absolute("a/Vellanor.db"), "b/Vellanor.db");
  // What a power cut leaves of a lock: taken over without a word.
  test::WriteBytes("a/Vellanor.db.lock", {});
  const fs::path top = fs::current_path();

  fs::current_path("b");
  test::FakeServices services;
  StartUp first(services.Get());
  int secondResult = -1;
  std::vector<std::string> secondTexts;
  first.duringRun = [&](CMainDlg&) {
    EXPECT_GT(fs::file_size(top / "a/Vellanor.db.lock"), 0u);
    fs::current_path(top / "a");
    test::FakeServices otherServices;
    StartUp second(otherServices.Get());
    secondResult = second.app.InitInstance();
    secondTexts = otherServices.messages.Texts();
    fs::current_path(top / "b");
  };
  EXPECT_EQ(first.app.InitInstance(), 0);
  fs::current_path(top);
  EXPECT_TRUE(services.messages.shown.empty());
  EXPECT_EQ(secondResult, 1);
  EXPECT_EQ(secondTexts, std::vector<std::string>{
                             "Base de données déjà ouverte par un autre Vellanor,\nLe programme "
                             "va s'arrêter..."});
  EXPECT_FALSE(fs::exists("a/Vellanor.db.lock"));
  EXPECT_EQ(test::FileNames("b"), std::vector<std::string>{"Vellanor.db"});
}

TEST(GradebookAppTest, AnotherComputersLockAsksAndNoEndsWithoutTouchingTheFile) {
  test::WriteBytes("Vellanor.db", kEmptyDatabase);
  const std::string held = "4242\nVellanor\nposte-salle-12\n1796731500\n";
  test::WriteBytes("Vellanor.db.lock", std::vector<unsigned char>(held.begin(), held.end()));
  const char* zone = std::getenv("TZ");
  const std::string oldZone = zone != nullptr ? zone : "";
  setenv("TZ", "UTC", 1);
  tzset();

  test::FakeServices services;
  StartUp refused(services.Get());
  EXPECT_EQ(refused.app.InitInstance(), 1);
  EXPECT_TRUE(refused.events.empty());
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text,
            "Base de données déjà ouverte par un autre Vellanor,\nsur l'ordinateur "
            "« poste-salle-12 » depuis le 08/12/2026 à 12h05.\nSi ce Vellanor n'est plus "
            "ouvert, vous pouvez l'ouvrir ici.\nOuvrir quand même ?");
  EXPECT_EQ(services.messages.shown[0].caption, "Attention");
  EXPECT_EQ(services.messages.shown[0].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), kEmptyDatabase);
  EXPECT_EQ(test::ReadBytes("Vellanor.db.lock"),
            std::vector<unsigned char>(held.begin(), held.end()));

  // Yes takes the lock over, and it is ours until the end.
  services.messages.AnswerYes();
  StartUp opened(services.Get());
  std::string during;
  opened.duringRun = [&](CMainDlg&) {
    const auto bytes = test::ReadBytes("Vellanor.db.lock");
    during.assign(bytes.begin(), bytes.end());
  };
  EXPECT_EQ(opened.app.InitInstance(), 0);
  EXPECT_EQ(during.substr(0, during.find('\n')), std::to_string(getpid()));
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db.lock"));

  if (zone != nullptr) {
    setenv("TZ", oldZone.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST(GradebookAppTest, NoLockOnAFullDiskEndsTheProgramAndAReadOnlyFolderIsTold) {
  test::WriteBytes("Vellanor.db", kEmptyDatabase);
  test::FaultySystemCalls calls;

  calls.Inject(test::FaultySystemCalls::Fault::Fail, 1, ENOSPC);
  test::FakeServices services;
  StartUp full(services.Get());
  full.app.SetSystemCalls(calls);
  EXPECT_EQ(full.app.InitInstance(), 1);
  EXPECT_TRUE(full.events.empty());
  const std::string folder = std::filesystem::canonical(".").string();
  EXPECT_EQ(services.messages.Texts(),
            std::vector<std::string>{"Le verrou de la base de données n'a pas pu être créé\n(le "
                                     "disque est plein) :\n" +
                                     folder +
                                     "/Vellanor.db.lock\nLe programme va s'arrêter sans "
                                     "modifier la base de données."});
  EXPECT_EQ(test::FileNames(), std::vector<std::string>{"Vellanor.db"});
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), kEmptyDatabase);

  services.messages.shown.clear();
  calls.Inject(test::FaultySystemCalls::Fault::Fail, 1, EROFS);
  StartUp readOnly(services.Get());
  readOnly.app.SetSystemCalls(calls);
  std::size_t toldBeforeRun = 0;
  readOnly.duringRun = [&](CMainDlg&) { toldBeforeRun = services.messages.shown.size(); };
  EXPECT_EQ(readOnly.app.InitInstance(), 0);
  EXPECT_EQ(toldBeforeRun, 1u);
  EXPECT_EQ(services.messages.Texts(),
            std::vector<std::string>{"Le dossier " + folder +
                                     " est en lecture seule : aucune modification ne pourra être "
                                     "enregistrée."});
}

}  // namespace
}  // namespace vellanor
