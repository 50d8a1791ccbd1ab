#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_chooser.h"

namespace vellanor::test {

// Records every request and answers from a script: each chooser takes the
// next scripted path, or cancels when the script is empty.
class FakeFileChooser : public platform::FileChooser {
 public:
  std::optional<std::string> ChooseFile(const platform::FileRequest& request) override {
    fileRequests.push_back(request);
    return Next();
  }
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initialFolder) override {
    folderRequests.push_back({title, initialFolder});
    return Next();
  }

  void Answer(std::string path) { answers.emplace_back(std::move(path)); }
  void Cancel() { answers.emplace_back(std::nullopt); }

  struct FolderRequest {
    std::string title;
    std::string initialFolder;
  };
  std::vector<platform::FileRequest> fileRequests;
  std::vector<FolderRequest> folderRequests;
  std::deque<std::optional<std::string>> answers;

 private:
  std::optional<std::string> Next() {
    if (answers.empty()) {
      return std::nullopt;
    }
    std::optional<std::string> next = answers.front();
    answers.pop_front();
    return next;
  }
};

}  // namespace vellanor::test
