#include "grading/grid_clipboard.h"

#include <cstddef>

namespace vellanor {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "12.50", "-3.5", "9.": digits around one decimal point, nothing else.
bool IsDecimalWithPoint(std::string_view text) {
  std::size_t i = text.empty() || text[0] != '-' ? 0 : 1;
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits && point;
}

std::string Field(const std::string& text) {
  std::string field = text;
  if (IsDecimalWithPoint(field)) {
    field[field.find('.')] = ',';
    return field;
  }
  for (char& c : field) {
    if (c == '\t' || c == '\n' || c == '\r') {
      c = ' ';
    }
  }
  return field;
}

void AppendLine(std::string& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      out += '\t';
    }
    out += Field(fields[i]);
  }
  out += '\n';
}

}  // namespace

std::string GridClipboardText(const GridContent& grid) {
  std::string out;
  std::vector<std::string> titles;
  titles.reserve(grid.columns.size());
  for (const GridColumn& column : grid.columns) {
    titles.push_back(column.title);
  }
  AppendLine(out, titles);
  for (const std::vector<std::string>& row : grid.cells) {
    AppendLine(out, row);
  }
  return out;
}

std::vector<std::string> PastedMarkTexts(std::string_view text) {
  std::vector<std::string> marks;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = text.substr(start, end - start);
    marks.emplace_back(line.substr(0, line.find('\t')));
    if (end == text.size()) {
      break;
    }
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return marks;
}

}  // namespace vellanor
