#include "platform/clock.h"

#include <QElapsedTimer>
#include <QTime>

#include <ctime>

namespace zarvo {

int SystemClock::TimeOfDayMs() const { return QTime::currentTime().msecsSinceStartOfDay(); }

qint64 SystemClock::TickCount() const {
  // QElapsedTimer's monotonic reference is the same for every instance on one machine; on Linux it
  // is CLOCK_MONOTONIC, which does not count time spent suspended.
  QElapsedTimer t;
  t.start();
  return t.msecsSinceReference();
}

qint64 SystemClock::BootTickCount() const {
#ifdef Q_OS_LINUX
  // CLOCK_BOOTTIME goes on while the machine sleeps, as CLOCK_MONOTONIC does not.
  timespec now{};
  if (clock_gettime(CLOCK_BOOTTIME, &now) == 0)
    return qint64{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
#endif
  return TickCount();
}

} // namespace zarvo
