#pragma once

namespace vellanor::platform {

class MessageService;
class FileStore;
class Clock;
class FileChooser;
class ProgramLauncher;
class ProcessRunner;

// The desktop services the program reaches, gathered so that a window can be
// given all of them at once; tests pass fakes (tests/support/fake_services.h).
struct Services {
  MessageService& messages;
  FileStore& files;
  Clock& clock;
  FileChooser& chooser;
  ProgramLauncher& launcher;
  ProcessRunner& processes;
};

}  // namespace vellanor::platform
