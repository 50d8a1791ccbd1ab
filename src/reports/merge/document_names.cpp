#include "reports/merge/document_names.h"

#include <cstdio>
#include <map>
#include <string_view>

namespace vellanor {
namespace {

bool IsForbidden(unsigned char c) {
  constexpr std::string_view kForbidden = "/\\<>:\"|?*";
  return c < 0x20 || c == 0x7F || kForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

// The file name in one case, for comparisons: ASCII and the accented
// Windows-1252 capitals (0xC0 to 0xDE but the multiplication sign).
std::string Folded(std::string_view name) {
  std::string folded = DocumentFileName(name);
  for (char& c : folded) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
      c = static_cast<char>(byte + 0x20);
    }
  }
  return folded;
}

}  // namespace

std::string DocumentFileName(std::string_view name) {
  std::string file(name);
  for (char& c : file) {
    if (IsForbidden(static_cast<unsigned char>(c))) {
      c = '_';
    }
  }
  return file;
}

std::string StampedFileName(std::string_view name, int first, int second, int third,
                            std::string_view extension) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, "_%04d%02d%02d.", first, second, third);
  return DocumentFileName(name) + stamp + std::string(extension);
}

std::string JoinPath(const std::string& directory, const std::string& file) {
  if (directory.empty() || directory.back() == '/' || directory.back() == '\\') {
    return directory + file;
  }
  return directory + '/' + file;
}

bool DocumentNames::IsFree(std::string_view name) const {
  return !taken_.contains(Folded(name));
}

void DocumentNames::Claim(std::string_view name) {
  taken_.insert(Folded(name));
}

std::string DocumentNames::Take(std::string_view name, std::string_view alternative) {
  std::string chosen(name);
  if (!IsFree(chosen) && !alternative.empty()) {
    chosen = alternative;
  }
  const std::string stem = chosen;
  for (int number = 2; !IsFree(chosen); ++number) {
    chosen = stem + "_" + std::to_string(number);
  }
  Claim(chosen);
  return chosen;
}

std::vector<std::string> StudentDocumentNames(const ClassRecord& record) {
  std::map<std::string, int> lastNames;
  for (const StudentRecord& student : record.students) {
    ++lastNames[Folded(student.name.View())];
  }
  std::vector<std::string> names;
  names.reserve(record.students.size());
  DocumentNames taken;
  for (const StudentRecord& student : record.students) {
    std::string name = record.name.Str() + "_" + student.name.Str();
    if (lastNames[Folded(student.name.View())] > 1) {
      name += "_" + student.firstName.Str();
    }
    names.push_back(taken.Take(name));
  }
  return names;
}

}  // namespace vellanor
