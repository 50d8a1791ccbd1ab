#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>

#include "command_line.h"
#include "gradebook_json.h"
#include "model/database_codec.h"
#include "reports/fake_soffice.h"
#include "reports/reports_dlg.h"
#include "support/fake_main_window.h"
#include "support/record_builders.h"
#include "support/temp_dir.h"
#include "widgets/report_list.h"

namespace vellanor::inspect {
namespace {

using test::Class;
using test::Mark;
using test::Student;

// One class of one student, two grade columns: texts with accents, an absent
// mark, averages that are not numbers.
Gradebook SmallBook() {
  const std::vector<GradeRecord> marks = {Mark(-1.0f, 1, 0, 2.0f,
                                               "DS n\xB0"
                                               "1"),
                                          Mark(16.25f, 1, 1, 0.5f, "")};
  StudentRecord student = Student("Lef\xE8vre", "Zo\xE9", 2, marks);
  student.birthPlace = "Besan\xE7on";
  student.info = "\"guillemets\"\n\x80";
  student.average = {0.1f, 0, 0, 0, 0, std::numeric_limits<float>::infinity()};
  ClassRecord record = Class("Cinqui\xE8me B", "2026 - 2027", {student});
  record.gradeCount = {1, 1, 0, 0, 0, 0};
  record.average = {13.1f, std::numeric_limits<float>::quiet_NaN(), 0, -0.0f, 0, 0};
  record.columns = marks;
  Gradebook book;
  book.classes = {record};
  return book;
}

const char kSmallBookJson[] =
    R"({"version":2.0,"classes":[{"name":"Cinquième B","info":"","year":"2026 - 2027",)"
    R"("studentCount":1,"gradeCount":[1,1,0,0,0,0],"average":[13.1,null,0.0,-0.0,0.0,0.0],)"
    R"("columns":[{"value":null,"kind":0,"coefficient":2.0,"trimester":1,"info":"DS n°1"},)"
    R"({"value":16.25,"kind":1,"coefficient":0.5,"trimester":1,"info":""}],)"
    R"("students":[{"name":"Lefèvre","firstName":"Zoé","sex":2,"birthDate":"",)"
    R"("birthPlace":"Besançon","info":"\"guillemets\"\n€",)"
    R"("average":[0.1,0.0,0.0,0.0,0.0,null],)"
    R"("grades":[{"value":null,"kind":0,"coefficient":2.0,"trimester":1,"info":"DS n°1"},)"
    R"({"value":16.25,"kind":1,"coefficient":0.5,"trimester":1,"info":""}]}]}]})";

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs the built program in the test's working directory.
Outcome RunInspect(const std::string& args) {
  const std::string command =
      std::string("timeout 20 '") + VELLANOR_INSPECT + "' " + args + " >stdout.txt 2>stderr.txt";
  const int raw = std::system(command.c_str());
  Outcome run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText("stdout.txt"),
              ReadText("stderr.txt")};
  std::filesystem::remove("stdout.txt");
  std::filesystem::remove("stderr.txt");
  return run;
}

TEST(InspectTest, PrintsTheGradebookAsJson) {
  EXPECT_EQ(GradebookToJson(SmallBook()).dump(), kSmallBookJson);
  EXPECT_EQ(GradebookToJson(Gradebook{}).dump(), R"({"version":2.0,"classes":[]})");

  WriteFile("Vellanor.db", EncodeDatabase(SmallBook()));
  const Outcome run = RunInspect("Vellanor.db");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  ASSERT_FALSE(run.out.empty());
  EXPECT_EQ(run.out.back(), '\n');
  EXPECT_NE(run.out.find("\n  \"classes\": [\n"), std::string::npos);  // indented for reading
  EXPECT_EQ(Json::parse(run.out).dump(), kSmallBookJson);
}

TEST(InspectTest, StreamedJsonIsTheDumpOfTheWholeGradebookByteForByte) {
  const ClassRecord small = SmallBook().classes[0];
  ClassRecord withoutColumns = Class("3e A", "", {Student("Petit", "In\xE8s")});
  withoutColumns.info = "salle\x7F\xFF";
  Gradebook book;
  book.classes = {small, ClassRecord{}, withoutColumns, small};
  for (const Gradebook& each : {Gradebook{}, SmallBook(), book}) {
    const std::string whole =
        GradebookToJson(each).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    std::ostringstream streamed;
    WriteGradebookJson(each, streamed);
    EXPECT_EQ(streamed.str(), whole);

    WriteFile("Vellanor.db", EncodeDatabase(each));
    const Outcome run = RunInspect("Vellanor.db");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, whole);
  }
}

TEST(InspectTest, EveryFiniteFloatReadsBackToTheSameBits) {
  std::mt19937 rng(7);
  ClassRecord record;
  std::vector<float> values = {0.1f,  1e-45f, -0.0f,    3.4028235e38f, 1.17549435e-38f,
                               12.5f, 8.625f, 1.0f / 3, 20.0f,         -1.0000001f};
  while (values.size() < 5000) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
    if (std::isfinite(value)) {
      values.push_back(value);
    }
  }
  for (float value : values) {
    record.columns.push_back(Mark(value, 1, 0, value, ""));
  }
  Gradebook book;
  book.classes = {record};
  const Json parsed = Json::parse(GradebookToJson(book).dump());
  const Json& columns = parsed["classes"][0]["columns"];
  ASSERT_EQ(columns.size(), values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(columns[i]["value"].get<float>()),
              std::bit_cast<std::uint32_t>(values[i]))
        << values[i];
    EXPECT_EQ(std::bit_cast<std::uint32_t>(columns[i]["coefficient"].get<float>()),
              std::bit_cast<std::uint32_t>(values[i]));
  }
  // The shortest text, not the nine digits that any float would take.
  EXPECT_EQ(Json(0.1f).dump(), "0.1");
  EXPECT_EQ(Json(8.625f).dump(), "8.625");
}

TEST(InspectTest, RefusedFilesGetTheProgramsMessageAndExitOne) {
  std::vector<std::uint8_t> bytes = EncodeDatabase(SmallBook());
  bytes.resize(bytes.size() - 48 - 100);  // inside the student
  WriteFile("Cut.db", bytes);
  Outcome run = RunInspect("Cut.db");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Erreur à la lecture de la base de données (eleve)\n");

  WriteFile("Old.db", {0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00});
  run = RunInspect("Old.db");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Version de la base de données invalide\n");

  WriteFile("Empty.db", {});
  run = RunInspect("Empty.db");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Erreur à la lecture de la base de données (header)\n");

  std::filesystem::create_directory("Folder.db");
  run = RunInspect("Folder.db");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Erreur à la lecture de la base de données (header)\n");

  // A FIFO is refused at once, not waited on.
  ASSERT_EQ(mkfifo("Tube.db", 0600), 0);
  run = RunInspect("Tube.db");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Erreur à la lecture de la base de données (header)\n");
}

TEST(InspectTest, MissingFileIsReportedAndNeverCreated) {
  const Outcome run = RunInspect("Vellanor.db");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("Vellanor.db"), std::string::npos);
  EXPECT_NE(run.err.find("no such file"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db"));
}

TEST(InspectTest, RejectsBadArguments) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({}, out, err), 2);
  EXPECT_NE(err.str().find("Usage"), std::string::npos);
  EXPECT_EQ(RunCommandLine({"--nonsense", "Vellanor.db"}, out, err), 2);
  EXPECT_EQ(RunCommandLine({"a.db", "b.db"}, out, err), 2);
  EXPECT_EQ(RunCommandLine({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("vellanor-inspect FILE"), std::string::npos);

  // "--" before a name that starts with a dash.
  WriteFile("-odd.db", EncodeDatabase(Gradebook{}));
  std::ostringstream json;
  EXPECT_EQ(RunCommandLine({"--", "-odd.db"}, json, err), 0);
  EXPECT_EQ(json.str(), "{\n  \"version\": 2.0,\n  \"classes\": []\n}\n");
  EXPECT_EQ(RunInspect("").status, 2);
}

TEST(InspectTest, ReportPrintsTheDocumentThatProduireWrites) {
  test::FakeMainWindow main;
  test::Prepare(main, {test::Class("6e A"), SmallBook().classes[0]});
  std::ofstream("modele.rtf", std::ios::binary)
      << "{\\rtf1 $$CLASSE: $$STUPRENOM $$STUNOM $$STUNOTESECRITES1 $$GRAPHT1}";

  // The class's document with charts, as the reports dialog saves it.
  std::filesystem::create_directory("out");
  CReportsDlg dialog(main, 1.0);
  dialog.Bind<QLineEdit>(1066).setText("modele.rtf");
  main.services.chooser.Answer("out");
  dialog.Bind<QRadioButton>(1117).click();
  dialog.Bind<QAbstractButton>(1112).click();
  dialog.Bind<widgets::ReportList>(1072).selectRow(1);
  dialog.Bind<QAbstractButton>(1075).click();
  const std::string saved = ReadText("out/Cinquième B_20261207.rtf");
  ASSERT_EQ(saved.size(), 60 + 480374 + 1u);  // student placeholders stay

  Outcome run = RunInspect("--report modele.rtf --class 1 --charts Vellanor.db");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out == saved);  // no dump of two megabytes on failure

  run = RunInspect("--report modele.rtf --student 0 --class 1 Vellanor.db");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "{\\rtf1 Cinqui\xE8me B: Zo\xE9 Lef\xE8vre  abs - $$GRAPHT1}");
  EXPECT_FALSE(std::filesystem::exists("Vellanor.db.tmp"));

  // Positions beyond the file, a missing template, bad arguments.
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"--report", "modele.rtf", "--class", "2", "Vellanor.db"}, out, err), 1);
  EXPECT_EQ(err.str(), "vellanor-inspect: no class at position 2 (the file has 2)\n");
  EXPECT_EQ(
      RunCommandLine({"--report", "modele.rtf", "--class", "1", "--student", "1", "Vellanor.db"},
                     out, err),
      1);
  EXPECT_EQ(RunCommandLine({"--report", "absent.rtf", "--class", "0", "Vellanor.db"}, out, err), 1);
  EXPECT_NE(err.str().find("Erreur à l'ouverture du document\n"), std::string::npos);
  EXPECT_EQ(out.str(), "");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--report", "modele.rtf", "Vellanor.db"},
                                             {"--report", "modele.rtf", "--class", "Vellanor.db"},
                                             {"--report", "modele.rtf", "--class", "-1", "x.db"},
                                             {"--report", "modele.rtf", "--class", "1x", "x.db"},
                                             {"--report", "modele.rtf", "--pupil", "1", "x.db"}}) {
    EXPECT_EQ(RunCommandLine(args, out, err), 2) << args[2];
  }
}

TEST(InspectTest, ReportRefusesWhatIsNotARegularTemplateAtOnce) {
  WriteFile("Vellanor.db", EncodeDatabase(SmallBook()));
  std::filesystem::create_directory("Dossier");
  ASSERT_EQ(mkfifo("tube", 0600), 0);
  for (const std::string path : {"Dossier", "/dev/zero", "tube"}) {
    const auto start = std::chrono::steady_clock::now();
    // RunInspect stops a tool that hangs, so a FIFO read fails the test, not the run.
    const Outcome run = RunInspect("--report " + path + " --class 0 Vellanor.db </dev/null");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.out, "") << path;
    EXPECT_EQ(run.err,
              "Erreur à l'ouverture du document\n" + path + " n'est pas un fichier ordinaire.\n");
  }
}

TEST(InspectTest, ReportAsPdfPutsEveryStudentInOneFile) {
  Gradebook book = SmallBook();
  StudentRecord second = book.classes[0].students[0];
  second.name = "Martin";
  second.firstName = "Paul";
  book.classes[0].students.push_back(second);
  book.classes[0].studentCount = 2;
  WriteFile("Vellanor.db", EncodeDatabase(book));
  std::ofstream("modele.rtf", std::ios::binary) << "{\\rtf1 $$STUPRENOM $$STUNOM\\par}";
  const std::string command =
      "--report modele.rtf --class 0 --all-students --pdf classe.pdf Vellanor.db";
  EXPECT_EQ(RunInspect("--report modele.rtf --class 0 --all-students Vellanor.db").status, 2);

  // A LibreOffice that fails: its message, exit 1, no file.
  const std::string path = std::getenv("PATH");
  std::filesystem::create_directory("bin");
  test::FakeSoffice("bin", "echo 'Error: no export filter' >&2; exit 2");
  ::setenv("PATH", (std::filesystem::absolute("bin").string() + ":" + path).c_str(), 1);
  Outcome run = RunInspect(command);
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Erreur à la création du document\nLibreOffice a échoué (code 2).\n"
            "Error: no export filter\n");
  EXPECT_FALSE(std::filesystem::exists("classe.pdf"));

  if (QStandardPaths::findExecutable("soffice").isEmpty()) {
    GTEST_SKIP() << "LibreOffice (soffice) is not installed: the real conversion is not tested";
  }
  run = RunInspect(command);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(test::PageWidths("classe.pdf").size(), 2u);
  EXPECT_EQ(ReadText("classe.pdf").substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace vellanor::inspect
