#include "model/format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "model/records.h"

namespace vellanor {
namespace {

// std::to_chars rounds exactly as printf does in the C locale and never reads
// the global locale, so a French desktop still gets "12.50".
std::string ToChars(float value) {
  char buffer[64];  // the largest float takes 39 digits, a sign and ".00"
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  return std::string(buffer, result.ptr);
}

// The same digits for every float below 2^40, computed exactly in integers:
// the value is m * 2^e, so a hundred times it is (100 m) * 2^e, rounded half
// to even as printf rounds. An export or a report prints hundreds of
// thousands of marks, and this is several times faster than std::to_chars.
std::string TwoDecimals(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  const bool negative = (bits >> 31) != 0;
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  const std::uint64_t mantissa = biased == 0 ? (bits & 0x7FFFFF) : ((bits & 0x7FFFFF) | 0x800000);
  const int exponent = (biased == 0 ? 1 : biased) - 150;
  if (exponent > 16) {  // 2^40 and beyond, infinities and NaN
    return ToChars(value);
  }
  std::uint64_t hundredths = mantissa * 100;
  if (exponent >= 0) {
    hundredths <<= exponent;
  } else {
    const int shift = -exponent;
    if (shift >= 40) {  // 100 m < 2^31: less than a quarter of a hundredth
      hundredths = 0;
    } else {
      const std::uint64_t rest = hundredths & ((std::uint64_t{1} << shift) - 1);
      const std::uint64_t half = std::uint64_t{1} << (shift - 1);
      hundredths >>= shift;
      if (rest > half || (rest == half && (hundredths & 1) != 0)) {
        ++hundredths;
      }
    }
  }
  char buffer[32];
  char* end = buffer + sizeof buffer;
  char* p = end;
  std::uint64_t units = hundredths / 100;
  const auto cents = static_cast<unsigned>(hundredths % 100);
  *--p = static_cast<char>('0' + cents % 10);
  *--p = static_cast<char>('0' + cents / 10);
  *--p = '.';
  do {
    *--p = static_cast<char>('0' + units % 10);
    units /= 10;
  } while (units != 0);
  if (negative) {
    *--p = '-';
  }
  return std::string(p, end);
}

}  // namespace

std::string FormatAverage(float average) {
  if (std::isnan(average)) {
    return "abs";
  }
  return TwoDecimals(average);
}

std::string FormatMark(float mark) {
  if (IsAbsent(mark) || std::isnan(mark)) {
    return "abs";
  }
  return TwoDecimals(mark);
}

namespace {

std::string WithComma(std::string text) {
  for (char& c : text) {
    if (c == '.') {
      c = ',';
    }
  }
  return text;
}

}  // namespace

std::string FormatAverageWithComma(float average) {
  return WithComma(FormatAverage(average));
}

std::string FormatMarkWithComma(float mark) {
  return WithComma(FormatMark(mark));
}

std::string FormatDecimalComma(double value) {
  if (std::isnan(value)) {
    return "abs";
  }
  char buffer[400];  // the largest double takes 309 digits, a sign and ".00"
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  return WithComma(std::string(buffer, result.ptr));
}

std::string CategoryName(int category) {
  static const char* const kNames[kCategoryCount] = {"Ecrit T1", "Oral T1",  "Ecrit T2",
                                                     "Oral T2",  "Ecrit T3", "Oral T3"};
  return category >= 0 && category < kCategoryCount ? kNames[category] : "";
}

}  // namespace vellanor
