#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vellanor::platform {

// One entry of a chooser's file-type list, e.g. {"Rtf file", "*.rtf"}.
struct FileFilter {
  std::string description;
  std::string pattern;  // blank-separated patterns
};

// What a file chooser is asked for. Texts and paths are UTF-8; a relative
// initial folder is taken from the current directory.
struct FileRequest {
  std::string title;  // empty: the desktop's own title
  std::string initialFolder;
  std::string initialName;
  std::vector<FileFilter> filters;
  std::string defaultSuffix;  // added to a typed name without one, e.g. "csv"
  bool mustExist = true;      // false lets the teacher type the name of a new file
};

// The desktop's file and folder choosers; tests give a scripted fake.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file's full path, or nothing when the teacher cancels.
  virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
  // The chosen folder's full path, or nothing when the teacher cancels.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& initialFolder) = 0;
};

// QFileDialog over the active window.
class QtFileChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseFile(const FileRequest& request) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initialFolder) override;
};

}  // namespace vellanor::platform
