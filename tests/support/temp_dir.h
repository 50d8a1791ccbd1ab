#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vellanor::test {

// A directory made for one test and removed with everything in it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for tests that look at bytes on disk.
std::vector<unsigned char> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);

// The names of the entries of a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder = ".");

}  // namespace vellanor::test
