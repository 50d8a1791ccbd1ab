#include "grading/mark_scale.h"

#include <cmath>
#include <cstddef>

#include "model/number_text.h"

namespace vellanor {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether the text, past leading blanks, starts the way a number does.
bool BeginsWithNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
  }
  return i < text.size() && IsDigit(text[i]);
}

}  // namespace

ScaledMark ReadScaledMark(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos || !BeginsWithNumber(text.substr(0, slash))) {
    return {};
  }
  const double mark = ReadLeadingNumber(text.substr(0, slash));
  if (mark == -1.0) {
    return {};
  }
  const double scale = ReadLeadingNumber(text.substr(slash + 1));
  if (scale == 0.0) {
    return {ScaleStatus::Invalid, 0.0f};
  }
  const double result = mark * 20.0 / scale;
  const auto value = static_cast<float>(result);
  if (!std::isfinite(result) || !std::isfinite(value)) {
    return {ScaleStatus::Invalid, 0.0f};
  }
  return {ScaleStatus::Scaled, value};
}

}  // namespace vellanor
