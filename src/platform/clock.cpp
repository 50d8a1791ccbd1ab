#include "platform/clock.h"

#include <QDate>

namespace vellanor::platform {

std::chrono::year_month_day SystemClock::Today() const {
  const QDate today = QDate::currentDate();
  return std::chrono::year_month_day{std::chrono::year{today.year()},
                                     std::chrono::month{static_cast<unsigned>(today.month())},
                                     std::chrono::day{static_cast<unsigned>(today.day())}};
}

}  // namespace vellanor::platform
