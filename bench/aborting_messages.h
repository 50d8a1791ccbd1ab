#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/message_service.h"

namespace vellanor::bench {

// A benchmark must not go on past a failed load or save: any message box
// stops the run.
class AbortingMessages : public platform::MessageService {
 public:
  platform::MessageAnswer Show(const std::string& text, const std::string&, platform::MessageIcon,
                               platform::MessageButtons) override {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    std::abort();
  }
};

}  // namespace vellanor::bench
