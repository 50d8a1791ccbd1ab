#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "model/averages.h"
#include "model/database_codec.h"
#include "model/gradebook.h"
#include "support/record_builders.h"

namespace vellanor::inspect {
namespace {

using test::Mark;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Inspect(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One class "4B" of two students with one written T1 assessment, on disk.
void WriteDatabase() {
  ClassRecord record =
      test::Class("4B", "", {test::Student("Martin", "Zo\xE9"), test::Student("Roy", "Eva")});
  ASSERT_EQ(AppendGradeColumn(record, {Mark(12, 1, 0, 2), Mark(-1, 1, 0, 2)}), AppendResult::Done);
  RecomputeClass(record);
  Gradebook book;
  ASSERT_EQ(AppendClass(book, record), AppendResult::Done);
  const std::vector<std::uint8_t> bytes = EncodeDatabase(book);
  std::ofstream("Vellanor.db", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(CsvCommandsTest, ExportsAndPreviewsAnImportWithoutWritingAnyFile) {
  WriteDatabase();
  const std::string database = FileText("Vellanor.db");

  Outcome run = Inspect({"--export-csv", "--class", "0", "--student", "1", "Vellanor.db"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "\r\nELEVE;Roy;Eva;4B;\r\nEcrit Trimestre 1;abs;\r\nCoef Ecrit Trimestre 1;2.00;"
            "\r\nMoyenne Ecrit Trimestre 1;abs;");

  // As a spreadsheet saves it, with a new mark and an unknown student.
  std::ofstream("edited.csv")
      << "\"ELEVE\";\"Roy\";\"Eva\";\"4B\"\n\"Ecrit Trimestre 1\";\"15,5\"\n"
         "ELEVE;Neuf;Zoé;4B\nEcrit Trimestre 1;9";
  run = Inspect({"--import-csv", "edited.csv", "--class", "0", "Vellanor.db"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"value\": 15.5"), std::string::npos);
  EXPECT_EQ(run.out.find("Neuf"), std::string::npos);
  EXPECT_EQ(run.err,
            "[Attention] L'élève <Neuf, Zoé> n'a pas été retrouvé\n dans la classe "
            "sélectionnée.\nVoulez vous créer cet élève?\n  -> Non\n"
            "[C'est fini!] Données importées :\n1 élèves mis à jour, 0 créés, 1 refusés.\n");

  run = Inspect({"--import-csv", "edited.csv", "--class", "0", "--create-missing", "Vellanor.db"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"name\": \"Neuf\""), std::string::npos);
  EXPECT_NE(run.err.find("  -> Oui\n"), std::string::npos);
  EXPECT_EQ(FileText("Vellanor.db"), database);

  // Another class's file is imported only with --any-class.
  std::ofstream("5e.csv") << "ELEVE;Roy;Eva;5e B\nEcrit Trimestre 1;16\n";
  run = Inspect({"--import-csv", "5e.csv", "--class", "0", "Vellanor.db"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "[Attention] Ce fichier contient les notes de la classe <5e B>, pas de <4B>.\n"
            "Importer quand même ?\n  -> Non\n");
  run = Inspect({"--import-csv", "5e.csv", "--class", "0", "--any-class", "Vellanor.db"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"value\": 16"), std::string::npos);

  // A FIFO is refused at once, as the program refuses it.
  ASSERT_EQ(::mkfifo("fifo.csv", 0600), 0);
  run = Inspect({"--import-csv", "fifo.csv", "--class", "0", "Vellanor.db"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      run.err,
      "[Erreur] Erreur à l'ouverture du document\nfifo.csv n'est pas un fichier ordinaire.\n");

  // Nothing to act on, a file that cannot be opened, bad arguments.
  run = Inspect({"--export-csv", "--class", "3", "Vellanor.db"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "[Attention] Sélectionner une classe, s'il vous plaît\n");
  run = Inspect({"--import-csv", "missing.csv", "--class", "0", "Vellanor.db"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "[Erreur] Erreur à l'ouverture du document\n");
  EXPECT_EQ(run.out, "");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--export-csv", "Vellanor.db"},
           {"--export-csv", "--class", "-1", "Vellanor.db"},
           {"--export-csv", "--class", "0", "--create-missing", "Vellanor.db"},
           {"--import-csv", "edited.csv", "--class", "0", "--student", "0", "Vellanor.db"},
           {"--import-csv", "--class", "0"}}) {
    EXPECT_EQ(Inspect(args).status, 2);
  }
}

}  // namespace
}  // namespace vellanor::inspect
