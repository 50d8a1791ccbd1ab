#pragma once

#include <chrono>

#include "platform/file_store.h"
#include "platform/services.h"
#include "support/fake_clock.h"
#include "support/fake_message_service.h"

namespace vellanor::test {

// Platform services for a test: scripted message boxes, a fixed clock
// (7 December 2026 unless set), and the real files of the test's own
// temporary working directory.
class FakeServices {
 public:
  FakeMessageService messages;
  FakeClock clock{std::chrono::year{2026} / 12 / 7};
  platform::QtFileStore files;

  platform::Services& Get() { return services_; }

 private:
  platform::Services services_{messages, files, clock};
};

}  // namespace vellanor::test
