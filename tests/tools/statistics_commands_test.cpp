#include <gtest/gtest.h>

#include <fstream>
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

// "4B": written T1 "DS \"bis\"" (coefficient 2) and a column without text,
// oral T2 one column; Zoé has every mark, Eva is absent on the first.
void WriteDatabase() {
  ClassRecord record =
      test::Class("4B", "", {test::Student("Martin", "Zo\xE9"), test::Student("Roy", "Eva")});
  ASSERT_EQ(
      AppendGradeColumn(record, {Mark(12, 1, 0, 2, "DS \"bis\""), Mark(-1, 1, 0, 2, "DS \"bis\"")}),
      AppendResult::Done);
  ASSERT_EQ(AppendGradeColumn(record, {Mark(15.5f, 1, 0, 0.5f), Mark(9, 1, 0, 0.5f)}),
            AppendResult::Done);
  ASSERT_EQ(AppendGradeColumn(record, {Mark(14, 2, 1), Mark(10, 2, 1)}), AppendResult::Done);
  RecomputeClass(record);
  Gradebook book;
  ASSERT_EQ(AppendClass(book, record), AppendResult::Done);
  const std::vector<std::uint8_t> bytes = EncodeDatabase(book);
  std::ofstream("Vellanor.db", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(StatisticsCommandsTest, ExplainsAStudentsAveragesAndPrintsTheClassTable) {
  WriteDatabase();
  Outcome run = Inspect({"--explain", "--class", "0", "--student", "1", "Vellanor.db"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Ecrit T1 : (9,00 × 0,50) / 0,50 = 9,00 ; 1 absence non comptée\n"
            "Oral T2 : (10,00 × 1,00) / 1,00 = 10,00\n");

  run = Inspect({"--stats", "--class", "0", "Vellanor.db"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "catégorie;intitulé;coefficient;notes;absents;min;max;moyenne;médiane;écart-type\n"
            "Ecrit T1;\"DS \"\"bis\"\"\";2,00;1;1;12,00;12,00;12,00;12,00;0,00\n"
            "Ecrit T1;Note 2;0,50;2;0;9,00;15,50;12,25;12,25;3,25\n"
            "Ecrit T1;moyennes des élèves;;2;0;9,00;12,70;10,85;10,85;1,85\n"
            "Oral T2;Note 1;1,00;2;0;10,00;14,00;12,00;12,00;2,00\n"
            "Oral T2;moyennes des élèves;;2;0;10,00;14,00;12,00;12,00;2,00\n");
}

TEST(StatisticsCommandsTest, PositionsBeyondTheFileAndBadArgumentsAreRefused) {
  WriteDatabase();
  Outcome run = Inspect({"--stats", "--class", "3", "Vellanor.db"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vellanor-inspect: no class at position 3 (the file has 1)\n");
  run = Inspect({"--explain", "--class", "0", "--student", "2", "Vellanor.db"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vellanor-inspect: no student at position 2 in class 0 (it has 2)\n");
  EXPECT_TRUE(run.out.empty());

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--explain", "--class", "0", "Vellanor.db"},
           {"--stats", "--class", "x", "Vellanor.db"},
           {"--stats", "--class", "0", "--student", "0", "Vellanor.db"},
           {"--stats", "Vellanor.db"}}) {
    EXPECT_EQ(Inspect(args).status, 2) << args[1];
  }
  EXPECT_EQ(Inspect({"--stats", "--class", "0", "Missing.db"}).status, 1);
}

}  // namespace
}  // namespace vellanor::inspect
