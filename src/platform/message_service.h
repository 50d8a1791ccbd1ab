#pragma once

#include <string>

namespace vellanor::platform {

enum class MessageIcon { None, Stop, Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Every message box of the program goes through this service, with its exact
// text and caption (UTF-8), icon and buttons. Tests give a scripted fake.
class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual MessageAnswer Show(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) = 0;

  // Shorthands for the two kinds of box the program shows.
  void Inform(const std::string& text, const std::string& caption, MessageIcon icon) {
    Show(text, caption, icon, MessageButtons::Ok);
  }
  bool AskYesNo(const std::string& text, const std::string& caption) {
    return Show(text, caption, MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;
  }
};

}  // namespace vellanor::platform
