#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_service.h"

namespace vellanor::test {

// Records every message box and answers from a script: questions take the
// next scripted answer (No when the script is empty), other boxes answer Ok.
class FakeMessageService : public platform::MessageService {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    platform::MessageIcon icon;
    platform::MessageButtons buttons;
  };

  platform::MessageAnswer Show(const std::string& text, const std::string& caption,
                               platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    shown.push_back({text, caption, icon, buttons});
    if (buttons == platform::MessageButtons::Ok) {
      return platform::MessageAnswer::Ok;
    }
    if (answers.empty()) {
      return platform::MessageAnswer::No;
    }
    const platform::MessageAnswer next = answers.front();
    answers.pop_front();
    return next;
  }

  void AnswerYes() { answers.push_back(platform::MessageAnswer::Yes); }
  void AnswerNo() { answers.push_back(platform::MessageAnswer::No); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown) {
      texts.push_back(s.text);
    }
    return texts;
  }

  std::vector<Shown> shown;
  std::deque<platform::MessageAnswer> answers;
};

}  // namespace vellanor::test
