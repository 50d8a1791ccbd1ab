#pragma once

#include <chrono>

namespace vellanor::platform {

// The local clock, replaced by a fixed one in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current local calendar date.
  virtual std::chrono::year_month_day Today() const = 0;
};

// Reads the system's local time.
class SystemClock : public Clock {
 public:
  std::chrono::year_month_day Today() const override;
};

}  // namespace vellanor::platform
