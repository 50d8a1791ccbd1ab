// ReadLeadingNumber agrees bit for bit with the C library's strtod in the C
// locale on every text that strtod would not read as hexadecimal, an
// infinity or a NaN, once a decimal comma right after the integer digits
// (and before a digit) is written as a point.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/format.h"
#include "model/number_text.h"

namespace {

bool StrtodReadsMoreThanDecimals(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::strchr(" \t\n\v\f\r", text[i]) != nullptr && text[i] != '\0') {
    ++i;
  }
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  if (i >= text.size()) {
    return false;
  }
  const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
  const bool hex = c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
  return hex || c == 'i' || c == 'n';
}

std::string WithDecimalPoint(std::string text) {
  std::size_t i = 0;
  while (i < text.size() && std::strchr(" \t\n\v\f\r", text[i]) != nullptr && text[i] != '\0') {
    ++i;
  }
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  const std::size_t digits = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
    ++i;
  }
  if (i > digits && i + 1 < text.size() && text[i] == ',' &&
      std::isdigit(static_cast<unsigned char>(text[i + 1])) != 0) {
    text[i] = '.';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double ours = vellanor::ReadLeadingNumber(text);
  (void)vellanor::FormatMark(static_cast<float>(ours));
  if (StrtodReadsMoreThanDecimals(text)) {
    return 0;
  }
  const double expected =
      std::strtod(WithDecimalPoint(text).c_str(), nullptr);  // stops at an embedded NUL
  const std::size_t nul = text.find('\0');
  const double oursToNul =
      nul == std::string::npos ? ours : vellanor::ReadLeadingNumber(text.substr(0, nul));
  if (std::memcmp(&expected, &oursToNul, sizeof expected) != 0) {
    std::abort();
  }
  return 0;
}
