#include "model/format.h"

#include <charconv>
#include <cmath>

#include "model/records.h"

namespace vellanor {
namespace {

// std::to_chars rounds exactly as printf does in the C locale and never reads
// the global locale, so a French desktop still gets "12.50".
std::string TwoDecimals(float value) {
  char buffer[64];  // the largest float takes 39 digits, a sign and ".00"
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  return std::string(buffer, result.ptr);
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

}  // namespace vellanor
