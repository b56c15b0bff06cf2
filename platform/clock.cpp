#include "platform/clock.h"

#include <QElapsedTimer>
#include <QTime>

namespace zarvo {

int SystemClock::TimeOfDayMs() const { return QTime::currentTime().msecsSinceStartOfDay(); }

qint64 SystemClock::TickCount() const {
  // QElapsedTimer's monotonic reference is the same for every instance on one machine; on Linux it
  // is CLOCK_MONOTONIC, which does not count time spent suspended.
  QElapsedTimer t;
  t.start();
  return t.msecsSinceReference();
}

} // namespace zarvo
