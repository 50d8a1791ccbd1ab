#include "exchange/csv/csv_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "exchange/exchange_fixtures.h"
#include "platform/message_service.h"
#include "support/failing_file_store.h"
#include "support/fake_message_service.h"

namespace vellanor::exchange {
namespace {

using platform::MessageIcon;
using test::AddColumn;
using test::Class;
using test::Student;

std::string ExportOf(const ClassRecord& record, const StudentRecord* only = nullptr) {
  return ExportBytes({&record, only});
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CsvExportTest, WritesTheStudentBlockByteForByte) {
  ClassRecord record = Class("4B", "", {Student("Martin", "Julie")});
  AddColumn(record, 1, 0, {12.5f}, 1.0f);
  AddColumn(record, 1, 0, {-1}, 2.0f);
  AddColumn(record, 1, 1, {15}, 1.0f);

  EXPECT_EQ(ExportOf(record, &record.students[0]),
            "\r\nELEVE;Martin;Julie;4B;"
            "\r\nEcrit Trimestre 1;12.50;abs;"
            "\r\nCoef Ecrit Trimestre 1;1.00;2.00;"
            "\r\nMoyenne Ecrit Trimestre 1;12.50;"
            "\r\nOral Trimestre 1;15.00;"
            "\r\nCoef Oral Trimestre 1;1.00;"
            "\r\nMoyenne Oral Trimestre 1;15.00;");
}

TEST(CsvExportTest, CategoriesInFileOrderTwoDecimalsAndQuotedNames) {
  // Columns created oral T2 first, then written T3, then written T1.
  ClassRecord record =
      Class("3e \"A\"", "", {Student("Lef\xE8vre", "Zo\xE9"), Student("Dupont, Jr", "Luc;a")});
  AddColumn(record, 2, 1, {7, -1}, 0.5f);
  AddColumn(record, 3, 0, {13.333f, 20}, 1.0f);
  AddColumn(record, 1, 0, {-1, -1}, 4.0f);
  // An average left undefined (absent everywhere) prints "abs".
  EXPECT_EQ(ExportOf(record),
            "\r\nELEVE;Lef\xE8vre;Zo\xE9;\"3e \"\"A\"\"\";"
            "\r\nEcrit Trimestre 1;abs;\r\nCoef Ecrit Trimestre 1;4.00;"
            "\r\nMoyenne Ecrit Trimestre 1;abs;"
            "\r\nOral Trimestre 2;7.00;\r\nCoef Oral Trimestre 2;0.50;"
            "\r\nMoyenne Oral Trimestre 2;7.00;"
            "\r\nEcrit Trimestre 3;13.33;\r\nCoef Ecrit Trimestre 3;1.00;"
            "\r\nMoyenne Ecrit Trimestre 3;13.33;"
            "\r\nELEVE;\"Dupont, Jr\";\"Luc;a\";\"3e \"\"A\"\"\";"
            "\r\nEcrit Trimestre 1;abs;\r\nCoef Ecrit Trimestre 1;4.00;"
            "\r\nMoyenne Ecrit Trimestre 1;abs;"
            "\r\nOral Trimestre 2;abs;\r\nCoef Oral Trimestre 2;0.50;"
            "\r\nMoyenne Oral Trimestre 2;abs;"
            "\r\nEcrit Trimestre 3;20.00;\r\nCoef Ecrit Trimestre 3;1.00;"
            "\r\nMoyenne Ecrit Trimestre 3;20.00;");

  // A student without any mark of a category (added after its assessments):
  // no average, an empty field rather than 0.00.
  ClassRecord late = Class("5e", "", {Student("Roy", "Eva")});
  AddColumn(late, 1, 0, {12});
  late.students.push_back(Student("Neuf", "Ali"));
  ++late.studentCount;
  EXPECT_EQ(ExportBytes({&late, &late.students[1]}),
            "\r\nELEVE;Neuf;Ali;5e;\r\nEcrit Trimestre 1;\r\nCoef Ecrit Trimestre 1;"
            "\r\nMoyenne Ecrit Trimestre 1;;");

  // No student: nothing at all. No grade column: the student line alone.
  EXPECT_EQ(ExportOf(Class("Vide")), "");
  const ClassRecord plain = Class("5e", "", {Student("Roy", "Eva")});
  EXPECT_EQ(ExportOf(plain), "\r\nELEVE;Roy;Eva;5e;");
}

TEST(CsvExportTest, RunWritesReplacesAndReportsFailuresWithoutTouchingTheEarlierFile) {
  Gradebook book;
  ClassRecord record = Class("4B", "", {Student("Martin", "Julie"), Student("Roy", "Eva")});
  AddColumn(record, 1, 0, {12, 14});
  ASSERT_EQ(AppendClass(book, record), AppendResult::Done);
  ASSERT_EQ(AppendClass(book, Class("Vide")), AppendResult::Done);
  test::FakeMessageService messages;
  test::FailingFileStore files;

  // One student, then the whole empty class over the same file: replaced.
  EXPECT_TRUE(RunExport(book, {"notes.csv", 0, ExportScope::OneStudent, 1}, files, messages));
  EXPECT_EQ(FileText("notes.csv"),
            "\r\nELEVE;Roy;Eva;4B;\r\nEcrit Trimestre 1;14.00;\r\nCoef Ecrit Trimestre 1;1.00;"
            "\r\nMoyenne Ecrit Trimestre 1;14.00;");
  const std::string first = FileText("notes.csv");
  // Over it: asked first; No, the default, keeps its bytes. A path without
  // extension gets ".csv", as the chooser gives it.
  EXPECT_FALSE(RunExport(book, {"notes.csv", 1, ExportScope::WholeClass, 0}, files, messages));
  EXPECT_EQ(FileText("notes.csv"), first);
  messages.AnswerYes();
  EXPECT_TRUE(RunExport(book, {"notes", 1, ExportScope::WholeClass, 0}, files, messages));
  EXPECT_FALSE(std::filesystem::exists("notes"));
  EXPECT_EQ(FileText("notes.csv"), "");
  const std::string replace = "Le document notes.csv existe déjà.\nVoulez-vous le remplacer ?";
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"Document créé", replace, replace, "Document créé"}));
  EXPECT_EQ(messages.shown[1].caption, "Attention");
  EXPECT_EQ(messages.shown[1].buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(messages.shown[3].caption, "C'est fini!");
  EXPECT_EQ(messages.shown[3].icon, MessageIcon::Exclamation);

  // A disk that fills up, a failed rename, a file that cannot be created, an
  // empty path: the error, and the earlier file whole.
  messages.shown.clear();
  test::FailingFileStore fullDisk;
  fullDisk.acceptedBytes = 10;
  test::FailingFileStore failedRename;
  failedRename.failCommit = true;
  test::FailingFileStore refusing;
  refusing.refuseToCreate = true;
  const ExportRequest wholeClass{"notes.csv", 0, ExportScope::WholeClass, 0};
  messages.answers.assign(3, platform::MessageAnswer::Yes);
  EXPECT_FALSE(RunExport(book, wholeClass, fullDisk, messages));
  EXPECT_FALSE(RunExport(book, wholeClass, failedRename, messages));
  EXPECT_FALSE(RunExport(book, wholeClass, refusing, messages));
  EXPECT_FALSE(RunExport(book, {"", 0, ExportScope::WholeClass, 0}, files, messages));
  EXPECT_FALSE(
      RunExport(book, {"no/such/folder/x.csv", 0, ExportScope::WholeClass, 0}, files, messages));
  EXPECT_EQ(FileText("notes.csv"), "");
  std::erase_if(messages.shown, [&](const auto& shown) { return shown.text == replace; });
  ASSERT_EQ(messages.shown.size(), 5u);
  for (const auto& shown : messages.shown) {
    EXPECT_EQ(shown.text, "Erreur à la création du document");
    EXPECT_EQ(shown.caption, "Erreur");
    EXPECT_EQ(shown.icon, MessageIcon::Stop);
  }
}

TEST(CsvExportTest, NothingToExportIsSaidAndNothingIsWritten) {
  Gradebook book;
  test::FakeMessageService messages;
  test::FailingFileStore files;
  EXPECT_FALSE(RunExport(book, {"x.csv", 0, ExportScope::WholeClass, 0}, files, messages));
  ASSERT_EQ(AppendClass(book, Class("Vide")), AppendResult::Done);
  ASSERT_EQ(AppendClass(book, Class("5e", "", {Student("Roy", "Eva")})), AppendResult::Done);
  EXPECT_FALSE(RunExport(book, {"x.csv", 0, ExportScope::OneStudent, 0}, files, messages));
  EXPECT_FALSE(RunExport(book, {"x.csv", -1, ExportScope::WholeClass, 0}, files, messages));
  EXPECT_FALSE(RunExport(book, {"x.csv", 1, ExportScope::OneStudent, -1}, files, messages));
  EXPECT_FALSE(RunExport(book, {"x.csv", 1, ExportScope::OneStudent, 1}, files, messages));

  EXPECT_EQ(files.openingsForWriting, 0);
  EXPECT_FALSE(std::filesystem::exists("x.csv"));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                  "Il n'y a aucune classe dans la base de données",
                                  "Il n'y a aucun élève dans cette classe",
                                  "Sélectionner une classe, s'il vous plaît",
                                  "Sélectionner un élève, s'il vous plaît",
                                  "Sélectionner un élève, s'il vous plaît",
                              }));
  for (const auto& shown : messages.shown) {
    EXPECT_EQ(shown.caption, "Attention");
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
  }
}

}  // namespace
}  // namespace vellanor::exchange
