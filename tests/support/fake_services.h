#pragma once

#include <chrono>

#include "platform/file_store.h"
#include "platform/services.h"
#include "support/fake_clock.h"
#include "support/fake_file_chooser.h"
#include "support/fake_message_service.h"
#include "support/fake_process_runner.h"
#include "support/fake_program_launcher.h"

namespace vellanor::test {

// Platform services for a test: scripted message boxes and choosers, a fixed
// clock (7 December 2026 unless set), a launcher that starts nothing, a
// process runner that finds only the programs a test names, and the real
// files of the test's own temporary working directory.
class FakeServices {
 public:
  FakeMessageService messages;
  FakeClock clock{std::chrono::year{2026} / 12 / 7};
  platform::QtFileStore files;
  FakeFileChooser chooser;
  FakeProgramLauncher launcher;
  FakeProcessRunner processes;

  platform::Services& Get() { return services_; }

 private:
  platform::Services services_{messages, files, clock, chooser, launcher, processes};
};

}  // namespace vellanor::test
