#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/file_chooser.h"
#include "platform/file_store.h"
#include "platform/message_service.h"
#include "platform/process_runner.h"
#include "platform/program_launcher.h"
#include "platform/services.h"

namespace vellanor::bench {

// Answers every question No without showing anything.
class SilentMessages : public platform::MessageService {
 public:
  platform::MessageAnswer Show(const std::string&, const std::string&, platform::MessageIcon,
                               platform::MessageButtons) override {
    return platform::MessageAnswer::No;
  }
};

// The program's own services, but for message boxes, which never show.
struct DesktopServices {
  SilentMessages messages;
  platform::QtFileStore files;
  platform::SystemClock clock;
  platform::QtFileChooser chooser;
  platform::QtProgramLauncher launcher;
  platform::QtProcessRunner processes;
  platform::Services services{messages, files, clock, chooser, launcher, processes};
};

}  // namespace vellanor::bench
