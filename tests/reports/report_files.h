#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Reading the documents the reports write (their folders: test::FileNames).

namespace vellanor::test {

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vellanor::test
