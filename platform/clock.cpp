#include "platform/clock.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <ctime>

namespace zarvo {

int SystemClock::TimeOfDayMs() const {
  // Working out the local time reads the zone's rules from the disk each time. The offset from UTC
  // is read once a minute instead: a zone changes its offset only at a whole minute, and a clock
  // that is set jumps out of the minute the offset was read in.
  const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
  const qint64 minute = utcMs / 60'000;
  if (minute != offsetMinute_) {
    offsetMs_ = qint64{QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime).offsetFromUtc()} * 1000;
    offsetMinute_ = minute;
  }
  return int(((utcMs + offsetMs_) % kDayMs + kDayMs) % kDayMs);
}

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
