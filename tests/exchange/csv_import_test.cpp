#include "exchange/csv/csv_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/gradebook_document.h"
#include "document/memory_file_store.h"
#include "exchange/csv/csv_export.h"
#include "exchange/csv/csv_line_reader.h"
#include "exchange/exchange_fixtures.h"
#include "exchange/main_window_exchange.h"
#include "model/database_codec.h"
#include "model/invariants.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "support/fake_main_window.h"
#include "support/fake_message_service.h"
#include "support/temp_dir.h"

namespace vellanor::exchange {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using test::AddColumn;
using test::Class;
using test::Student;

constexpr char kUnchanged[] =
    "Aucune note importée.\nLes notes du document sont déjà celles de la classe.";
constexpr char kAllRefused[] =
    "Aucune note importée.\nTous les élèves du document ont été refusés.";

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// One class in a document over files in memory and the import run on it,
// through the program's own commit; every save must keep the rules of the
// data model.
struct Importer {
  explicit Importer(ClassRecord record) {
    Gradebook start;
    EXPECT_EQ(AppendClass(start, std::move(record)), AppendResult::Done);
    files.files["Vellanor.db"] = EncodeDatabase(start);
    EXPECT_TRUE(document.Load());
  }

  ImportOutcome Run(const std::string& csv) {
    WriteFile("import.csv", csv);
    const ImportOutcome outcome = RunImport(document, "import.csv", 0);
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

  test::FakeMessageService messages;
  platform::QtFileStore disk;  // the CSV files
  MemoryFileStore files{&disk};
  GradebookDocument document{"Vellanor.db", messages, files};
  Gradebook& book = document.Book();
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
  const auto hook = [&] {
    ++hookCalls;
    return true;
  };
  // Nothing differs: nothing is copied, saved or said to be imported.
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1, hook), ImportOutcome::NothingImported);
  EXPECT_EQ(hookCalls, 0);
  EXPECT_EQ(main.book.classes[1], before);
  EXPECT_EQ(main.services.messages.Texts(), std::vector<std::string>{kUnchanged});
  EXPECT_EQ(main.services.messages.shown[0].caption, "Attention");
  EXPECT_EQ((std::vector<int>{main.saves, main.loads, main.rebuilds}), (std::vector<int>{0, 0, 0}));

  // One mark edited in the spreadsheet.
  std::string csv = ExportBytes({&main.book.classes[1], nullptr});
  csv.replace(csv.find("12.50"), 5, "13.50");
  WriteFile("4e.csv", csv);
  main.services.messages.shown.clear();
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1, hook), ImportOutcome::Imported);
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(main.book.classes[1].students[0].grades[1].value, 13.5f);
  EXPECT_EQ(test::OnDisk().classes[1], main.book.classes[1]);
  EXPECT_EQ(
      main.services.messages.Texts(),
      std::vector<std::string>{"Données importées :\n1 élèves mis à jour, 0 créés, 0 refusés."});
  EXPECT_EQ(main.services.messages.shown[0].caption, "C'est fini!");
  EXPECT_EQ(main.services.messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ((std::vector<int>{main.saves, main.loads, main.rebuilds}), (std::vector<int>{1, 0, 1}));

  // A hook that says no: nothing changed or saved.
  const ClassRecord imported = main.book.classes[1];
  WriteFile("4e.csv",
            "ELEVE;Roy;Eva;4e B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\nOral Trimestre 2;4\n");
  main.services.messages.shown.clear();
  main.services.messages.AnswerYes();
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1, [] { return false; }), ImportOutcome::Stopped);
  EXPECT_EQ(main.book.classes[1], imported);
  EXPECT_EQ(main.services.messages.shown.size(), 1u);  // the question only
  EXPECT_EQ(main.saves, 1);
}

TEST(CsvImportTest, ImportThroughTheMainWindowCopiesTheDatabaseFirst) {
  test::FakeMainWindow main;
  test::Prepare(main, {Class("Autre"), test::MixedClass()});
  const std::string block =
      "ELEVE;Lef\xE8vre;\"Jean; Paul\";4e B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n"
      "Oral Trimestre 2;4\n";
  WriteFile("4e.csv", block);
  const auto before = test::ReadBytes("Vellanor.db");
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 1), ImportOutcome::Imported);
  EXPECT_EQ(test::ReadBytes("Sauvegardes/2026-12-07_10h00_importation-4e-B.db"), before);

  // No copy, and the teacher says No: nothing changes.
  std::filesystem::remove_all("Sauvegardes");
  test::WriteBytes("Sauvegardes", {0x00});
  WriteFile("4e.csv",
            "ELEVE;Martin;Zo\xE9;4e B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n"
            "Oral Trimestre 2;4\n");
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
      "\"Ecrit Trimestre 1\";\"absent\";18;;";
  // By hand: lower-case keywords, commas on the student line, the sections
  // in another order, CR line ends.
  const std::string hand =
      "notes de 4B\r"
      "eleve,Martin,Zo\xE9,4B\r"
      "oral trimestre 1;ABS\r"
      "ecrit trimestre 1;12.5;7;\r"
      "Moyenne Ecrit Trimestre 1;3;\r"
      "Ecrit Trimestre 12;99;\r"
      "ELEVE;Roy;Eva;4B;\r"
      "Ecrit Trimestre 1;abs;18\r"
      "ORAL TRIMESTRE 1;14.75\r";
  for (const std::string& csv : {calc, "\xEF\xBB\xBF" + calc, hand}) {
    SCOPED_TRACE(csv);
    Importer importer(SmallClass({Student("Martin", "Zo\xE9"), Student("Roy", "Eva")}));
    EXPECT_EQ(importer.Run(csv), ImportOutcome::Imported);
    EXPECT_EQ(
        importer.messages.Texts(),
        std::vector<std::string>{"Données importées :\n2 élèves mis à jour, 0 créés, 0 refusés."});
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
  for (auto answer : {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::No}) {
    importer.messages.answers.push_back(answer);
  }
  const std::string otherMarks = "\nEcrit Trimestre 1;4;5\nOral Trimestre 1;6\n";
  EXPECT_EQ(importer.Run("ELEVE;Roy;Eva" + marks +                    // three fields only
                         "ELEVE;Martin;Zo\xE9;4B" + marks +           // both Martins
                         "ELEVE;" + longName + "zzz;Al;4B" + marks +  // cut to 32 on both sides
                         "ELEVE;;Eva;4B" + marks +                    // no last name: No
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
  ASSERT_EQ(shown.size(), 6u);
  EXPECT_EQ(shown[0].text, "Erreur à la lecture d'un élève");
  EXPECT_EQ(shown[0].caption, "Erreur");
  EXPECT_EQ(shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(shown[1].text.substr(0, 17), "L'élève <, Eva>");
  EXPECT_EQ(shown[2].text,
            "L'élève <martin, Zoé> n'a pas été retrouvé\n dans la classe sélectionnée.\n"
            "Voulez vous créer cet élève?");
  EXPECT_EQ(shown[2].caption, "Attention");
  EXPECT_EQ(shown[2].buttons, MessageButtons::YesNoAll);
  EXPECT_EQ(shown[3].text.substr(0, 20), "L'élève <Roy, eva>");
  EXPECT_EQ(shown[4].text.substr(0, 24), "L'élève <Martin, Zoé>");
  EXPECT_EQ(shown[5].text, "Données importées :\n3 élèves mis à jour, 1 créés, 4 refusés.");
}

TEST(CsvImportTest, BlocksThatDoNotFitTheColumnsAreRefusedWhole) {
  Importer importer(SmallClass({Student("Martin", "Zo\xE9"), Student("Roy", "Eva")}));
  importer.Record().students[0].grades[0].value = 10;
  RecomputeClass(importer.Record());
  const ClassRecord before = importer.Record();
  EXPECT_EQ(importer.Run("ELEVE;Martin;Zo\xE9;4B\nEcrit Trimestre 1;1\nOral Trimestre 1;3\n"
                         "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;1;2;3\nOral Trimestre 1;3\n"
                         "ELEVE;Neuf;Ali;4B\nEcrit Trimestre 1;1;2;\nOral Trimestre 2;3\n"
                         "ELEVE;Neuf;Ali;4B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3;4\n"
                         "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;1e308;2\nOral Trimestre 1;3\n"
                         "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;3.5e38;2\nOral Trimestre 1;3\n"
                         "ELEVE;Neuf;Ali;4B\nEcrit Trimestre 1;1;" +
                         std::string(40, '9') + "\nOral Trimestre 1;3\n"),
            ImportOutcome::NothingImported);
  EXPECT_EQ(importer.Record(), before);
  EXPECT_EQ(importer.files.commits, 0);
  // Refused before any question: there is nothing to create.
  EXPECT_EQ(importer.messages.Texts(),
            (std::vector<std::string>{
                "Le nombre de notes de l'élève <Martin, Zoé>\n(Ecrit Trimestre 1 : 1, la classe "
                "en a 2)\nne correspond pas à celui de la classe",
                "Le nombre de notes de l'élève <Roy, Eva>\n(Ecrit Trimestre 1 : 3, la classe en "
                "a 2)\nne correspond pas à celui de la classe",
                "Le nombre de notes de l'élève <Neuf, Ali>\n(Oral Trimestre 1 : 0, la classe en "
                "a 1)\nne correspond pas à celui de la classe",
                "Le nombre de notes de l'élève <Neuf, Ali>\n(Oral Trimestre 1 : 2, la classe en "
                "a 1)\nne correspond pas à celui de la classe",
                "La note 1e308 de l'élève <Roy, Eva> est trop grande :\nles notes de cet élève ne "
                "sont pas importées.",
                "La note 3.5e38 de l'élève <Roy, Eva> est trop grande :\nles notes de cet élève ne "
                "sont pas importées.",
                "La note " + std::string(40, '9') +
                    " de l'élève <Neuf, Ali> est trop grande :\nles notes de cet élève ne sont "
                    "pas importées.",
                kAllRefused,
            }));
  EXPECT_EQ(importer.messages.shown[0].caption, "Erreur");
  EXPECT_EQ(importer.messages.shown[0].icon, MessageIcon::Stop);
  EXPECT_EQ(importer.messages.shown[7].caption, "Attention");

  // Without grade columns, a block without marks fits: an existing student
  // keeps no mark, a new one is created without any.
  Importer bare(Class("6e", "", {Student("Roy", "Eva")}));
  bare.messages.AnswerYes();
  EXPECT_EQ(bare.Run("ELEVE;Roy;Eva;6e\nELEVE;Neuf;Ali;6e"), ImportOutcome::Imported);
  ASSERT_EQ(bare.Record().students.size(), 2u);
  EXPECT_TRUE(bare.Record().students[1].grades.empty());
  EXPECT_EQ(bare.messages.shown[0].buttons, MessageButtons::YesNo);  // asked once at most
}

TEST(CsvImportTest, EmptiedCellsAreAbsencesAndARefusedBlockUsesUpNoStudent) {
  Importer importer(SmallClass({Student("Martin", "Zo\xE9"), Student("Roy", "Eva")}));
  importer.messages.AnswerYes();
  EXPECT_EQ(importer.Run(
                // Refused, then the good block of the same names: the real Martin
                // takes it, nobody is created.
                "ELEVE;Martin;Zo\xE9;4B\nEcrit Trimestre 1;1;2;3\nOral Trimestre 1;3\n"
                "ELEVE;Martin;Zo\xE9;4B\nEcrit Trimestre 1;;14;;;;\nOral Trimestre 1;;\n"
                // A spreadsheet's padding past the columns, and a new student.
                "ELEVE;Neuf;Ali;4B;;;;\nEcrit Trimestre 1;8;9;;;;;;\nOral Trimestre 1;10;;;\n"),
            ImportOutcome::Imported);
  ASSERT_EQ(importer.Record().students.size(), 3u);
  EXPECT_EQ(importer.Values(0), (std::vector<float>{-1, -1, 14}));
  EXPECT_EQ(importer.Values(2), (std::vector<float>{8, 10, 9}));
  EXPECT_EQ(importer.messages.Texts().back(),
            "Données importées :\n1 élèves mis à jour, 1 créés, 1 refusés.");
}

// An export ends every line with ";": taken before the class's second written
// column was added, it does not fill that column with an absence.
TEST(CsvImportTest, TheExportsLineEndIsNoEmptiedCell) {
  Importer importer(SmallClass({Student("Roy", "Eva")}));
  EXPECT_EQ(importer.Run("ELEVE;Roy;Eva;4B;\nEcrit Trimestre 1;12.00;\nOral Trimestre 1;9.00;\n"),
            ImportOutcome::NothingImported);
  EXPECT_EQ(importer.Values(0), (std::vector<float>{-1, -1, -1}));
}

TEST(CsvImportTest, ManyUnknownStudentsAreAnsweredForAllAtOnce) {
  std::string csv;
  for (const char* name : {"Un", "Deux", "Trois", "Quatre"}) {
    csv += "ELEVE;" + std::string(name) + ";Ali;4B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n";
  }
  // Yes, then "Non pour tous": no more questions, one student created.
  Importer no(SmallClass({Student("Roy", "Eva")}));
  no.messages.answers = {MessageAnswer::Yes, MessageAnswer::NoToAll};
  EXPECT_EQ(no.Run(csv), ImportOutcome::Imported);
  EXPECT_EQ(no.Record().students.size(), 2u);
  ASSERT_EQ(no.messages.shown.size(), 3u);
  EXPECT_EQ(no.messages.shown[1].buttons, MessageButtons::YesNoAll);
  EXPECT_EQ(no.messages.shown[2].text,
            "Données importées :\n0 élèves mis à jour, 1 créés, 3 refusés.");

  // "Oui pour tous": every one created after one question, until the class is full.
  Importer yes(Class("4B"));
  for (int i = 0; i < kMaxCount - 2; ++i) {
    ASSERT_EQ(AppendStudent(yes.Record(), Student("Roy", "Eva")), AppendResult::Done);
  }
  yes.messages.answers = {MessageAnswer::YesToAll};
  EXPECT_EQ(
      yes.Run("ELEVE;Un;Ali;4B\nELEVE;Deux;Ali;4B\nELEVE;Trois;Ali;4B\nELEVE;Quatre;Ali;4B\n"),
      ImportOutcome::Imported);
  EXPECT_EQ(yes.Record().students.size(), static_cast<std::size_t>(kMaxCount));
  EXPECT_EQ(yes.messages.Texts(),
            (std::vector<std::string>{
                yes.messages.shown[0].text,
                "Impossible de créer l'élève <Trois, Ali>:\nla classe <4B> compte déjà 32767 "
                "élèves.",
                "Données importées :\n0 élèves mis à jour, 2 créés, 2 refusés."}));
}

TEST(CsvImportTest, ReaderTakesAnyLineEndAndLengthInAnyPieces) {
  const std::string padding(70000, ';');
  const std::string text =
      "\xEF\xBB\xBF"
      "a\r\n\r\nb\rc\nZoé\r\n" +
      padding + "14" + "\nZo\xE9\r\n\xC3\xA9t\xE9\r";
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, SIZE_MAX}) {
    StringInput input(text, piece);
    CsvLineReader reader(input, DecideEncoding(text));
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) {
      lines.push_back(line);
    }
    // With a byte-order mark the file is UTF-8, even a line that is not.
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_TRUE(lines[5] == padding + "14");
    lines[5] = "";
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "c", "Zo\xE9", "", "Zo?", "\xE9t?"}));
  }
  // Without one, the whole file decides: one line that is not UTF-8 makes
  // it Windows-1252, and so does a character that Windows-1252 lacks.
  EXPECT_EQ(DecideEncoding("Zo\xC3\xA9\nZo\xE9"), CsvEncoding::Windows1252);
  EXPECT_EQ(DecideEncoding("JOS\xC9\xA0LUIS"), CsvEncoding::Windows1252);
  EXPECT_EQ(DecideEncoding("Zo\xC3\xA9 \xE2\x80\x93 \xC5\x93"), CsvEncoding::Utf8);
  StringInput input("Zo\xC3\xA9\nZo\xE9");
  CsvLineReader reader(input, CsvEncoding::Windows1252);
  std::string first, second;
  ASSERT_TRUE(reader.Next(first) && reader.Next(second));
  EXPECT_EQ(first, "Zo\xC3\xA9");
  EXPECT_EQ(second, "Zo\xE9");
}

TEST(CsvImportTest, NothingToImportFromIsSaid) {
  Importer importer(SmallClass({Student("Roy", "Eva")}));
  const ClassRecord before = importer.Record();
  EXPECT_EQ(RunImport(importer.document, "missing.csv", 0), ImportOutcome::NotOpened);
  EXPECT_EQ(RunImport(importer.document, "", 0), ImportOutcome::NotOpened);
  EXPECT_EQ(RunImport(importer.document, "import.csv", 1), ImportOutcome::NothingSelected);
  EXPECT_EQ(importer.Record(), before);
  EXPECT_EQ(importer.files.commits, 0);
  EXPECT_EQ(importer.messages.Texts(),
            (std::vector<std::string>{"Erreur à l'ouverture du document",
                                      "Erreur à l'ouverture du document",
                                      "Sélectionner une classe, s'il vous plaît"}));
  EXPECT_EQ(importer.messages.shown[0].caption, "Erreur");
  EXPECT_EQ(importer.messages.shown[0].icon, MessageIcon::Stop);

  // A file without any student line changes and saves nothing.
  importer.messages.shown.clear();
  EXPECT_EQ(importer.Run("Ecrit Trimestre 1;12\n"), ImportOutcome::NothingImported);
  EXPECT_EQ(importer.messages.Texts(),
            std::vector<std::string>{
                "Aucune note importée.\nLe document ne contient aucun élève (ligne ELEVE)."});
  EXPECT_EQ(importer.files.commits, 0);

  // A class whose grade columns do not fit its counts takes no mark.
  importer.Record().gradeCount[0] = 1;
  importer.Record().gradeCount[2] = 1;
  importer.messages.shown.clear();
  EXPECT_EQ(RunImport(importer.document, "import.csv", 0), ImportOutcome::Inconsistent);
  ASSERT_EQ(importer.messages.shown.size(), 1u);
  EXPECT_EQ(importer.messages.shown[0].caption, "Erreur");

  // A save that fails says so itself; the gradebook is back at what the file
  // holds and no "Données importées" follows.
  Importer failing(SmallClass({Student("Roy", "Eva")}));
  const ClassRecord unsaved = failing.Record();
  failing.files.failCommits = true;
  WriteFile("import.csv", "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n");
  EXPECT_EQ(RunImport(failing.document, "import.csv", 0), ImportOutcome::NotSaved);
  EXPECT_EQ(failing.Record(), unsaved);
  EXPECT_EQ(failing.files.commits, 0);
  EXPECT_EQ(failing.messages.Texts(),
            std::vector<std::string>{"Erreur à l'écriture de la base de données (note)\nLe disque "
                                     "est plein : la dernière modification n'a pas été "
                                     "enregistrée."});

  MemoryFileStore none(&importer.disk);
  GradebookDocument empty("Vellanor.db", importer.messages, none);
  empty.Load();
  importer.messages.shown.clear();
  EXPECT_EQ(RunImport(empty, "import.csv", 0), ImportOutcome::NothingSelected);
  EXPECT_EQ(importer.messages.Texts(),
            std::vector<std::string>{"Il n'y a aucune classe dans la base de données"});
}

// Every letter of Windows-1252 followed by every punctuation byte, packed
// into the names of as many students as it takes.
std::vector<StudentRecord> StudentsNamedWithEveryPair() {
  std::string letters = "\x83\x8A\x8C\x8E\x9A\x9C\x9E\x9F\xAA\xB5\xBA";
  for (int c = 0xC0; c <= 0xFF; ++c) {
    if (c != 0xD7 && c != 0xF7) {
      letters.push_back(static_cast<char>(c));
    }
  }
  std::string punctuation;
  for (int c = 0x80; c <= 0xBF; ++c) {
    if (letters.find(static_cast<char>(c)) == std::string::npos && c != 0x81 && c != 0x8D &&
        c != 0x8F && c != 0x90 && c != 0x9D) {
      punctuation.push_back(static_cast<char>(c));
    }
  }
  punctuation += "\xD7\xF7";
  std::vector<std::string> names(1);
  for (char letter : letters) {
    for (char mark : punctuation) {
      if (names.back().size() + 2 > 32) {
        names.emplace_back();
      }
      names.back() += {letter, mark};
    }
  }
  std::vector<StudentRecord> students;
  for (std::size_t i = 0; i < names.size(); i += 2) {
    students.push_back(Student(names[i].c_str(), i + 1 < names.size() ? names[i + 1].c_str() : ""));
  }
  return students;
}

TEST(CsvImportTest, TheProgramsOwnExportReadsBackExactly) {
  std::vector<StudentRecord> students = StudentsNamedWithEveryPair();
  ASSERT_GT(students.size(), 100u);
  // A line that is valid UTF-8 by chance, and names left empty.
  students.push_back(Student("JOS\xC9\xA0LUIS", "\xC9\xA0\xC9\x96"));
  students.push_back(Student("MARTIN", ""));
  students.push_back(Student("", "Julie"));
  ClassRecord record = Class("3e B", "", std::move(students));
  AddColumn(record, 1, 0, std::vector<float>(record.students.size(), 12.0f));
  Importer importer(std::move(record));
  const ClassRecord before = importer.Record();
  const std::string csv = ExportBytes({&importer.Record(), nullptr});
  EXPECT_NE(csv.find("\r\nELEVE;MARTIN;;3e B;\r\n"), std::string::npos);

  EXPECT_EQ(importer.Run(csv), ImportOutcome::NothingImported);
  EXPECT_EQ(importer.Record(), before);
  EXPECT_EQ(importer.messages.Texts(), std::vector<std::string>{kUnchanged});

  // The same file with a changed mark updates the students it names, no one else.
  std::string edited = csv;
  for (std::size_t at = edited.find(";12.00;"); at != std::string::npos;
       at = edited.find(";12.00;", at + 1)) {
    edited.replace(at, 7, ";13.00;");
  }
  importer.messages.shown.clear();
  EXPECT_EQ(importer.Run(edited), ImportOutcome::Imported);
  EXPECT_EQ(importer.Record().students.size(), before.students.size());
  for (const StudentRecord& student : importer.Record().students) {
    EXPECT_EQ(student.grades[0].value, 13.0f) << student.name.View();
  }
}

// The first piece of a file, then a read error.
class FailingHalfway : public platform::FileStore {
 public:
  platform::OpenedInput OpenForReading(const std::string&) override {
    struct Input : platform::InputFile {
      std::size_t Read(void* buffer, std::size_t size) override {
        if (failed) {
          return 0;
        }
        failed = true;
        const std::string piece = "ELEVE;Roy;Eva;4B\nEcrit Trimestre 1;1;2\nOral Trimestre 1;3\n";
        const std::size_t count = std::min(size, piece.size());
        std::copy_n(piece.data(), count, static_cast<char*>(buffer));
        return count;
      }
      bool Failed() const override { return failed; }
      bool failed = false;
    };
    return {platform::OpenStatus::Opened, std::make_unique<Input>()};
  }
  std::unique_ptr<platform::AtomicOutputFile> OpenForAtomicWriting(const std::string&) override {
    return nullptr;
  }
};

TEST(CsvImportTest, AReadErrorImportsNothing) {
  Gradebook book;
  ASSERT_EQ(AppendClass(book, SmallClass({Student("Roy", "Eva")})), AppendResult::Done);
  const Gradebook before = book;
  test::FakeMessageService messages;
  FailingHalfway usb;
  MemoryFileStore files(&usb);
  files.files["Vellanor.db"] = EncodeDatabase(book);
  GradebookDocument document("Vellanor.db", messages, files);
  ASSERT_TRUE(document.Load());
  EXPECT_EQ(RunImport(document, "usb.csv", 0), ImportOutcome::ReadFailed);
  EXPECT_EQ(document.Book(), before);
  EXPECT_EQ(files.commits, 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Erreur à la lecture du document");
  EXPECT_EQ(messages.shown[0].caption, "Erreur");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
}

TEST(CsvImportTest, FilesThatImportNothingLeaveTheDatabaseAndItsCopiesAlone) {
  test::FakeMainWindow main;
  ClassRecord sixth = Class("6e A", "", {Student("Martin", "Zo\xE9"), Student("Roy", "Eva")});
  AddColumn(sixth, 1, 0, {10, 11});
  test::Prepare(main, {std::move(sixth), test::MixedClass()});
  const auto database = test::ReadBytes("Vellanor.db");
  const Gradebook before = main.book;
  const std::string notCsv =
      "Ce document n'est pas un fichier CSV.\nDans le tableur, enregistrez-le au format CSV "
      "(point-virgule).";
  struct Case {
    std::string bytes;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"", "Aucune note importée.\nLe document ne contient aucun élève (ligne ELEVE)."},
      {std::string("PK\x03\x04\x14\x00\x00\x00\x08\x00", 10) + "ELEVE;Roy;Eva;6e A;\n", notCsv},
      {std::string("\xFF\xFE"
                   "E\0L\0E\0V\0E\0;\0",
                   14),
       notCsv},
      {std::string("ELEVE;Roy;Eva;6e A;\n\x01\x02\x7F\x00", 24), notCsv},
      {"ELEVE;Roy;Eva;6e A;\nEcrit Trimestre 1;1;2;3;\nELEVE;Petit;Luc;6e A;\nEcrit Trimestre "
       "1;5;6;\n",
       "Aucune note importée.\nTous les élèves du document ont été refusés."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    WriteFile("6e.csv", c.bytes);
    main.services.messages.shown.clear();
    ImportIntoMainWindow(main, "6e.csv", 0);
    ASSERT_FALSE(main.services.messages.shown.empty());
    EXPECT_EQ(main.services.messages.Texts().back(), c.message);
    EXPECT_EQ(test::ReadBytes("Vellanor.db"), database);
    EXPECT_FALSE(std::filesystem::exists("Sauvegardes"));
    EXPECT_EQ(main.book, before);
    EXPECT_EQ(main.saves, 0);
  }
  // Past 256 MiB no file of marks: read no further, and say why.
  std::filesystem::resize_file("6e.csv", (std::uintmax_t{256} << 20) + 1);
  main.services.messages.shown.clear();
  EXPECT_EQ(ImportIntoMainWindow(main, "6e.csv", 0), ImportOutcome::NotCsv);
  EXPECT_EQ(main.services.messages.Texts(),
            std::vector<std::string>{
                "Ce document est trop volumineux pour être un fichier de notes CSV."});
  EXPECT_EQ(main.saves, 0);

  // Another class's export, answered No (the default): nothing at all.
  WriteFile("4e.csv", ExportBytes({&main.book.classes[1], nullptr}));
  main.services.messages.shown.clear();
  EXPECT_EQ(ImportIntoMainWindow(main, "4e.csv", 0), ImportOutcome::Declined);
  ASSERT_EQ(main.services.messages.shown.size(), 1u);
  EXPECT_EQ(main.services.messages.shown[0].text,
            "Ce fichier contient les notes de la classe <4e B>, pas de <6e A>.\n"
            "Importer quand même ?");
  EXPECT_EQ(main.services.messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(test::ReadBytes("Vellanor.db"), database);
  EXPECT_FALSE(std::filesystem::exists("Sauvegardes"));

  // A folder or a FIFO is not read.
  std::filesystem::create_directory("dossier.csv");
  ASSERT_EQ(::mkfifo("fifo.csv", 0600), 0);
  main.services.messages.shown.clear();
  EXPECT_EQ(ImportIntoMainWindow(main, "dossier.csv", 0), ImportOutcome::NotOpened);
  EXPECT_EQ(ImportIntoMainWindow(main, "fifo.csv", 0), ImportOutcome::NotOpened);
  EXPECT_EQ(main.services.messages.Texts(),
            (std::vector<std::string>{
                "Erreur à l'ouverture du document\ndossier.csv n'est pas un fichier ordinaire.",
                "Erreur à l'ouverture du document\nfifo.csv n'est pas un fichier ordinaire."}));
  EXPECT_EQ(main.book, before);
}

}  // namespace
}  // namespace vellanor::exchange
