#include "exchange/csv/csv_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_line_reader.h"
#include "exchange/csv/memory_import_host.h"
#include "exchange/exchange_fixtures.h"
#include "exchange/main_window_exchange.h"
#include "model/invariants.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "support/fake_main_window.h"
#include "support/fake_message_service.h"
#include "support/temp_dir.h"

namespace vellanor::exchange {
namespace {

using platform::MessageButtons;
using platform::MessageIcon;
using test::AddColumn;
using test::Class;
using test::Student;

constexpr char kImported[] = "Données importées";
constexpr char kMarkCount[] =
    "Le nombre de notes de cet élève\nne correspond pas à celui de la classe";

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// One class in memory and the import run on it, through the same save and
// reload as the program's; every save must keep the rules of the data model.
struct Importer {
  explicit Importer(ClassRecord record) {
    EXPECT_EQ(AppendClass(book, std::move(record)), AppendResult::Done);
  }

  ImportOutcome Run(const std::string& csv) {
    WriteFile("import.csv", csv);
    const ImportOutcome outcome = RunImport(host, "import.csv", 0);
    for (const ClassRecord& record : book.classes) {
      EXPECT_EQ(FindInvariantFault(record), std::nullopt);
    }
    return outcome;
  }
  ClassRecord& Record() { return book.classes[0]; }
  std::vector<float> Values(int student) const {
    std::vector<float> values;
    for (const GradeRecord& mark : book.classes[0].students[student].grades) {
      values.push_back(mark.value);
    }
    return values;
  }

  Gradebook book;
  test::FakeMessageService messages;
  platform::QtFileStore files;
  MemoryImportHost host{book, messages, files};
};

// A class with two written T1 columns and one oral T1 column, named, with
// coefficients 1, 2 and 3, created written, oral, written.
ClassRecord SmallClass(std::vector<StudentRecord> students) {
  ClassRecord record = Class("4B", "", std::move(students));
  const std::vector<float> none(record.students.size(), -1);
  AddColumn(record, 1, 0, none, 1.0f, "DS 1");
  AddColumn(record, 1, 1, none, 3.0f, "Oral 1");
  AddColumn(record, 1, 0, none, 2.0f, "DS 2");
  return record;
}

TEST(CsvImportTest, ExportedClassReadsBackUnchangedThroughTheMainWindow) {
  test::FakeMainWindow main;
  ClassRecord record = test::MixedClass();
  record.students[2].grades[0].info = "";  // a student added after that assessment
  RecomputeClass(record);
  const ClassRecord before = record;
  test::Prepare(main, {Class("Autre"), std::move(record)});
  WriteFile("4e.csv", ExportBytes({&main.book.classes[1], nullptr}));

  int hookCalls = 0;
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1,
                                 [&] {
                                   ++hookCalls;
                                   return true;
                                 }),
            ImportOutcome::Imported);
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(main.book.classes[1], before);
  EXPECT_EQ(test::OnDisk().classes[1], before);
  EXPECT_EQ(main.services.messages.Texts(), std::vector<std::string>{kImported});
  EXPECT_EQ(main.services.messages.shown[0].caption, "C'est fini!");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ((std::vector<int>{main.saves, main.loads, main.rebuilds}), (std::vector<int>{1, 0, 1}));

  // A hook that says no: nothing read, changed or saved.
  WriteFile("4e.csv", "ELEVE;Martin;Zo\xE9;4e B\nEcrit Trimestre 1;1;2\n");
  main.services.messages.shown.clear();
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1, [] { return false; }), ImportOutcome::Stopped);
  EXPECT_EQ(main.book.classes[1], before);
  EXPECT_TRUE(main.services.messages.shown.empty());
  EXPECT_EQ(main.saves, 1);
}

TEST(CsvImportTest, ImportThroughTheMainWindowCopiesTheDatabaseFirst) {
  test::FakeMainWindow main;
  test::Prepare(main, {Class("Autre"), test::MixedClass()});
  WriteFile("4e.csv", ExportBytes({&main.book.classes[1], nullptr}));
  const auto before = test::ReadBytes("Vellanor.db");
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1), ImportOutcome::Imported);
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-07_10h00_importation-4e-B.db"), before);

  // No copy, and the teacher says No: nothing changes.
  std::filesystem::remove_all("Sauvegardes");
  test::WriteBytes("Sauvegardes", {0x00});
  WriteFile("4e.csv", "ELEVE;Martin;Zo\xE9;4e B\nEcrit Trimestre 1;1;2\n");
  const Gradebook kept = main.book;
  main.services.messages.shown.clear();
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1), ImportOutcome::Stopped);
  EXPECT_EQ(main.book, kept);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].buttons, platform::MessageButtons::YesNo);
}

TEST(CsvImportTest, SpreadsheetVariantsReadTheSameMarks) {
  // As LibreOffice saves it: UTF-8, text cells quoted, marks as shown, lines
  // padded with empty fields, the last line without line break.
  const std::string calc =
      "\"ELEVE\";\"Martin\";\"Zoé\";\"4B\";;;\n"
      "\"Ecrit Trimestre 1\";\"12,5\";7;;\n"
      "\"Coef Ecrit Trimestre 1\";1;2;;\n"
      "\"Oral Trimestre 1\";\"Abs\";;;\n"
      "\"ELEVE\";\"Roy\";\"Eva\";\"4B\";;;\n"
      "\"Oral Trimestre 1\";14.75;;;\n"
      "\"Ecrit Trimestre 1\";\"absent\";;18;;";
  // By hand: lower-case keywords, an empty field skipped, commas on the
  // student line, the sections in another order, CR line ends.
  const std::string hand =
      "notes de 4B\r"
      "eleve,Martin,Zo\xE9,4B\r"
      "oral trimestre 1;ABS\r"
      "ecrit trimestre 1;12.5;;7;\r"
      "Moyenne Ecrit Trimestre 1;3;\r"
      "Ecrit Trimestre 12;99;\r"
      "ELEVE;Roy;Eva;4B;\r"
      "Ecrit Trimestre 1;abs;18\r"
      "ORAL TRIMESTRE 1;14.75\r";
  for (const std::string& csv : {calc, "\xEF\xBB\xBF" + calc, hand}) {
    SCOPED_TRACE(csv);
    Importer importer(SmallClass({Student("Martin", "Zo\xE9"), Student("Roy", "Eva")}));
    EXPECT_EQ(importer.Run(csv), ImportOutcome::Imported);
    EXPECT_EQ(importer.messages.Texts(), std::vector<std::string>{kImported});
    EXPECT_EQ(importer.Values(0), (std::vector<float>{12.5f, -1, 7}));
    EXPECT_EQ(importer.Values(1), (std::vector<float>{-1, 14.75f, 18}));
    // Written (1 x 12.5 + 2 x 7) / 3; the marks keep their columns' coefficients.
    EXPECT_FLOAT_EQ(importer.Record().students[0].average[0], 26.5f / 3);
    EXPECT_EQ(importer.Record().students[0].grades[2].coefficient, 2.0f);
    EXPECT_EQ(importer.Record().students[0].grades[2].info.View(), "DS 2");
  }
}

TEST(CsvImportTest, StudentsAreMatchedByExactNamesCutToTheirFieldsAndNamesakesInTurn) {
  const std::string longName(40, 'x');
  Importer importer(SmallClass({Student("Martin", "Zo\xE9"), Student("Roy", "Eva"),
                                Student("Martin", "Zo\xE9"), Student(longName, "Al")}));
  const std::string marks = "\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n";
  importer.messages.AnswerYes();
  importer.messages.AnswerNo();
  importer.messages.AnswerNo();
  const std::string otherMarks = "\nEcrit Trimestre 1;4;5\nOral Trimestre 1;6\n";
  EXPECT_EQ(importer.Run("ELEVE;Martin;Zo\xE9;4B" + marks +           // both Martins
                         "ELEVE;" + longName + "zzz;Al;4B" + marks +  // cut to 32 on both sides
                         "ELEVE;;Eva;4B" + marks +                    // no last name
                         "ELEVE;martin;Zo\xE9;4B" + marks +           // case counts: Yes
                         "ELEVE;Roy;eva;4B" + marks +                 // No
                         "ELEVE;Martin;Zo\xE9;4B" + otherMarks +      // the second Martin
                         "ELEVE;Martin;Zo\xE9;4B" + otherMarks),      // a third: No
            ImportOutcome::Imported);

  const ClassRecord& record = importer.Record();
  ASSERT_EQ(record.students.size(), 5u);
  for (int j : {0, 3, 4}) {
    EXPECT_EQ(importer.Values(j), (std::vector<float>{1, 3, 2})) << j;
  }
  EXPECT_EQ(importer.Values(1), (std::vector<float>{-1, -1, -1}));
  EXPECT_EQ(importer.Values(2), (std::vector<float>{4, 6, 5}));
  // The new student: blank but for names and marks, which carry the columns'
  // coefficients and the assessments' names.
  const StudentRecord& created = record.students[4];
  EXPECT_EQ(created.name.View(), "martin");
  EXPECT_EQ(created.grades[1].coefficient, 3.0f);
  EXPECT_EQ(created.grades[1].info.View(), "Oral 1");
  EXPECT_EQ(created.sex, 0);
  EXPECT_TRUE(created.birthDate.Empty());

  const auto& shown = importer.messages.shown;
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].text, "Erreur à la lecture d'un élève");
  EXPECT_EQ(shown[0].caption, "Erreur");
  EXPECT_EQ(shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(shown[1].text,
            "L'élève <martin, Zoé> n'a pas été retrouvé\n dans la classe sélectionnée.\n"
            "Voulez vous créer cet élève?");
  EXPECT_EQ(shown[1].caption, "Attention");
  EXPECT_EQ(shown[1].buttons, MessageButtons::YesNo);
  EXPECT_EQ(shown[2].text.substr(0, 20), "L'élève <Roy, eva>");
  EXPECT_EQ(shown[3].text.substr(0, 24), "L'élève <Martin, Zoé>");
  EXPECT_EQ(shown[4].text, kImported);
}

TEST(CsvImportTest, BlocksThatDoNotFitTheColumnsAreRefusedWhole) {
  Importer importer(SmallClass({Student("Martin", "Zo\xE9"), Student("Roy", "Eva")}));
  importer.Record().students[0].grades[0].value = 10;
  RecomputeClass(importer.Record());
  const ClassRecord before = importer.Record();
  for (int i = 0; i < 3; ++i) {
    importer.messages.AnswerYes();
  }
  EXPECT_EQ(importer.Run("ELEVE;Martin;Zo\xE9;4B\nEcrit Trimestre 1;1\nOral Trimestre 1;3\n"
                         "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;1;2;3\nOral Trimestre 1;3\n"
                         "ELEVE;Neuf;Ali;4B\nEcrit Trimestre 1;1;2;\nOral Trimestre 2;3\n"
                         "ELEVE;Neuf;Ali;4B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3;4\n"
                         "ELEVE;Neuf;Ali;4B\n"),
            ImportOutcome::Imported);
  EXPECT_EQ(importer.Record(), before);
  const std::vector<std::string> texts = importer.messages.Texts();
  ASSERT_EQ(texts.size(), 9u);
  for (int i : {0, 1, 3, 5, 7}) {
    EXPECT_EQ(texts[i], kMarkCount) << i;
    EXPECT_EQ(importer.messages.shown[i].caption, "Erreur");
  }

  // Without grade columns, a block without marks fits: an existing student
  // keeps no mark, a new one is created without any.
  Importer bare(Class("6e", "", {Student("Roy", "Eva")}));
  bare.messages.AnswerYes();
  EXPECT_EQ(bare.Run("ELEVE;Roy;Eva;6e\nELEVE;Neuf;Ali;6e"), ImportOutcome::Imported);
  ASSERT_EQ(bare.Record().students.size(), 2u);
  EXPECT_TRUE(bare.Record().students[1].grades.empty());
}

TEST(CsvImportTest, ReaderTakesAnyLineEndAndLengthInAnyPieces) {
  const std::string padding(70000, ';');
  const std::string text =
      "\xEF\xBB\xBF"
      "a\r\n\r\nb\rc\nZoé\r\n" +
      padding + "14" + "\nZo\xE9\r\n\xC3\xA9t\xE9\r";
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, SIZE_MAX}) {
    StringInput input(text, piece);
    CsvLineReader reader(input);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) {
      lines.push_back(line);
    }
    // With a byte-order mark every line is UTF-8, even one that is not.
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_TRUE(lines[5] == padding + "14");
    lines[5] = "";
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "c", "Zo\xE9", "", "Zo?", "\xE9t?"}));
  }
  // Without one, each line is what it looks like.
  StringInput input("Zo\xC3\xA9\nZo\xE9");
  CsvLineReader reader(input);
  std::string first, second;
  ASSERT_TRUE(reader.Next(first) && reader.Next(second));
  EXPECT_EQ(first, "Zo\xE9");
  EXPECT_EQ(second, "Zo\xE9");
}

TEST(CsvImportTest, NothingToImportFromIsSaid) {
  Importer importer(SmallClass({Student("Roy", "Eva")}));
  const ClassRecord before = importer.Record();
  EXPECT_EQ(RunImport(importer.host, "missing.csv", 0), ImportOutcome::NotOpened);
  EXPECT_EQ(RunImport(importer.host, "", 0), ImportOutcome::NotOpened);
  EXPECT_EQ(RunImport(importer.host, "import.csv", 1), ImportOutcome::NothingSelected);
  EXPECT_EQ(importer.Record(), before);
  EXPECT_EQ(importer.host.saves, 0);
  EXPECT_EQ(importer.messages.Texts(),
            (std::vector<std::string>{"Erreur à l'ouverture du document",
                                      "Erreur à l'ouverture du document",
                                      "Sélectionner une classe, s'il vous plaît"}));
  EXPECT_EQ(importer.messages.shown[0].caption, "Erreur");
  EXPECT_EQ(importer.messages.shown[0].icon, MessageIcon::Stop);

  // A file without any student line still recomputes, saves and reloads.
  importer.messages.shown.clear();
  EXPECT_EQ(importer.Run("Ecrit Trimestre 1;12\n"), ImportOutcome::Imported);
  EXPECT_EQ(importer.messages.Texts(), std::vector<std::string>{kImported});
  EXPECT_EQ(importer.host.saves, 1);

  // A class whose grade columns do not fit its counts takes no mark.
  importer.Record().gradeCount[0] = 1;
  importer.Record().gradeCount[2] = 1;
  importer.messages.shown.clear();
  EXPECT_EQ(RunImport(importer.host, "import.csv", 0), ImportOutcome::Inconsistent);
  ASSERT_EQ(importer.messages.shown.size(), 1u);
  EXPECT_EQ(importer.messages.shown[0].caption, "Erreur");

  // A save that fails says so itself; the gradebook is read back as it was
  // and no "Données importées" follows.
  struct FailingSave : MemoryImportHost {
    using MemoryImportHost::MemoryImportHost;
    bool SaveDatabase() override { return false; }
  };
  Importer failing(SmallClass({Student("Roy", "Eva")}));
  const ClassRecord unsaved = failing.Record();
  FailingSave failingHost(failing.book, failing.messages, failing.files);
  WriteFile("import.csv", "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n");
  EXPECT_EQ(RunImport(failingHost, "import.csv", 0), ImportOutcome::NotSaved);
  EXPECT_EQ(failing.Record(), unsaved);
  EXPECT_EQ(failingHost.loads, 1);
  EXPECT_TRUE(failing.messages.shown.empty());

  Gradebook empty;
  MemoryImportHost host(empty, importer.messages, importer.files);
  importer.messages.shown.clear();
  EXPECT_EQ(RunImport(host, "import.csv", 0), ImportOutcome::NothingSelected);
  EXPECT_EQ(importer.messages.Texts(),
            std::vector<std::string>{"Il n'y a aucune classe dans la base de données"});
}

}  // namespace
}  // namespace vellanor::exchange
