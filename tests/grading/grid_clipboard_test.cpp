#include "grading/grid_clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grading/mark_scale.h"
#include "grading/parse_mark.h"

namespace vellanor {
namespace {

TEST(MarkScaleTest, MarksOnAnotherScaleAreBroughtBackToTwenty) {
  EXPECT_EQ(ParseMark("15/30"), 10.0f);
  EXPECT_EQ(ParseMark("7,5/10"), 15.0f);
  EXPECT_EQ(ParseMark(" 7.5 / 10 "), 15.0f);
  // Computed in double, then cut: 7 × 20 ÷ 30 = 4.666…
  EXPECT_EQ(ParseMark("7/30"), static_cast<float>(140.0 / 30.0));
  EXPECT_EQ(ParseMark("12/20"), 12.0f);
  EXPECT_EQ(ParseMark("-1/30"), -1.0f);  // the absence stays an absence
  EXPECT_EQ(ParseMark("abs/20"), -1.0f);

  for (const char* bad : {"3/0", "3/0,0", "3/", "3/x", "1e300/1e-300", "1e30/1e-30"}) {
    EXPECT_EQ(ReadScaledMark(bad).status, ScaleStatus::Invalid) << bad;
  }
  // No slash, or not a number before it: read as before.
  for (const char* plain : {"12", "x/3", "abs/0", "", "Martin/Durand"}) {
    EXPECT_EQ(ReadScaledMark(plain).status, ScaleStatus::None) << plain;
  }
}

TEST(GridClipboardTest, CopiesTheGridAsATableWithDecimalCommas) {
  GridContent grid;
  grid.columns = {{"Nom des élèves", 100}, {"Note 1", 50}, {"Note 2", 50}};
  grid.cells = {{"Martin Léa", "12.50", "abs"},
                {"Bernard\tHugo", "9.5", "15/30"},
                {"Petit Inès", "", "-3.00"}};
  EXPECT_EQ(GridClipboardText(grid),
            "Nom des élèves\tNote 1\tNote 2\n"
            "Martin Léa\t12,50\tabs\n"
            "Bernard Hugo\t9,5\t15/30\n"
            "Petit Inès\t\t-3,00\n");
  EXPECT_EQ(GridClipboardText(GridContent{}), "\n");
}

TEST(GridClipboardTest, PastedTextGivesTheFirstFieldOfEachLine) {
  using Texts = std::vector<std::string>;
  EXPECT_EQ(PastedMarkTexts("12,5\n\nabs\n14\t3\n8\n"), (Texts{"12,5", "", "abs", "14", "8"}));
  EXPECT_EQ(PastedMarkTexts("12\r\n\r\n13"), (Texts{"12", "", "13"}));
  EXPECT_EQ(PastedMarkTexts("12\r13\r"), (Texts{"12", "13"}));
  EXPECT_EQ(PastedMarkTexts("\n"), (Texts{""}));
  EXPECT_EQ(PastedMarkTexts(""), Texts{});
}

}  // namespace
}  // namespace vellanor
