#pragma once

#include <string>

namespace vellanor {

// A new folder in the system's temporary folder (or /tmp when it has none)
// that only we may enter (mode 0700), named "<prefix>" and six random
// characters; removed with all it holds when the object goes. Path() is
// empty when no folder could be made.
class PrivateFolder {
 public:
  explicit PrivateFolder(const std::string& prefix);
  ~PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A file: URL for LibreOffice, every byte but the unreserved ones and "/"
// escaped, so that spaces and accents in a folder's path pass.
std::string FileUrl(const std::string& path);

}  // namespace vellanor
