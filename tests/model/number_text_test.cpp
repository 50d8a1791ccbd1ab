#include "model/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <locale>
#include <string>

#include "model/format.h"

namespace vellanor {
namespace {

TEST(ReadLeadingNumberTest, ReadsADecimalNumberAtTheStart) {
  EXPECT_EQ(ReadLeadingNumber("12.5"), 12.5);
  EXPECT_EQ(ReadLeadingNumber(" \t\n7"), 7.0);
  EXPECT_EQ(ReadLeadingNumber("+3.25xyz"), 3.25);
  EXPECT_EQ(ReadLeadingNumber("-1.5"), -1.5);
  EXPECT_EQ(ReadLeadingNumber("1e1"), 10.0);
  EXPECT_EQ(ReadLeadingNumber("2.5E-1;"), 0.25);
  EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
  EXPECT_EQ(ReadLeadingNumber("5."), 5.0);
  EXPECT_EQ(ReadLeadingNumber("1e"), 1.0);  // an unfinished exponent is left out
  EXPECT_EQ(ReadLeadingNumber("3e+x"), 3.0);
  EXPECT_EQ(ReadLeadingNumber("007"), 7.0);
  EXPECT_EQ(ReadLeadingNumber("0.1"), 0.1);  // correctly rounded
}

// Teachers and French spreadsheets write "12,5": one comma between the integer
// digits and a digit is the decimal separator; any other comma ends the number.
TEST(ReadLeadingNumberTest, ReadsADecimalComma) {
  EXPECT_EQ(ReadLeadingNumber("12,5"), 12.5);
  EXPECT_EQ(ReadLeadingNumber(" -3,25;"), -3.25);
  EXPECT_EQ(ReadLeadingNumber("1,5e1"), 15.0);
  EXPECT_EQ(ReadLeadingNumber("12,5,7"), 12.5);
  EXPECT_EQ(ReadLeadingNumber("12,5.7"), 12.5);
  EXPECT_EQ(ReadLeadingNumber("12.5,7"), 12.5);
  EXPECT_EQ(ReadLeadingNumber("12,,5"), 12.0);
  EXPECT_EQ(ReadLeadingNumber("12, 5"), 12.0);
  EXPECT_EQ(ReadLeadingNumber("12,"), 12.0);
  EXPECT_EQ(ReadLeadingNumber(",5"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("1,5e400"), HUGE_VAL);
}

TEST(ReadLeadingNumberTest, GivesZeroForWhatIsNotADecimalNumber) {
  for (const char* text :
       {"",   "x",   "abc",  " ",        ".",   "-",      "+",   "--5", "+-5",  "- 5", ".e5",
        "e5", "inf", "-inf", "infinity", "nan", "NAN(1)", "INF", "-.",  " -. ", "-.e5"}) {
    EXPECT_EQ(ReadLeadingNumber(text), 0.0) << text;
    // A plain zero, as strtod gives: a sign without a number is not "-0.00".
    EXPECT_FALSE(std::signbit(ReadLeadingNumber(text))) << text;
  }
  // Hexadecimal is not read: "0x1A" stops after its 0.
  EXPECT_EQ(ReadLeadingNumber("0x1A"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("0X10p2"), 0.0);
}

TEST(ReadLeadingNumberTest, NumbersPastTheRangeOfADouble) {
  EXPECT_EQ(ReadLeadingNumber("1e400"), HUGE_VAL);
  EXPECT_EQ(ReadLeadingNumber("-123456e99999999999999"), -HUGE_VAL);
  EXPECT_EQ(ReadLeadingNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("0.0000001e-320"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("4e-320"), 4e-320);  // still a (subnormal) double
  EXPECT_EQ(ReadLeadingNumber(std::string(400, '9')), HUGE_VAL);
}

// A French desktop uses a comma as the decimal separator; reading and
// printing marks must not follow it.
TEST(ReadLeadingNumberTest, IgnoresTheUsersLocale) {
  struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
  EXPECT_EQ(ReadLeadingNumber("12.5"), 12.5);
  EXPECT_EQ(FormatAverage(12.5f), "12.50");
  std::locale::global(previous);

  const std::string previousC = std::setlocale(LC_ALL, nullptr);
  for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_FR"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      EXPECT_EQ(ReadLeadingNumber("12.5"), 12.5) << name;
      EXPECT_EQ(ReadLeadingNumber("12,5"), 12.5) << name;
      EXPECT_EQ(FormatAverage(12.5f), "12.50") << name;
      EXPECT_EQ(FormatMark(3.0f), "3.00") << name;
      break;
    }
  }
  std::setlocale(LC_ALL, previousC.c_str());
}

TEST(FormatTest, TwoDecimalsOrAbs) {
  EXPECT_EQ(FormatAverage(14.0f), "14.00");
  EXPECT_EQ(FormatAverage(12.345f), "12.35");  // 12.3450002...
  EXPECT_EQ(FormatAverage(2.675f), "2.67");    // 2.67499995...
  EXPECT_EQ(FormatAverage(0.125f), "0.12");    // an exact tie rounds as printf does
  EXPECT_EQ(FormatAverage(0.0f), "0.00");
  EXPECT_EQ(FormatAverage(-2.5f), "-2.50");
  EXPECT_EQ(FormatAverage(1e20f), "100000002004087734272.00");
  EXPECT_EQ(FormatAverage(std::nanf("")), "abs");
  EXPECT_EQ(FormatAverage(-1.0f), "-1.00");  // an average of -1 is a number, not an absence

  EXPECT_EQ(FormatMark(-1.0f), "abs");
  EXPECT_EQ(FormatMark(-1.0000001f), "-1.00");
  EXPECT_EQ(FormatMark(12.5f), "12.50");
  EXPECT_EQ(FormatMark(std::nanf("")), "abs");
  EXPECT_EQ(FormatMark(INFINITY), "inf");
  EXPECT_EQ(FormatMark(-INFINITY), "-inf");
  EXPECT_EQ(FormatMark(3.4028235e38f), "340282346638528859811704183484516925440.00");
}

TEST(FormatTest, CategoryNamesAndNoneOutOfRange) {
  EXPECT_EQ(CategoryName(0), "Ecrit T1");
  EXPECT_EQ(CategoryName(3), "Oral T2");
  EXPECT_EQ(CategoryName(5), "Oral T3");
  EXPECT_EQ(CategoryName(-1), "");
  EXPECT_EQ(CategoryName(6), "");
}

// The printed digits are exactly printf's for every float: spread over all
// bit patterns, and at the ties (x.125, x.375...) and their neighbours.
TEST(FormatTest, SameDigitsAsPrintfForEveryKindOfFloat) {
  auto printf2 = [](float value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
  };
  auto check = [&](float value) {
    if (!std::isnan(value)) {
      ASSERT_EQ(FormatAverage(value), printf2(value)) << std::hexfloat << value;
    }
  };
  for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 4093) {
    check(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
  }
  for (int eighths = -2000; eighths <= 2000; ++eighths) {
    const float tie = static_cast<float>(eighths) / 8.0f;
    check(tie);
    check(std::nextafter(tie, INFINITY));
    check(std::nextafter(tie, -INFINITY));
  }
  for (float edge : {0x1p40f, std::nextafter(0x1p40f, 0.0f), 0x1p-40f, 0x1p-9f, 0.005f, -0.004f,
                     -0.0f, 0x1p-149f, -0x1p-149f}) {
    check(edge);
  }
}

}  // namespace
}  // namespace vellanor
