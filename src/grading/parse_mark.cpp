#include "grading/parse_mark.h"

#include <cstddef>

#include "grading/mark_scale.h"
#include "model/number_text.h"
#include "model/records.h"

namespace vellanor {
namespace {

// The coefficient field is read with an 8-byte buffer.
constexpr std::size_t kCoefficientLength = 7;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool BeginsWithAbs(std::string_view text) {
  return text.size() >= 3 && Lower(text[0]) == 'a' && Lower(text[1]) == 'b' &&
         Lower(text[2]) == 's';
}

}  // namespace

float ParseMark(std::string_view text) {
  text = text.substr(0, kTypedTextLength);
  if (text.empty() || BeginsWithAbs(text)) {
    return kAbsenceValue;
  }
  if (const ScaledMark scaled = ReadScaledMark(text); scaled.status == ScaleStatus::Scaled) {
    return scaled.value;
  }
  const double number = ReadLeadingNumber(text);
  if (number == -1.0) {
    return kAbsenceValue;
  }
  return static_cast<float>(number);
}

float ParseCoefficient(std::string_view text) {
  const float coefficient =
      static_cast<float>(ReadLeadingNumber(text.substr(0, kCoefficientLength)));
  // Tested after the cut to 32 bits, so that "1e-60" does not store a 0 either.
  return coefficient == 0.0f ? 1.0f : coefficient;
}

}  // namespace vellanor
