#include "reports/document_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "report_files.h"
#include "reports/merge/document_names.h"
#include "reports/merge/template_reader.h"
#include "reports/private_folder.h"
#include "support/failing_file_store.h"
#include "support/fake_services.h"
#include "support/faulty_system_calls.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

namespace fs = std::filesystem;
using platform::MessageIcon;

using test::FileNames;
using test::ReadText;

// Print mode writes beside the data folder: the test works in a "data"
// folder of its own temporary directory, so that "../ToPrint" stays inside.
void EnterDataFolder() {
  fs::create_directory("data");
  fs::current_path("data");
}

TEST(DocumentNamesTest, NamesStayInsideTheFolderAndNeverShareAFile) {
  EXPECT_EQ(DocumentFileName("../../x"), ".._.._x");
  EXPECT_EQ(DocumentFileName("4e/B\\C:D*E?F\"G<H>I|J\x01K\x7FL \xE9"),
            "4e_B_C_D_E_F_G_H_I_J_K_L \xE9");

  DocumentNames names;
  EXPECT_EQ(names.Take("4e B_Martin", "4e B_Martin_Julie"), "4e B_Martin");
  EXPECT_EQ(names.Take("4e B_MARTIN", "4e B_MARTIN_Paul"), "4e B_MARTIN_Paul");
  EXPECT_EQ(names.Take("4e B_Martin", "4e B_Martin_Paul"), "4e B_Martin_Paul_2");
  EXPECT_EQ(names.Take("4e B"), "4e B");
  EXPECT_EQ(names.Take("4e/B"), "4e/B");  // another file: "4e_B"
  EXPECT_EQ(names.Take("4e_B"), "4e_B_2");
  EXPECT_EQ(names.Take("4e B"), "4e B_2");
}

TEST(DocumentNamesTest, AStudentsNameDependsOnTheClassAlone) {
  const ClassRecord record =
      test::Class("6e A", "",
                  {test::Student("Bertrand", "Hugo"), test::Student("Petit", "Zo\xE9"),
                   test::Student("BERTRAND", "Rapha\xEBl"), test::Student("Bertrand", "Hugo"),
                   test::Student("Durand", "Paul")});
  EXPECT_EQ(
      StudentDocumentNames(record),
      (std::vector<std::string>{"6e A_Bertrand_Hugo", "6e A_Petit", "6e A_BERTRAND_Rapha\xEBl",
                                "6e A_Bertrand_Hugo_2", "6e A_Durand"}));
  EXPECT_TRUE(StudentDocumentNames(test::Class("3e C")).empty());
}

TEST(TemplateReaderTest, ATemplateIsReadWholeOrNotAtAll) {
  std::ofstream("modele.rtf", std::ios::binary) << std::string("{\\rtf1 \xE9\0}", 10);
  platform::QtFileStore files;
  TemplateFile read = ReadTemplateFile(files, "modele.rtf");
  EXPECT_EQ(read.text, std::string("{\\rtf1 \xE9\0}", 10));
  read = ReadTemplateFile(files, "absent.rtf");
  EXPECT_FALSE(read.text);
  EXPECT_EQ(read.error, "Erreur à l'ouverture du document");

  // The disk fails after the first piece: no half template.
  std::ofstream("long.rtf", std::ios::binary) << std::string(100000, 'x');
  test::FaultySystemCalls calls;
  platform::QtFileStore faulty(calls);
  calls.Inject(test::FaultySystemCalls::Fault::Fail,
               4);  // open, fstat, read, then the failing read
  read = ReadTemplateFile(faulty, "long.rtf");
  EXPECT_FALSE(read.text);
  EXPECT_EQ(read.error, "Erreur à la lecture du document");
}

TEST(DocumentWriterTest, SavingWritesTheDatedFileInTheFolderAndSaysSo) {
  test::FakeServices services;
  fs::create_directory("out");
  const std::string merged = std::string("{\\rtf1 \xE9t\xE9\r\n\0}", 12);
  EXPECT_TRUE(WriteDocument(services.Get(), merged, "4e B", {false, "out"}));
  services.clock.Set(std::chrono::year{2027} / 1 / 3);
  EXPECT_TRUE(WriteDocument(services.Get(), "second", "../../4e/B", {false, "out/"}));
  EXPECT_EQ(FileNames("out"),
            (std::vector<std::string>{".._.._4e_B_20270103.rtf", "4e B_20261207.rtf"}));
  EXPECT_EQ(ReadText("out/4e B_20261207.rtf"), merged);
  EXPECT_EQ(FileNames("."), (std::vector<std::string>{"out"}));
  ASSERT_EQ(services.messages.shown.size(), 2u);
  EXPECT_EQ(services.messages.shown[0].text, "Document créé");
  EXPECT_EQ(services.messages.shown[0].caption, "C'est fini!");
  EXPECT_EQ(services.messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(services.launcher.started.empty());
}

TEST(DocumentWriterTest, AFileThatCannotBeWrittenIsReportedAndKeepsTheOldOne) {
  test::FakeServices fakes;
  test::FailingFileStore files;
  platform::Services services{fakes.messages, files,          fakes.clock,
                              fakes.chooser,  fakes.launcher, fakes.processes};
  fs::create_directory("out");
  ASSERT_TRUE(WriteDocument(services, "old document", "4e B", {false, "out"}));

  files.acceptedBytes = 4;  // the disk fills up
  EXPECT_FALSE(WriteDocument(services, "new document", "4e B", {false, "out"}));
  files.acceptedBytes = std::numeric_limits<std::size_t>::max();
  files.failCommit = true;
  EXPECT_FALSE(WriteDocument(services, "new document", "4e B", {false, "out"}));
  EXPECT_EQ(ReadText("out/4e B_20261207.rtf"), "old document");

  // A folder that does not exist is not made.
  EXPECT_FALSE(WriteDocument(services, "x", "4e B", {false, "missing"}));
  EXPECT_FALSE(fs::exists("missing"));

  const std::string error = "Erreur à la création du document";
  EXPECT_EQ(fakes.messages.Texts(),
            (std::vector<std::string>{"Document créé", error, error, error}));
  EXPECT_EQ(fakes.messages.shown[1].caption, "Erreur!");
  EXPECT_EQ(fakes.messages.shown[1].icon, MessageIcon::Stop);
}

TEST(DocumentWriterTest, PrintingHandsTheTemporaryFileToTheWordProcessorAsOneArgument) {
  EnterDataFolder();
  test::FakeServices services;
  services.clock.SetTime(14, 5, 9);
  services.launcher.installed = {"soffice"};
  const std::string name = "4e B_O'Brien\"; rm -rf ~";
  EXPECT_TRUE(WriteDocument(services.Get(), "{\\rtf1 x}", name, {true, "ignored"}));

  const fs::path expected = fs::absolute("../ToPrint/4e B_O'Brien_; rm -rf ~_00140509.tmp");
  EXPECT_EQ(ReadText(expected), "{\\rtf1 x}");
  ASSERT_EQ(services.launcher.started.size(), 1u);
  EXPECT_EQ(services.launcher.started[0].program, "/usr/bin/soffice");
  // The word processor gets a profile of its own, so that it prints the file
  // itself rather than handing it to a LibreOffice already running; the
  // profile and the file go when it ends.
  std::vector<std::string> arguments = services.launcher.started[0].arguments;
  ASSERT_EQ(arguments.size(), 4u);
  const std::string profileArgument = "-env:UserInstallation=file://";
  ASSERT_EQ(arguments[0].rfind(profileArgument, 0), 0u);
  const fs::path profile = arguments[0].substr(profileArgument.size());
  EXPECT_TRUE(fs::is_directory(profile));
  EXPECT_EQ((std::vector<std::string>(arguments.begin() + 1, arguments.end())),
            (std::vector<std::string>{"--headless", "-p", expected.lexically_normal().string()}));
  services.launcher.FinishAll();
  EXPECT_FALSE(fs::exists(profile));
  EXPECT_FALSE(fs::exists(expected));
  EXPECT_EQ(services.messages.Texts(), (std::vector<std::string>{"Impression lancée"}));
  EXPECT_EQ(services.messages.shown[0].caption, "C'est fini!");

  // Another installation calls it libreoffice.
  services.launcher.installed = {"libreoffice"};
  EXPECT_TRUE(WriteDocument(services.Get(), "y", "4e B", {true, ""}));
  EXPECT_EQ(services.launcher.started.back().program, "/usr/bin/libreoffice");
}

TEST(DocumentWriterTest, APrintJobGivesEveryFileToOneWordProcessorAndKeepsThemWhenItFails) {
  EnterDataFolder();
  // A temporary folder with a space and an accent in its path.
  const fs::path temporary = fs::absolute("../tmp \xC3\xA9");
  fs::create_directory(temporary);
  const char* const savedTmpdir = std::getenv("TMPDIR");
  const std::string saved = savedTmpdir != nullptr ? savedTmpdir : "";
  ::setenv("TMPDIR", temporary.c_str(), 1);
  test::FakeServices services;
  services.clock.SetTime(9, 30, 0);
  services.launcher.installed = {"soffice"};
  PrintJob job(services.Get(), true);
  EXPECT_TRUE(job.Add("a", "4e B_Martin"));
  EXPECT_TRUE(job.Add("b", "4e B_Durand"));
  EXPECT_TRUE(job.Start());
  const std::string martin =
      fs::absolute("../ToPrint/4e B_Martin_00093000.tmp").lexically_normal().string();
  const std::string durand =
      fs::absolute("../ToPrint/4e B_Durand_00093000.tmp").lexically_normal().string();
  ASSERT_EQ(services.launcher.started.size(), 1u);
  ASSERT_EQ(FileNames(temporary).size(), 1u);
  const std::string profile = FileNames(temporary)[0];
  EXPECT_EQ(profile.rfind("vellanor-impression-", 0), 0u);
  const std::string url = FileUrl(temporary.parent_path().string());
  EXPECT_EQ(url.substr(0, 7), "file://");
  EXPECT_EQ(services.launcher.started[0].arguments,
            (std::vector<std::string>{"-env:UserInstallation=" + url + "/tmp%20%C3%A9/" + profile,
                                      "--headless", "-p", martin, durand}));
  EXPECT_EQ(services.messages.Texts(), (std::vector<std::string>{"Impression lancée"}));

  // LibreOffice failed: the files stay to be printed by hand, the profile
  // goes, and nothing more is said.
  services.launcher.FinishAll(false);
  EXPECT_EQ(ReadText(martin), "a");
  EXPECT_EQ(ReadText(durand), "b");
  EXPECT_TRUE(FileNames(temporary).empty());
  EXPECT_EQ(services.messages.shown.size(), 1u);

  // No word processor could start: said once for all, files and no profile left.
  services.launcher.installed.clear();
  services.launcher.broken = {"soffice"};
  PrintJob failing(services.Get(), true);
  failing.Add("c", "3e A");
  failing.Add("d", "3e C");
  EXPECT_FALSE(failing.Start());
  EXPECT_EQ(services.messages.Texts().back(),
            "Impossible de lancer le traitement de texte pour imprimer les documents.\n"
            "Installez LibreOffice, ou ouvrez ces fichiers et imprimez-les vous-même.\n"
            "Ils sont dans " +
                fs::absolute("../ToPrint").lexically_normal().string() + ".");
  EXPECT_EQ(FileNames("../ToPrint").size(), 4u);
  EXPECT_TRUE(FileNames(temporary).empty());
  if (savedTmpdir != nullptr) {
    ::setenv("TMPDIR", saved.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
}

TEST(DocumentWriterTest, PrintingFailuresAreReportedNotAnnounced) {
  EnterDataFolder();
  test::FakeServices services;
  // No word processor: the file is kept and the teacher is told.
  EXPECT_FALSE(WriteDocument(services.Get(), "z", "4e B", {true, ""}));
  EXPECT_TRUE(fs::exists("../ToPrint/4e B_00100000.tmp"));
  ASSERT_EQ(services.messages.shown.size(), 1u);
  EXPECT_EQ(services.messages.shown[0].text,
            "Impossible de lancer le traitement de texte pour imprimer le document.\n"
            "Installez LibreOffice, ou ouvrez ce fichier et imprimez-le vous-même :\n" +
                fs::absolute("../ToPrint/4e B_00100000.tmp").lexically_normal().string());
  EXPECT_EQ(services.messages.shown[0].caption, "Erreur!");
  EXPECT_EQ(services.messages.shown[0].icon, MessageIcon::Stop);

  // The print folder cannot be made (a file has its name): nothing is started.
  fs::remove_all("../ToPrint");
  std::ofstream("../ToPrint") << "a file";
  services.launcher.installed = {"soffice"};
  EXPECT_FALSE(WriteDocument(services.Get(), "z", "4e B", {true, ""}));
  EXPECT_EQ(services.messages.shown.back().text, "Erreur à la création du document temporaire");
  EXPECT_EQ(services.messages.shown.back().caption, "Erreur!");
  EXPECT_TRUE(services.launcher.started.empty());
}

}  // namespace
}  // namespace vellanor
