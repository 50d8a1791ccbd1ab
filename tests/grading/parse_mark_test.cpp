#include "grading/parse_mark.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace vellanor {
namespace {

std::uint32_t Bits(float value) {
  return std::bit_cast<std::uint32_t>(value);
}
constexpr std::uint32_t kAbsentBits = 0xBF800000u;

TEST(ParseMarkTest, TypedTextsAndTheMarksTheyGive) {
  EXPECT_EQ(ParseMark("12.5"), 12.5f);
  EXPECT_EQ(ParseMark("12,5"), 12.5f);
  EXPECT_EQ(ParseMark("-1,5"), -1.5f);
  EXPECT_EQ(ParseMark(" 7"), 7.0f);
  EXPECT_EQ(ParseMark("x"), 0.0f);
  EXPECT_EQ(ParseMark("abc"), 0.0f);  // does not begin with "abs"
  EXPECT_EQ(ParseMark("-1.5"), -1.5f);
  EXPECT_EQ(ParseMark("25"), 25.0f);
  EXPECT_EQ(ParseMark("1e1"), 10.0f);
  EXPECT_EQ(ParseMark("13.3"), 13.3f);  // the double cut to 32 bits
  EXPECT_EQ(Bits(ParseMark("-1.0000001")), 0xBF800001u);

  for (const char* absent : {"", "abs", "ABS", "Abs.", "Absent", "aBsolument", "-1", "-1.0", "-1e0",
                             " -1", "-1,0", "-01.000abc"}) {
    EXPECT_EQ(Bits(ParseMark(absent)), kAbsentBits) << '"' << absent << '"';
  }
  EXPECT_EQ(ParseMark(" abs"), 0.0f);  // only a text that begins with it
  EXPECT_EQ(ParseMark("ab"), 0.0f);
}

TEST(ParseMarkTest, ReadsAtMostThirtyOneCharacters) {
  // 40 characters: the digits past the 31st are not read.
  const std::string forty = "1234567890123456789012345678901234567890";
  EXPECT_EQ(ParseMark(forty), static_cast<float>(1234567890123456789012345678901.0));
  EXPECT_EQ(ParseMark(std::string(31, ' ') + "8"), 0.0f);
  EXPECT_EQ(ParseMark(std::string(30, ' ') + "8"), 8.0f);
  EXPECT_EQ(ParseMark(std::string(28, '0') + "1e1"), 10.0f);
  EXPECT_EQ(ParseMark(std::string(29, '0') + "1e1"), 1.0f);
  // Past the range of a float, with no range check.
  EXPECT_TRUE(std::isinf(ParseMark("1e39")));
  EXPECT_EQ(ParseMark("1e-50"), 0.0f);
}

TEST(ParseCoefficientTest, SevenCharactersAndZeroBecomesOne) {
  EXPECT_EQ(ParseCoefficient(""), 1.0f);
  EXPECT_EQ(ParseCoefficient("0"), 1.0f);
  EXPECT_EQ(ParseCoefficient("0.00"), 1.0f);
  EXPECT_EQ(ParseCoefficient("-0"), 1.0f);
  EXPECT_EQ(ParseCoefficient("coef"), 1.0f);
  EXPECT_EQ(ParseCoefficient("1e-60"), 1.0f);  // 0 once stored in 32 bits
  EXPECT_EQ(ParseCoefficient("2,5"), 2.5f);
  EXPECT_EQ(ParseCoefficient("-3"), -3.0f);
  EXPECT_EQ(ParseCoefficient("2.5"), 2.5f);
  EXPECT_EQ(ParseCoefficient("1.00"), 1.0f);
  EXPECT_EQ(ParseCoefficient("1234567890"), 1234567.0f);
  EXPECT_EQ(ParseCoefficient("0.00000015"), 1.0f);  // "0.00000" is all that is read
  EXPECT_EQ(ParseCoefficient("-1"), -1.0f);
}

}  // namespace
}  // namespace vellanor
