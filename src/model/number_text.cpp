#include "model/number_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

namespace vellanor {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The power of ten of a number that from_chars found out of range: only its
// sign matters (past the largest double, or below the smallest).
std::int64_t DecimalMagnitude(const char* first, const char* last) {
  constexpr std::int64_t kCap = 1'000'000'000;
  std::int64_t integerDigits = 0;
  std::int64_t leadingFractionZeros = 0;
  bool inFraction = false;
  bool significant = false;
  const char* p = first;
  for (; p != last && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      inFraction = true;
    } else if (!significant && *p == '0') {
      leadingFractionZeros += inFraction ? 1 : 0;
    } else {
      significant = true;
      if (!inFraction && integerDigits < kCap) {
        ++integerDigits;
      }
    }
  }
  std::int64_t exponent = 0;
  if (p != last) {
    ++p;
    const bool negative = p != last && *p == '-';
    if (p != last && (*p == '-' || *p == '+')) {
      ++p;
    }
    for (; p != last && exponent < kCap; ++p) {
      exponent = exponent * 10 + (*p - '0');
    }
    exponent = negative ? -exponent : exponent;
  }
  const std::int64_t mantissa = integerDigits > 0 ? integerDigits : -leadingFractionZeros;
  return mantissa + exponent;
}

// The number that begins at `p`, which is a digit or a point; nothing when
// there is none (a lone point).
std::optional<double> ReadUnsigned(const char* p, const char* end) {
  double value = 0.0;
  const auto [stop, error] = std::from_chars(p, end, value, std::chars_format::general);
  if (error == std::errc::invalid_argument) {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range) {
    return DecimalMagnitude(p, stop) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return value;
}

}  // namespace

double ReadLeadingNumber(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && IsSpace(*p)) {
    ++p;
  }
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  // from_chars would also take a second '-', "inf" and "nan": only digits or
  // a point may begin the number.
  if (p == end || !(IsDigit(*p) || *p == '.')) {
    return 0.0;
  }
  // A decimal comma, as French teachers and spreadsheets write marks, reads
  // as the point: once, right after the integer digits and before a digit.
  const char* digitsEnd = p;
  while (digitsEnd != end && IsDigit(*digitsEnd)) {
    ++digitsEnd;
  }
  std::optional<double> value;
  if (digitsEnd != p && end - digitsEnd >= 2 && *digitsEnd == ',' && IsDigit(digitsEnd[1])) {
    std::string withPoint(p, end);
    withPoint[static_cast<std::size_t>(digitsEnd - p)] = '.';
    value = ReadUnsigned(withPoint.data(), withPoint.data() + withPoint.size());
  } else {
    value = ReadUnsigned(p, end);
  }
  // A sign without a number gives a plain zero, not -0.
  if (!value) {
    return 0.0;
  }
  return negative ? -*value : *value;
}

}  // namespace vellanor
