#pragma once

#include <chrono>

#include "platform/clock.h"

namespace vellanor::test {

class FakeClock : public platform::Clock {
 public:
  explicit FakeClock(std::chrono::year_month_day today) : today_(today) {}
  std::chrono::year_month_day Today() const override { return today_; }
  void Set(std::chrono::year_month_day today) { today_ = today; }

 private:
  std::chrono::year_month_day today_;
};

}  // namespace vellanor::test
