#include "exchange/csv/csv_fields.h"

namespace vellanor::exchange {
namespace {

// Reads the field that begins at `pos` and leaves `pos` on the separator that
// ends it, or at the end of the line.
std::string ReadField(std::string_view line, std::string_view separators, std::size_t& pos) {
  std::string field;
  if (pos < line.size() && line[pos] == '"') {
    ++pos;
    while (pos < line.size()) {
      const char c = line[pos++];
      if (c != '"') {
        field.push_back(c);
      } else if (pos < line.size() && line[pos] == '"') {
        field.push_back('"');
        ++pos;
      } else {
        break;  // the closing quote
      }
    }
  }
  while (pos < line.size() && separators.find(line[pos]) == std::string_view::npos) {
    field.push_back(line[pos++]);
  }
  return field;
}

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool FieldReader::Next(std::string& field) {
  if (done_) {
    return false;
  }
  field = ReadField(line_, separators_, position_);
  if (position_ >= line_.size()) {
    done_ = true;
  } else {
    ++position_;  // the separator
  }
  return true;
}

std::string FirstField(std::string_view line) {
  std::size_t pos = 0;
  return ReadField(line, ";", pos);
}

std::string QuoteField(std::string_view text) {
  if (text.find_first_of(";,\"") == std::string_view::npos) {
    return std::string(text);
  }
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') {
      quoted.push_back('"');
    }
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (UpperAscii(text[i]) != UpperAscii(prefix[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace vellanor::exchange
