#include "reports/private_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vellanor {

namespace fs = std::filesystem;

PrivateFolder::PrivateFolder(const std::string& prefix) {
  std::error_code failed;
  const fs::path base = fs::temp_directory_path(failed);
  std::string pattern = ((failed ? fs::path("/tmp") : base) / (prefix + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) != nullptr) {
    path_ = pattern;
  }
}

PrivateFolder::~PrivateFolder() {
  if (!path_.empty()) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
}

std::string FileUrl(const std::string& path) {
  std::string url = "file://";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      url += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      url += escaped;
    }
  }
  return url;
}

}  // namespace vellanor
