#pragma once

#include "platform/message_service.h"

class QWidget;

namespace vellanor::platform {

// Modal QMessageBox over the active window, with French button texts.
class QtMessageService : public MessageService {
 public:
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageIcon icon,
                     MessageButtons buttons) override;
};

}  // namespace vellanor::platform
