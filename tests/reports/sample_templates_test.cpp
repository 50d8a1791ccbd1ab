#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "reports/chart_picture.h"
#include "reports/merge/template_merge.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;

std::string ReadTemplate(const std::string& name) {
  std::ifstream in(std::string(VELLANOR_TEMPLATES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Groups open and close in pairs, escaped braces aside, and the document is
// one group.
bool IsOneBalancedGroup(const std::string& rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}' && (--depth < 0 || (depth == 0 && i + 3 < rtf.size()))) {
      return false;
    }
  }
  return depth == 0;
}

void ExpectPlaceholders(const std::string& text, std::vector<std::string> names,
                        const std::vector<std::string>& perTrimester) {
  for (const char* trimester : {"1", "2", "3"}) {
    for (const std::string& name : perTrimester) {
      names.push_back(name + trimester);
    }
  }
  names.push_back("$$GRAPHALL");
  for (const std::string& name : names) {
    EXPECT_NE(text.find(name), std::string::npos) << name;
  }
}

TEST(SampleTemplatesTest, TheShippedTemplatesUseEveryPlaceholderOfTheirKind) {
  StudentRecord student = test::Student("Lef\xE8vre {Martin}", "Zo\xE9", 2,
                                        {Mark(12.5f, 1, 0, 1, "C:\\DS"), Mark(-1, 2, 1)});
  ClassRecord record = test::Class("4e B", "2026 - 2027", {student});
  record.gradeCount = {1, 0, 0, 1, 0, 0};
  record.columns = {Mark(12.5f, 1, 0), Mark(-1, 2, 1)};

  const std::string card = ReadTemplate("Bulletin.rtf");
  EXPECT_EQ(card.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  ExpectPlaceholders(card,
                     {"$$STUNOM", "$$STUPRENOM", "$$STUSEX", "$$STUDDN", "$$STULDN", "$$STUINFO"},
                     {"$$STUNOTESECRITES", "$$STUMOYENNEECRITE", "$$STUNOTESORALES",
                      "$$STUMOYENNEORALE", "$$GRAPHT", "$$STURANGECRIT", "$$STURANGORAL",
                      "$$MINECRITE", "$$MAXECRITE", "$$MINORALE", "$$MAXORALE"});
  const std::string merged =
      MergeTemplate(card, record, &record.students[0], false, ChartMaker(AppendChartPicture));
  EXPECT_EQ(merged.find("$$"), std::string::npos);
  EXPECT_TRUE(IsOneBalancedGroup(merged));
  EXPECT_GT(merged.size(), 4 * kChartPictureLength);
  EXPECT_LT(merged.size(), 5 * kChartPictureLength);

  const std::string summary = ReadTemplate("Bilan de classe.rtf");
  EXPECT_EQ(summary.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  ExpectPlaceholders(
      summary, {"$$CLASSE", "$$ANNEE", "$$INFORMATION", "$$NBELEVES", "$$LISTELEVES"},
      {"$$NBNOTESECRITES", "$$NOTESECRITES", "$$MOYENNEECRITE", "$$NBNOTESORALES", "$$NOTESORALES",
       "$$MOYENNEORALE", "$$GRAPHT", "$$MINECRITE", "$$MAXECRITE", "$$MINORALE", "$$MAXORALE"});
  const std::string merged2 =
      MergeTemplate(summary, record, nullptr, true, ChartMaker(AppendChartPicture));
  EXPECT_EQ(merged2.find("$$"), std::string::npos);
  EXPECT_TRUE(IsOneBalancedGroup(merged2));
  EXPECT_GT(merged2.size(), 4 * kChartPictureLength);
}

}  // namespace
}  // namespace vellanor
