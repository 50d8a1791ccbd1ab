#pragma once

#include <string_view>

namespace vellanor {

// A mark typed out of another scale than 20: "15/30" is 15 out of 30.
enum class ScaleStatus {
  None,     // no scale: the text is read as a plain mark
  Scaled,   // `value` holds the mark brought back to 20
  Invalid,  // a scale of 0, or a result no 32-bit float holds
};

struct ScaledMark {
  ScaleStatus status = ScaleStatus::None;
  float value = 0.0f;
};

// Reads "<mark>/<scale>" (decimal point or comma, "7,5/10"): a text that
// begins with a number and holds a slash. The mark is mark × 20 ÷ scale,
// computed in double precision, then cut to the 32-bit float the file keeps.
// A mark of exactly -1 is the absence, whatever the scale: no scale then.
ScaledMark ReadScaledMark(std::string_view text);

}  // namespace vellanor
