#include "platform/clock.h"

#include <QDateTime>

namespace vellanor::platform {

LocalDateTime SystemClock::Now() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  return {std::chrono::year{date.year()} / static_cast<int>(date.month()) / date.day(), time.hour(),
          time.minute(), time.second()};
}

}  // namespace vellanor::platform
