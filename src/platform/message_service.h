#pragma once

#include <string>

namespace vellanor::platform {

enum class MessageIcon { None, Stop, Exclamation, Information, Question };
// A question's default button (Enter) is always the answer that changes
// nothing: No. YesNoAll adds "Oui pour tous" and "Non pour tous" for a
// question a run may ask many times.
enum class MessageButtons { Ok, YesNo, YesNoAll };
enum class MessageAnswer { Ok, Yes, No, YesToAll, NoToAll };

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
