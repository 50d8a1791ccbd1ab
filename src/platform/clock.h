#pragma once

#include <chrono>

namespace vellanor::platform {

// A moment of the local calendar, to the second.
struct LocalDateTime {
  std::chrono::year_month_day date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The local clock, replaced by a fixed one in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  // The current local date and time of day.
  virtual LocalDateTime Now() const = 0;
  // The current local calendar date.
  std::chrono::year_month_day Today() const { return Now().date; }
};

// Reads the system's local time.
class SystemClock : public Clock {
 public:
  LocalDateTime Now() const override;
};

}  // namespace vellanor::platform
