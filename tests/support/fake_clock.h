#pragma once

#include <chrono>

#include "platform/clock.h"

namespace vellanor::test {

// A clock that stands still at the date (and time of day, 10:00:00 unless
// set) it is given.
class FakeClock : public platform::Clock {
 public:
  explicit FakeClock(std::chrono::year_month_day today) {
    now_.date = today;
    now_.hour = 10;
  }
  platform::LocalDateTime Now() const override { return now_; }
  void Set(std::chrono::year_month_day today) { now_.date = today; }
  void SetTime(int hour, int minute, int second) {
    now_.hour = hour;
    now_.minute = minute;
    now_.second = second;
  }

 private:
  platform::LocalDateTime now_;
};

}  // namespace vellanor::test
